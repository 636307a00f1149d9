// The JSON documents of the command-line front end, written to any
// DocumentWriter: one run (outcome, messages, record, the results and
// intermediate screens, the curve), and --explore's comparison.
#pragma once

#include <optional>
#include <string>

#include "json_writer.h"

namespace coredesign {
class InputScreen;
struct Comparison;
struct DesignRecord;
struct InductanceCurve;
}  // namespace coredesign

namespace coredesign::cli {

// Every figure of the record as one object, as the run's document holds it.
void WriteRecord(DocumentWriter& w, const DesignRecord& r);

// The document of a finished run; with `curvePoints`, also its "curve"
// (null when the run produced no design).
void WriteRunDocument(DocumentWriter& w, const InputScreen& session, std::optional<int> curvePoints = std::nullopt);

// The same as JSON text, with a line end.
std::string JsonDocument(const InputScreen& session, std::optional<int> curvePoints = std::nullopt);

// The "curve" object of the run's document.
void WriteCurve(DocumentWriter& w, const InductanceCurve& curve);

// The comparison's document (--explore).
void WriteExploreDocument(DocumentWriter& w, const Comparison& comparison);

// The same as JSON text, with a line end.
std::string ExploreJson(const Comparison& comparison);

}  // namespace coredesign::cli
