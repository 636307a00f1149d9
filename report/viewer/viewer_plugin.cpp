#include "viewer_plugin.h"

#include <QtGlobal>
#include <type_traits>

#include "view_report.h"

extern "C" Q_DECL_EXPORT void coredesign_view_report(coredesign::gui::ScreenRegistry* registry) {
    if (registry) coredesign::gui::ViewReport(*registry);
}

// The entry keeps the type the program calls it by.
static_assert(std::is_same_v<decltype(&coredesign_view_report), CoreDesignViewReportEntry>);
