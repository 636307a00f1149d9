#include "view_report.h"

#include <QFile>
#include <string>

#include "design_run.h"
#include "frmHtmlReport.h"
#include "frmResult.h"
#include "report_file.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui {

void ViewReport(ScreenRegistry& registry) {
    Module1& rec = registry.Record();
    rec.TempFolder = TempFolderFromEnvironment();
    frmResult& results = registry.Get<frmResult>();
    const std::string path = report::ReportFilePath(rec.TempFolder);
    std::string failure;
    if (!report::WriteReportFile(path, results.Texts(), rec, failure)) {
        ShowMessage({SorryMessage(QString::fromLocal8Bit(failure.c_str())), QStringLiteral("Caution"),
                     BoxIcon::Information, &results});
        return;
    }
    // The viewer, and with it the web engine, exists from the first report on.
    frmHtmlReport& viewer = registry.Get<frmHtmlReport>();
    look::Present(&viewer);
    viewer.Navigate(QFile::decodeName(QByteArray::fromStdString(path)));
}

void InstallViewReport(ScreenRegistry& registry) {
    registry.Command().ViewReport = [&registry] { ViewReport(registry); };
}

}  // namespace coredesign::gui
