// Options, the run and its output for coredesign-cli.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "curve.h"

namespace coredesign {
class InputScreen;
struct DesignRecord;
struct InputTexts;
}  // namespace coredesign

namespace coredesign::cli {

struct Options {
    std::map<std::string, std::string> fields;  // control name -> text
    std::optional<std::string> inductanceUnit, frequencyUnit;
    bool gapped = true;
    bool familyGiven = false;  // --family given: --explore compares that family only
    std::optional<std::string> pick;
    std::optional<std::string> reportFile;
    bool json = false;
    bool explore = false;              // every core and stack instead of one run
    bool csv = false;                  // CSV output (of --explore or --curve)
    bool curve = false;                // the inductance curve of the design
    int points = kDefaultCurvePoints;  // --points: currents of the curve's grid
    bool pointsGiven = false;
    std::optional<std::string> spiceFile;  // --spice: the circuit model of the design
    std::optional<std::string> pdfFile;    // --pdf: the report as PDF
    bool help = false;
    bool version = false;
};

// False (with a message) on a usage error.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

std::string UsageText();

// The field texts and unit lists that the options type into an input screen.
void TypeOptions(const Options& options, InputTexts& in);

class JsonWriter;
// Every figure of the record as one JSON object, as the run's document holds it.
void WriteRecord(JsonWriter& w, const DesignRecord& r);

// Runs the design; returns the exit status (0 results, 1 any other end, 2 usage).
int Run(const Options& options, std::ostream& out, std::ostream& err);

// The JSON document of a finished session; with `curvePoints`, also its
// "curve" (null when the run produced no design).
std::string JsonDocument(const InputScreen& session, std::optional<int> curvePoints = std::nullopt);

// The readable summary of a finished session.
std::string Summary(const InputScreen& session);

}  // namespace coredesign::cli
