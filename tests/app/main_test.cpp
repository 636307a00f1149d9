// The built program as a process: it starts without the web engine, and
// loads the viewer's module with every symbol the module uses bound at once,
// which fails if the program lacks any of them.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "widgets.h"

namespace coredesign::gui::testing {
namespace {

TEST(Program, StartsWithoutTheWebEngineAndLoadsTheViewerModuleWithEverySymbolBound) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("COREDESIGN_STARTUP_PROBE"), QStringLiteral("viewer"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(COREDESIGN_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(30000));
    const QStringList lines = QString::fromLocal8Bit(program.readAllStandardOutput()).split(QLatin1Char('\n'));
    const std::string errors = Str(QString::fromLocal8Bit(program.readAllStandardError()));
    EXPECT_EQ(program.exitCode(), 0) << errors;
    ASSERT_GE(lines.size(), 2) << Str(lines.join(QLatin1Char('\n')));
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("startup_probe "))) << Str(lines[0]);
    EXPECT_TRUE(lines[0].endsWith(QLatin1String(" webengine_loaded=0"))) << Str(lines[0]);
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("viewer_probe "))) << Str(lines[1]);
    EXPECT_TRUE(lines[1].endsWith(QLatin1String(" viewer_plugin=1 webengine_loaded=1"))) << errors;
}

}  // namespace
}  // namespace coredesign::gui::testing
