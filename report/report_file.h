// Writing the HTML design report file.
#pragma once

#include <string>

#include "design_record.h"
#include "screen_texts.h"

namespace coredesign::report {

// The generated report in a temporary folder: the folder, the platform's
// separator and "temp.htm".
std::string ReportFilePath(const std::string& tempFolder);

// Writes the design report for this results screen and record to `path`, a
// file the user named: the document as one line followed by CR LF, replacing
// any earlier file (a link the user named is followed, as for any file named
// on a command line). Images are referenced in `programFolder`. False, with
// the system's description of the failure, when the file cannot be written.
bool WriteReportFile(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                     const std::string& programFolder, std::string& failure);

// The same, with the images of the running program's folder.
bool WriteReportFile(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                     std::string& failure);

// View Report's temp.htm in the temporary folder, which other users may
// write to as well: the same bytes as a private file of the user's, never
// written through a link or into a file that is not the user's own (see
// platform::WritePrivateFile); such a name is left untouched and the failure
// says what it is.
bool WriteTemporaryReport(const std::string& path, const ResultsTexts& results, const DesignRecord& rec,
                          std::string& failure);

}  // namespace coredesign::report
