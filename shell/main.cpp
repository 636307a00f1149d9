// The desktop program: one design record shared by all screens, the screen
// registry, and the first screen. The program ends when the last screen is
// gone (the registry quits the application then).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <cstdio>

#include "app_startup.h"
#include "record.h"
#include "screen_registry.h"

namespace {

// With COREDESIGN_STARTUP_PROBE set, the program reports how it started as
// soon as the first screen is up, and ends: milliseconds from entering main,
// peak resident memory, and whether the web view's libraries were loaded.
void ReportStartupAndQuit(const QElapsedTimer& sinceMain) {
    QTimer::singleShot(0, qApp, [sinceMain] {
        QFile status(QStringLiteral("/proc/self/status"));
        QByteArray peakKb = "unknown";
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:")) peakKb = line.mid(6).trimmed().split(' ').value(0);
        QFile maps(QStringLiteral("/proc/self/maps"));
        const bool webEngine = maps.open(QIODevice::ReadOnly) && maps.readAll().contains("WebEngine");
        std::printf("startup_probe main_ms=%lld peak_rss_kb=%s webengine_loaded=%d\n",
                    static_cast<long long>(sinceMain.elapsed()), peakKb.constData(), webEngine ? 1 : 0);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the report viewer's web engine
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // hidden screens count too: the registry decides

    coredesign::Module1 record;
    coredesign::gui::ScreenRegistry registry(record);
    coredesign::gui::StartApplication(registry);

    if (qEnvironmentVariableIsSet("COREDESIGN_STARTUP_PROBE")) ReportStartupAndQuit(sinceMain);
    return app.exec();
}
