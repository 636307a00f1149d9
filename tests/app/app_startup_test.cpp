// The program's start-up and its commands: the flow between the screens,
// command by command (which screens exist and which are visible after each
// step, and when the program ends), the start screen, TEMP and a fresh
// start; and View Report as the program does it, loading the viewer's module
// from the program's folder on first use, modules that cannot be loaded
// included. The web link runs the real launcher on the stand-in desktop shell.
#include "app_startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QUrl>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

const QString kSorry = QStringLiteral("Sorry for the inconvenience\r\n\r\n");
constexpr int kLoadTimeoutMs = 30000;

bool WebEngineMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("WebEngine");
}

class ViewerPluginTest : public ScreenTest {
protected:
    // The program's start (its commands), I Accept, Show Results with the
    // initial inputs: the results screen.
    QWidget* StartAndShowResults() {
        StartApplication(*registry);
        PumpEvents();
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

    QString TempReport() const { return TempFile("temp.htm"); }
};

// The web engine is not in the process before the first View Report (ctest
// runs each test in a process of its own; run whole, this test comes first).
TEST_F(ViewerPluginTest, FirstViewReportLoadsTheViewerFromTheProgramFolder) {
    QWidget* results = StartAndShowResults();
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
    registry->StandIns().fileDialog = [&](const FileDialogRequest& request) -> std::optional<QString> {
        ++dialogs;
        EXPECT_EQ(request.mode, FileDialogRequest::Mode::Open);
        return TempFile("no-such-report.html");
    };
    Press(viewer, "cmdOpen");
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kSorry + QStringLiteral("No such file or directory"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Caution"));
    EXPECT_EQ(programEnds, 0);
}

TEST_F(ViewerPluginTest, AModuleThatCannotBeLoadedIsToldAndTheProgramGoesOn) {
    const QString notALibrary = TempFile("not-a-library.so");
    std::ofstream(notALibrary.toStdString()) << "this is not a shared library\n";
    struct Case {
        const char* name;
        QString file;
        QString mentions;  // in the loader's reason
    } const cases[] = {
        {"missing", TempFile("missing/libcoredesign_report_viewer.so"),
         QStringLiteral("missing/libcoredesign_report_viewer.so")},
        {"not a library", notALibrary, QStringLiteral("not-a-library.so")},
        {"no View Report entry", QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6"),
         QStringLiteral("coredesign_view_report")},
    };
    QWidget* results = StartAndShowResults();
    ASSERT_NE(results, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        InstallViewReportPlugin(*registry, c.file);
        Press(results, "cmdReport");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].title, QStringLiteral("Caution"));
        EXPECT_EQ(messages[0].icon, BoxIcon::Information);
        EXPECT_TRUE(messages[0].text.startsWith(kSorry)) << messages[0].text.toStdString();
        EXPECT_TRUE(messages[0].text.contains(c.mentions)) << messages[0].text.toStdString();
        EXPECT_EQ(TopLevel("frmHtmlReport"), nullptr);
        EXPECT_TRUE(results->isVisible());
        EXPECT_EQ(programEnds, 0);
    }

    // A module missing at the first View Report and there at the next one is
    // loaded then (here a link to the program folder's module).
    const QString later = TempFile("libviewer-later.so");
    InstallViewReportPlugin(*registry, later);
    messages.clear();
    Press(results, "cmdReport");
    EXPECT_EQ(messages.size(), 1u);
    ASSERT_TRUE(QFile::link(ViewerPluginFile(), later));
    messages.clear();
    EXPECT_NE(ViewReportAndWait(results), nullptr);
    EXPECT_TRUE(messages.empty());
}

class FlowTest : public ScreenTest {
protected:
    void Start() {
        StartApplication(*registry);
        PumpEvents();
    }

    // "Screen.control": presses the button, clicks the link field, or
    // ("Screen.close") uses the window's own close box.
    void Do(const std::string& action) {
        const size_t dot = action.find('.');
        QWidget* screen = TopLevel(action.substr(0, dot).c_str());
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(screen->isVisible());
        const std::string control = action.substr(dot + 1);
        if (control == "close") {
            screen->close();
        } else if (auto* link = screen->findChild<QLineEdit*>(QString::fromStdString(control))) {
            QTest::mouseClick(link, Qt::LeftButton);
        } else {
            Press(screen, control.c_str());
        }
        PumpEvents();
    }

    // One letter per screen (start, input, results, intermediate outputs,
    // report viewer, directions): '-' none, 'v' visible, 'h' hidden, '2' two.
    static std::string Screens() {
        std::string state;
        for (const char* name :
             {"frmEnter", "frmXls", "frmResult", "frmIntermediateOutput", "frmHtmlReport", "frmDirections"}) {
            const std::vector<QWidget*> w = TopLevels(name);
            state += w.empty() ? '-' : w.size() > 1 ? '2' : w[0]->isVisible() ? 'v' : 'h';
        }
        return state;
    }

    static QLineEdit* Field(const char* name) { return &Child<QLineEdit>(*TopLevel("frmXls"), name); }
};

struct Step {
    const char* action;
    const char* screens;  // afterwards, as FlowTest::Screens() spells them
    int ended = 0;        // times the program has ended
};
struct Walk {
    const char* name;
    std::vector<Step> steps;  // from program start, where only the start screen is shown
};

const char* const kAccept = "frmEnter.cmdProcess";
const char* const kShowResults = "frmXls.cmdProcess";
const char* const kLink = "frmResult.cmdWebLink";

