// What View Report does before the viewer. The viewer itself is loaded apart
// (it brings the web engine); this needs none. (The viewer's Back and Reset
// Design, formerly BackToResults and ResetDesign here, are the screen flow's.)
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

}  // namespace coredesign::gui
