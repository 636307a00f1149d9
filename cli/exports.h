// What the command-line front end takes from a design beyond the run's own
// output: the inductance curve in its JSON document, files written whole or
// not at all (the circuit model), and the report as PDF through the report
// viewer's module.
#pragma once

#include <string>

#include "curve.h"
#include "json_writer.h"

namespace coredesign::cli {

// The "curve" object of the JSON document.
void WriteCurve(JsonWriter& w, const InductanceCurve& curve);

// Writes `text` to `path`: into a new file beside it, then put in its place,
// so that a failure leaves an earlier file of that name as it was. False,
// with the system's reason, when it cannot.
bool WriteFileWhole(const std::string& path, const std::string& text, std::string& failure);

// Renders the report file `reportFile` as PDF into `pdfFile` with the report
// viewer's module (beside this program), which is loaded only now. False,
// with the reason, when the module cannot be loaded or the rendering fails.
bool WriteReportPdf(const std::string& reportFile, const std::string& pdfFile, std::string& failure);

}  // namespace coredesign::cli
