// Writing the HTML design report file.
#pragma once

#include <string>

#include "design_record.h"
#include "screen_texts.h"

namespace coredesign::report {

// The generated report in a temporary folder: the folder, the platform's
// separator and "temp.htm".
std::string ReportFilePath(const std::string& tempFolder);

// Writes the design report for this results screen and record to `path`:
// the document as one line followed by CR LF, replacing any earlier file.
// Images are referenced in `programFolder`. False, with the system's
// description of the failure, when the file cannot be written.
bool WriteReportFile(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                     const std::string& programFolder, std::string& failure);

// The same, with the images of the running program's folder.
bool WriteReportFile(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                     std::string& failure);

}  // namespace coredesign::report
