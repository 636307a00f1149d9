// What View Report and the report viewer's buttons do to the screens. The
// viewer itself is loaded apart (it brings the web engine); these need none.
#pragma once

#include <QString>
#include <optional>

#include "report_document.h"

namespace coredesign::gui {

class ScreenRegistry;

// The report's pictures, beside the running program.
report::ReportPictures ProgramPictures();

// The results screen's View Report up to the viewer: reads the temporary
// folder anew into the design record and writes temp.htm there from the
// results screen's texts and the record, and keeps the report in the
// registry for the viewer's Save. The file's path, or nothing after telling
// the designer why it could not be written.
std::optional<QString> WriteReportForViewer(ScreenRegistry& registry);

// The viewer's Back: the results screen in front.
void BackToResults(ScreenRegistry& registry);
// The viewer's Reset Design: the input screen in front with its core size
// list reset, the results screen closed.
void ResetDesign(ScreenRegistry& registry);

// Puts BackToResults and ResetDesign into the registry's commands.
void InstallViewerCommands(ScreenRegistry& registry);

}  // namespace coredesign::gui
