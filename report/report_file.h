// Writing the HTML design report file.
#pragma once

#include <string>

#include "record.h"
#include "screen_texts.h"

namespace coredesign::report {

// Writes the design report for this results screen and record to `path`.
// False, with the system's description of the failure, when it cannot.
bool WriteReportFile(const std::string& path, const ResultsTexts& results, const Module1& rec,
                     std::string& failure);

}  // namespace coredesign::report
