#include "viewer_plugin.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <type_traits>

#include "frmHtmlReport.h"
#include "report_pdf.h"
#include "report_pdf_entry.h"
#include "runtime.h"

extern "C" Q_DECL_EXPORT void coredesign_view_report(coredesign::gui::ScreenRegistry* registry,
                                                     const QString* reportFile) {
    if (registry && reportFile) coredesign::gui::ShowReport(*registry, *reportFile);
}

// The entry keeps the type the program calls it by.
static_assert(std::is_same_v<decltype(&coredesign_view_report), CoreDesignViewReportEntry>);

namespace {

// Copies `text` (UTF-8) into the caller's buffer, cut to fit.
void TellFailure(const QString& text, char* failure, std::size_t size) {
    if (!failure || size == 0) return;
    const QByteArray bytes = text.toUtf8();
    const std::size_t n = std::min(size - 1, static_cast<std::size_t>(bytes.size()));
    std::memcpy(failure, bytes.constData(), n);
    failure[n] = '\0';
}

// A front end without windows keeps its standard error for its own words:
// the toolkit's and the web engine's notes about a missing display or
// graphics are dropped, its errors pass.
void OnlyErrors(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

extern "C" Q_DECL_EXPORT int coredesign_render_report_pdf(const char* reportFile, const char* pdfFile, char* failure,
                                                          std::size_t failureSize) {
    if (!reportFile || !pdfFile) {
        TellFailure(QStringLiteral("no report or PDF file named"), failure, failureSize);
        return 0;
    }
    // A process without an application (the command-line front end) gets one
    // for this rendering: without a display, and with the web engine's
    // sandbox off when run as root (its sandbox refuses root).
    std::unique_ptr<QApplication> ownApplication;
    QtMessageHandler previousHandler = nullptr;
    if (!QCoreApplication::instance()) {
        previousHandler = qInstallMessageHandler(OnlyErrors);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (coredesign::platform::RunningAsRoot()) {
            QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
            if (!flags.contains("--no-sandbox")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --no-sandbox");
        }
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        static int argc = 1;
        static char name[] = "coredesign-cli";
        static char* argv[] = {name, nullptr};
        ownApplication = std::make_unique<QApplication>(argc, argv);
    }
    QString reason;
    const bool saved =
        coredesign::gui::RenderReportFilePdf(QString::fromUtf8(reportFile), QString::fromUtf8(pdfFile), reason);
    if (!saved) TellFailure(reason, failure, failureSize);
    // The application ends here with the web engine and its helper processes.
    if (ownApplication) {
        ownApplication.reset();
        qInstallMessageHandler(previousHandler);
    }
    return saved ? 1 : 0;
}

// The entry keeps the type the front end calls it by.
static_assert(std::is_same_v<decltype(&coredesign_render_report_pdf), CoreDesignRenderPdfEntry>);
