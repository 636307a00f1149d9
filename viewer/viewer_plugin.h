// The report viewer as a plugin: the desktop program loads the viewer's
// module on the first View Report and calls this one entry, so that the web
// engine is mapped only once a report is shown. The module and the program
// share the screen layer (the registry, its seams and the common look) as a
// shared library; the module reaches the other screens through the
// registry's commands.
#pragma once

class QString;

namespace coredesign::gui {
class ScreenRegistry;
}

extern "C" {
// Shows the report file in the viewer of this registry (see ShowReport in
// frmHtmlReport.h).
using CoreDesignViewReportEntry = void (*)(coredesign::gui::ScreenRegistry* registry, const QString* reportFile);

// The entry itself, for a program that links the viewer in.
void coredesign_view_report(coredesign::gui::ScreenRegistry* registry, const QString* reportFile);
}

namespace coredesign::gui {
// The entry's symbol name in the module.
inline constexpr const char* kViewReportEntryName = "coredesign_view_report";
}  // namespace coredesign::gui
