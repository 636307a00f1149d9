// The desktop program: one design record shared by all screens, the screen
// registry, and the first screen. The program ends when the last screen is
// gone (the registry quits the application then).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "app_startup.h"
#include "command_line.h"
#include "design_record.h"
#include "folders.h"
#include "screen_registry.h"

namespace {

// Peak resident memory in kB, from /proc/self/status.
QByteArray PeakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0);
    return "unknown";
}

// Whether the web view's libraries are mapped into the process.
bool WebEngineMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("WebEngine");
}

// With COREDESIGN_STARTUP_PROBE set, the program reports how it started as
// soon as the first screen is up, and ends: milliseconds from entering main,
// peak resident memory, and whether the web view's libraries were loaded.
// With COREDESIGN_STARTUP_PROBE=viewer it then also loads the report
// viewer's module as the first View Report does and reports that: whether
// it loaded (the reason on stderr if not), how long it took, and the web
// view's libraries once more.
void ReportStartupAndQuit(const QElapsedTimer& sinceMain, bool loadViewer) {
    QTimer::singleShot(0, qApp, [sinceMain, loadViewer] {
        std::printf("startup_probe main_ms=%lld peak_rss_kb=%s webengine_loaded=%d\n",
                    static_cast<long long>(sinceMain.elapsed()), PeakResidentKb().constData(),
                    WebEngineMapped() ? 1 : 0);
        int exitCode = 0;
        if (loadViewer) {
            QElapsedTimer loading;
            loading.start();
            QString failure;
            const bool loaded = coredesign::gui::LoadViewerPlugin(coredesign::gui::ViewerPluginFile(), failure);
            std::printf("viewer_probe load_ms=%lld viewer_plugin=%d webengine_loaded=%d\n",
                        static_cast<long long>(loading.elapsed()), loaded ? 1 : 0, WebEngineMapped() ? 1 : 0);
            if (!loaded) {
                std::fprintf(stderr, "%s\n", qPrintable(failure));
                exitCode = 1;
            }
        }
        std::fflush(stdout);
        QCoreApplication::exit(exitCode);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    coredesign::platform::StartFolder();  // a relative temporary folder is taken from here
    // --help and --version need no display: answered before Qt starts.
    if (const std::optional<int> answered = coredesign::gui::AnswerInformationOptions(argc, argv, std::cout))
        return *answered;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the report viewer's web engine
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // hidden screens count too: the registry decides

    coredesign::DesignRecord record;
    coredesign::gui::ScreenRegistry registry(record);
    const std::optional<std::string> design = coredesign::gui::DesignFileArgument(argc, argv);
    coredesign::gui::StartApplication(registry, design ? QString::fromLocal8Bit(design->c_str()) : QString());

    if (qEnvironmentVariableIsSet("COREDESIGN_STARTUP_PROBE"))
        ReportStartupAndQuit(sinceMain, qgetenv("COREDESIGN_STARTUP_PROBE") == "viewer");
    return app.exec();
}