const Walk kWalks[] = {
    {"StartExit", {{"frmEnter.cmdExit", "------", 1}}},
    {"ResultsAndCalculations",
     {{kAccept, "-v----"},
      {kShowResults, "-hv---"},
      {"frmResult.cmdIinterOutput", "-hvv--"},
      {"frmIntermediateOutput.cmdExit", "-hv---"},
      {"frmResult.cmdExit", "-v----"},
      {kShowResults, "-hv---"},
      {"frmResult.close", "-v----"},
      {"frmXls.cmdQuit", "-v----"},
      {"frmXls.cmdExit", "v-----"},
      {"frmEnter.cmdExit", "------", 1}}},
    {"ReportViewer",
     {{kAccept, "-v----"},
      {kShowResults, "-hv---"},
      {"frmResult.cmdReport", "-hv-v-"},
      {"frmHtmlReport.cmdBack", "-hv---"},
      {"frmResult.cmdReport", "-hv-v-"},
      {"frmHtmlReport.cmdExit", "-v----"},
      {"frmXls.cmdExit", "v-----"},
      {"frmEnter.cmdExit", "------", 1}}},
    // The link creates the directions screen unseen; so it does not hold the program.
    {"WebLinkLeavesUnseenDirections",
     {{kAccept, "-v----"},
      {kShowResults, "-hv---"},
      {kLink, "-hv--h"},
      {"frmResult.cmdExit", "-v---h"},
      {"frmXls.cmdExit", "v----h"},
      {"frmEnter.cmdExit", "-----h", 1}}},
    // Help shows one directions screen, whoever made it, and it outlives the
    // input screen and keeps the program running.
    {"HelpAndWebLink",
     {{kAccept, "-v----"},
      {"frmXls.cmdHelp", "-v---v"},
      {"frmDirections.cmdExit", "-v----"},
      {kShowResults, "-hv---"},
      {kLink, "-hv--h"},
      {kLink, "-hv--h"},
      {"frmResult.cmdExit", "-v---h"},
      {"frmXls.cmdHelp", "-v---v"},
      {"frmXls.cmdHelp", "-v---v"},
      {"frmXls.cmdExit", "v----v"},
      {"frmEnter.cmdExit", "-----v"},
      {"frmDirections.cmdExit", "------", 1}}},
};

void PrintTo(const Walk& walk, std::ostream* out) {
    *out << walk.name;
}

class FlowWalk : public FlowTest, public ::testing::WithParamInterface<Walk> {};

TEST_P(FlowWalk, EachStepLeavesTheScreensAsTheFlowSays) {
    Start();
    ASSERT_EQ(Screens(), "v-----");
    int links = 0;
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE(step.action);
        Do(step.action);
        EXPECT_EQ(Screens(), step.screens);
        EXPECT_EQ(programEnds, step.ended);
        if (std::string(step.action) == kLink) ++links;
        EXPECT_FALSE(std::filesystem::exists(temp.File("x27z42j.html")));
    }
    EXPECT_EQ(shell.lookUps, links);
    EXPECT_EQ(shell.opens, links);
    EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Walks, FlowWalk, ::testing::ValuesIn(kWalks),
                         [](const ::testing::TestParamInfo<Walk>& info) { return std::string(info.param.name); });

TEST_F(FlowTest, TheStartScreenPlacesItselfReadsTempAndComesBackAfresh) {
    Start();
    QWidget* start = TopLevel("frmEnter");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->windowTitle(), QStringLiteral("Output Inductor Core Selection Calculator"));
    EXPECT_EQ(start->pos(), QPoint(Twips(700), Twips(600)));
    EXPECT_EQ(record.TempFolder, temp.Path());
    EXPECT_EQ(Child<QLabel>(*start, "Label1").text(), QStringLiteral("Output Inductor Core Design Tool"));
    EXPECT_EQ(Child<QLabel>(*start, "Label6").text(),
              QStringLiteral("Designs generated by this software are believed to be accurate and reliable, but are "
                             "presented without guarantee or warranty, expressed or implied. Designer needs to verify "
                             "all the information provided in this software by using it in actual circuitry. Any "
                             "additional design questions should be directed to:  Kestrova, Inc. Applications "
                             "Development Group at 1-800-555-0142"));

    // Edited inputs, then Cancel: a new start screen, placed again, reads TEMP again.
    Do(kAccept);
    ASSERT_NE(TopLevel("frmXls"), nullptr);
    Field("txtInductance")->setText(QStringLiteral("12"));
    Field("txtFrequency")->setText(QStringLiteral("7"));
    coredesign::testing::TempFolder otherTemp;
    ASSERT_TRUE(otherTemp.Valid());
    tempEnv.emplace("TEMP", otherTemp.Path());
    Do("frmXls.cmdExit");
    ASSERT_NE(TopLevel("frmEnter"), nullptr);
    EXPECT_EQ(TopLevel("frmEnter")->pos(), QPoint(Twips(700), Twips(600)));
    EXPECT_EQ(record.TempFolder, otherTemp.Path());

    // Accept again: the input screen starts from its initial texts.
    Do(kAccept);
    ASSERT_NE(TopLevel("frmXls"), nullptr);
    EXPECT_EQ(Field("txtInductance")->text(), QStringLiteral(".000318"));
    EXPECT_EQ(Field("txtFrequency")->text(), QStringLiteral("50000"));
    EXPECT_EQ(Field("txtStack")->text(), QStringLiteral("1"));
}

TEST_F(FlowTest, WithTempUnsetTheFolderIsThePlatformsOwn) {
    tempEnv.emplace("TEMP", std::nullopt);
    const QByteArray tmpdir = qgetenv("TMPDIR");
    Start();
    EXPECT_EQ(record.TempFolder, tmpdir.isEmpty() ? std::string("/tmp") : tmpdir.toStdString());
}

}  // namespace
}  // namespace coredesign::gui::testing
