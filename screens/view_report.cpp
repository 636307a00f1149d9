#include "view_report.h"

#include <QFile>
#include <string>

#include "design_record.h"
#include "file_reference.h"
#include "folders.h"
#include "frmResult.h"
#include "messages.h"
#include "named_file.h"
#include "private_file.h"
#include "report_document.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui {

report::ReportPictures ProgramPictures() {
    const std::string folder = platform::ProgramFolder();
    return report::FindPictures([&folder](const char* file) { return platform::FileReference(folder, file); });
}

std::optional<QString> WriteReportForViewer(ScreenRegistry& registry) {
    DesignRecord& rec = registry.Record();
    rec.TempFolder = platform::TempFolder();
    frmResult& results = registry.Get<frmResult>();
    const std::string path = platform::JoinPath(rec.TempFolder, report::kTemporaryReportName);
    // temp.htm is a private file: the temporary folder may be shared with other users.
    platform::FileFailure failure;
    const std::string report = report::ReportFileBytes(results.Model().Texts(), rec, ProgramPictures());
    if (!platform::WritePrivateFile(path, report, failure)) {
        registry.ShowMessage({SorryMessage(QString::fromLocal8Bit(failure.description.c_str())),
                              QString::fromUtf8(kCautionTitle), BoxIcon::Information, &results});
        return std::nullopt;
    }
    registry.SetGeneratedReport(QByteArray::fromStdString(report));
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace coredesign::gui
