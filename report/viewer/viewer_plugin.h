// The report viewer as a plugin: the desktop program loads the viewer's
// module on the first View Report and calls this one entry, so that the web
// engine is mapped only once a report is shown. The module uses the
// program's own screens, registry, seams and report writer.
#pragma once

namespace coredesign::gui {
class ScreenRegistry;
}

extern "C" {
// The results screen's View Report (see ViewReport in view_report.h) for the
// registry of the program that loaded the module.
using CoreDesignViewReportEntry = void (*)(coredesign::gui::ScreenRegistry* registry);
}

namespace coredesign::gui {
// The entry's symbol name in the module.
inline constexpr const char* kViewReportEntryName = "coredesign_view_report";
}  // namespace coredesign::gui
