// View Report as the program does it: the viewer's module is loaded from the
// program's folder on the first View Report. Linked like the program and
// without the viewer, so the viewer shown is the module's. Also: modules that
// cannot be loaded, and the built program binding every symbol of the module.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QUrl>
#include <cstdio>
#include <fstream>

#include "shell_test_support.h"

namespace coredesign::gui::test {
namespace {

const QString kSorry = QStringLiteral("Sorry for the inconvenience\r\n\r\n");
constexpr int kLoadTimeoutMs = 30000;

bool WebEngineMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("WebEngine");
}

class ViewerPluginTest : public ShellTest {
protected:
    // The program's start (its commands), I Accept, Show Results with the
    // initial inputs: the results screen.
    QWidget* Results() {
        StartApplication(*registry_);
        Settle();
        Press(TopLevel("frmEnter"), "cmdProcess");
        Press(TopLevel("frmXls"), "cmdProcess");
        return TopLevel("frmResult");
    }

    // Presses View Report and waits until the viewer has loaded the report;
    // the viewer, or null when none came up or the page did not load.
    QWidget* ViewReportAndWait(QWidget* results) {
        Press(results, "cmdReport");
        QWidget* viewer = TopLevel("frmHtmlReport");
        if (!viewer) return nullptr;
        QWidget* browser = viewer->findChild<QWidget*>(QStringLiteral("wb"));
        if (!browser) return nullptr;
        QSignalSpy loaded(browser, SIGNAL(loadFinished(bool)));
        if (loaded.isEmpty() && !loaded.wait(kLoadTimeoutMs)) return nullptr;
        return loaded.constFirst().constFirst().toBool() ? viewer : nullptr;
    }

    QString TempReport() const { return temp_.filePath(QStringLiteral("temp.htm")); }
};

// The web engine is not in the process before the first View Report (ctest
// runs each test in a process of its own; run whole, this test comes first).
TEST_F(ViewerPluginTest, FirstViewReportLoadsTheViewerFromTheProgramFolder) {
    QWidget* results = Results();
    ASSERT_NE(results, nullptr);
    EXPECT_FALSE(WebEngineMapped());
    EXPECT_EQ(ViewerPluginFile(),
              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libcoredesign_report_viewer.so")));

    QElapsedTimer sinceClick;
    sinceClick.start();
    QWidget* viewer = ViewReportAndWait(results);
    ASSERT_NE(viewer, nullptr);
    std::printf("[ figure   ] first View Report through the viewer's module: report loaded %lld ms after the click\n",
                static_cast<long long>(sinceClick.elapsed()));
    EXPECT_TRUE(WebEngineMapped());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->findChild<QWidget*>(QStringLiteral("wb"))->property("url").toUrl(),
              QUrl::fromLocalFile(TempReport()));

    // Again: the same viewer and a fresh report, the module already there.
    QFile::remove(TempReport());
    EXPECT_EQ(ViewReportAndWait(results), viewer);
    EXPECT_TRUE(QFile::exists(TempReport()));
    EXPECT_EQ(TopLevels("frmHtmlReport").size(), 1u);

    // The module's file dialog and message box are the registry's seams: its
    // Open asks the stand-in set here, and the failure reaches this test's.
    int dialogs = 0;
    registry_->StandIns().fileDialog = [&](const FileDialogRequest& request) -> std::optional<QString> {
        ++dialogs;
        EXPECT_EQ(request.mode, FileDialogRequest::Mode::Open);
        return temp_.filePath(QStringLiteral("no-such-report.html"));
    };
    Press(viewer, "cmdOpen");
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, kSorry + QStringLiteral("No such file or directory"));
    EXPECT_EQ(messages_[0].title, QStringLiteral("Caution"));
    EXPECT_EQ(ended_, 0);
}

TEST_F(ViewerPluginTest, AModuleThatCannotBeLoadedIsToldAndTheProgramGoesOn) {
    const QString notALibrary = temp_.filePath(QStringLiteral("not-a-library.so"));
    std::ofstream(notALibrary.toStdString()) << "this is not a shared library\n";
    struct Case {
        const char* name;
        QString file;
        QString mentions;  // in the loader's reason
    } const cases[] = {
        {"missing", temp_.filePath(QStringLiteral("missing/libcoredesign_report_viewer.so")),
         QStringLiteral("missing/libcoredesign_report_viewer.so")},
        {"not a library", notALibrary, QStringLiteral("not-a-library.so")},
        {"no View Report entry", QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6"),
         QStringLiteral("coredesign_view_report")},
    };
    QWidget* results = Results();
    ASSERT_NE(results, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.clear();
        InstallViewReportPlugin(*registry_, c.file);
        Press(results, "cmdReport");
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].title, QStringLiteral("Caution"));
        EXPECT_EQ(messages_[0].icon, BoxIcon::Information);
        EXPECT_TRUE(messages_[0].text.startsWith(kSorry)) << messages_[0].text.toStdString();
        EXPECT_TRUE(messages_[0].text.contains(c.mentions)) << messages_[0].text.toStdString();
        EXPECT_EQ(TopLevel("frmHtmlReport"), nullptr);
        EXPECT_TRUE(results->isVisible());
        EXPECT_EQ(ended_, 0);
    }

    // A module missing at the first View Report and there at the next one is
    // loaded then (here a link to the program folder's module).
    const QString later = temp_.filePath(QStringLiteral("libviewer-later.so"));
    InstallViewReportPlugin(*registry_, later);
    messages_.clear();
    Press(results, "cmdReport");
    EXPECT_EQ(messages_.size(), 1u);
    ASSERT_TRUE(QFile::link(ViewerPluginFile(), later));
    messages_.clear();
    EXPECT_NE(ViewReportAndWait(results), nullptr);
    EXPECT_TRUE(messages_.empty());
}

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

}  // namespace
}  // namespace coredesign::gui::test
