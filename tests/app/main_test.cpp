// The built program as a process: it starts without the web engine, within
// its time and memory, and loads the viewer's module with every symbol bound.
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <cstdio>
#include <map>

#include "widgets.h"

namespace coredesign::gui::testing {
namespace {

// The built program: it starts without the web engine, and loads the
// viewer's module with every symbol the module uses bound at once, which
// fails if the program lacks any of them.
TEST(ViewerPluginProgram, TheBuiltProgramLoadsTheViewerModuleWithEverySymbolBound) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("COREDESIGN_STARTUP_PROBE"), QStringLiteral("viewer"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(COREDESIGN_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(30000));
    const QStringList lines = QString::fromLocal8Bit(program.readAllStandardOutput()).split(QLatin1Char('\n'));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitCode(), 0) << errors.toStdString();
    ASSERT_GE(lines.size(), 2) << lines.join(QLatin1Char('\n')).toStdString();
    std::printf("[ figure   ] %s\n[ figure   ] %s\n", qPrintable(lines[0]), qPrintable(lines[1]));
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("startup_probe ")));
    EXPECT_TRUE(lines[0].endsWith(QLatin1String(" webengine_loaded=0")));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("viewer_probe ")));
    EXPECT_TRUE(lines[1].endsWith(QLatin1String(" viewer_plugin=1 webengine_loaded=1"))) << errors.toStdString();
}

// The real program with COREDESIGN_STARTUP_PROBE set reports its figures
// once its first screen is up, and ends. The web view is the viewer's alone:
// the program must not load it to start.
TEST(Program, StartsWithinHalfASecondAndSixtyMegabytesWithoutTheWebView) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("COREDESIGN_STARTUP_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    program.start(QStringLiteral(COREDESIGN_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(20000));
    const double wallMs = timer.nsecsElapsed() / 1e6;
    ASSERT_EQ(program.exitCode(), 0);
    const QString report = QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed();
    std::printf("[ timing   ] start-up (process start to first screen up and exit): %.0f ms; %s\n", wallMs,
                qPrintable(report));
    ASSERT_TRUE(report.startsWith(QLatin1String("startup_probe "))) << Str(report);
    std::map<QString, long long> figures;
    for (const QString& item : report.split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(1))
        figures[item.section(QLatin1Char('='), 0, 0)] = item.section(QLatin1Char('='), 1).toLongLong();
    EXPECT_GT(figures["peak_rss_kb"], 0);
    EXPECT_LT(figures["peak_rss_kb"], 60 * 1024);
    EXPECT_LT(wallMs, 500.0);
    ASSERT_EQ(figures.count(QStringLiteral("webengine_loaded")), 1u);
    EXPECT_EQ(figures["webengine_loaded"], 0);
}

}  // namespace
}  // namespace coredesign::gui::testing
