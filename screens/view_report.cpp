#include "view_report.h"

#include <QFile>
#include <string>

#include "design_record.h"
#include "folders.h"
#include "frmResult.h"
#include "messages.h"
#include "report_file.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui {

std::optional<QString> WriteReportForViewer(ScreenRegistry& registry) {
    DesignRecord& rec = registry.Record();
    rec.TempFolder = platform::TempFolder();
    frmResult& results = registry.Get<frmResult>();
    const std::string path = report::ReportFilePath(rec.TempFolder);
    std::string failure;
    if (!report::WriteTemporaryReport(path, results.Model().Texts(), rec, failure)) {
        registry.ShowMessage({SorryMessage(QString::fromLocal8Bit(failure.c_str())), QString::fromUtf8(kCautionTitle),
                              BoxIcon::Information, &results});
        return std::nullopt;
    }
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace coredesign::gui
