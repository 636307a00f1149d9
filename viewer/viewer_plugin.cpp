#include "viewer_plugin.h"

#include <QString>
#include <QtGlobal>
#include <type_traits>

#include "frmHtmlReport.h"

extern "C" Q_DECL_EXPORT void coredesign_view_report(coredesign::gui::ScreenRegistry* registry,
                                                     const QString* reportFile) {
    if (registry && reportFile) coredesign::gui::ShowReport(*registry, *reportFile);
}

// The entry keeps the type the program calls it by.
static_assert(std::is_same_v<decltype(&coredesign_view_report), CoreDesignViewReportEntry>);
