// The program's start-up and its commands: the flow between the screens,
// step by step (which screens exist and which are shown after each step, the
// messages, and when the program ends), with View Report loading the viewer's
// module from the program's folder and the web link running the real
// launcher on the stand-in desktop shell; the start screen; a design file
// given at the start; and modules that cannot be loaded.
#include "app_startup.h"

#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QSignalSpy>

#include "design_file.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

constexpr int kLoadTimeoutMs = 30000;

class FlowTest : public ScreenTest {
protected:
    void Start() {
        StartApplication(*registry);
        PumpEvents();
    }

    // "Screen.control": presses the button, clicks the link field, or
    // ("Screen.close") uses the window's own close box; "Screen.field=text"
    // types into a field.
    void Do(const std::string& action) {
        const std::size_t dot = action.find('.'), eq = action.find('=');
        QWidget* screen = TopLevel(action.substr(0, dot).c_str());
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(screen->isVisible());
        const std::string control = action.substr(dot + 1, eq == std::string::npos ? eq : eq - dot - 1);
        if (eq != std::string::npos) {
            Child<QLineEdit>(*screen, QString::fromStdString(control))
                .setText(QString::fromStdString(action.substr(eq + 1)));
        } else if (control == "close") {
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

    // Presses View Report and waits until the viewer has loaded the report.
    static bool ViewReportAndWait(QWidget* results) {
        Press(results, "cmdReport");
        QWidget* browser = TopLevel("frmHtmlReport") ? TopLevel("frmHtmlReport")->findChild<QWidget*>("wb") : nullptr;
        if (!browser) return false;
        QSignalSpy loaded(browser, SIGNAL(loadFinished(bool)));
        return (!loaded.isEmpty() || loaded.wait(kLoadTimeoutMs)) && loaded.constFirst().constFirst().toBool();
    }
};

struct Step {
    const char* action;
    const char* screens;  // afterwards, as FlowTest::Screens() spells them
    int ended = 0;        // times the program has ended
};
struct Walk {
    const char* name;
    std::vector<Step> steps;  // from program start, where only the start screen is shown
    std::size_t messages = 0;
};

const char* const kAccept = "frmEnter.cmdProcess";
const char* const kShowResults = "frmXls.cmdProcess";
const char* const kLink = "frmResult.cmdWebLink";

const Walk kWalks[] = {
    {"StartExit", {{"frmEnter.cmdExit", "------", 1}}},
    // Each screen exists at most once, and the program ends with the last.
    {"ResultsAndCalculations",
     {{kAccept, "-v----"},
      {kShowResults, "-hv---"},
      {"frmResult.cmdIinterOutput", "-hvv--"},
      {"frmResult.cmdIinterOutput", "-hvv--"},
      {"frmIntermediateOutput.cmdExit", "-hv---"},
      {"frmResult.cmdIinterOutput", "-hvv--"},
      {"frmResult.cmdExit", "-v-v--"},  // the calculations stay beside the inputs
      {"frmIntermediateOutput.cmdExit", "-v----"},
      {kShowResults, "-hv---"},
      {"frmResult.close", "-v----"},
      {"frmXls.cmdQuit", "-v----"},
      {"frmXls.cmdExit", "v-----"},
      {"frmEnter.cmdExit", "------", 1}}},
    // Back returns to the results; Reset Design closes them for the inputs.
    {"ReportViewer",
     {{kAccept, "-v----"},
      {kShowResults, "-hv---"},
      {"frmResult.cmdReport", "-hv-v-"},
      {"frmHtmlReport.cmdBack", "-hv---"},
      {"frmResult.cmdReport", "-hv-v-"},
      {"frmHtmlReport.cmdExit", "-v----"},
      {"frmXls.cmdExit", "v-----"},
      {"frmEnter.cmdExit", "------", 1}}},
    // A refused run creates the results screen unseen; it does not hold the program.
    {"RefusedRun",
     {{kAccept, "-v----"},
      {"frmXls.txtInductance=", "-v----"},
      {kShowResults, "-vh---"},
      {"frmXls.cmdExit", "v-h---"},
      {"frmEnter.cmdExit", "--h---", 1}},
     1},
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
        EXPECT_FALSE(std::filesystem::exists(temp.File("x27z42j.html")));  // the web link's probe
    }
    EXPECT_EQ(shell.lookUps, links);
    EXPECT_EQ(shell.opens, links);
    EXPECT_EQ(messages.size(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(Walks, FlowWalk, ::testing::ValuesIn(kWalks),
                         [](const ::testing::TestParamInfo<Walk>& info) { return std::string(info.param.name); });

// The start screen places itself and shows its version; after Cancel a new
// one comes, and I Accept then starts from a fresh input screen.
TEST_F(FlowTest, TheStartScreenComesBackAfresh) {
    Start();
    QWidget* start = TopLevel("frmEnter");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->pos(), QPoint(Twips(700), Twips(600)));
    EXPECT_EQ(Child<QLineEdit>(*start, "Text1").text(), QStringLiteral(" (Ver.  2.0.0)"));
    Do(kAccept);
    Child<QLineEdit>(*TopLevel("frmXls"), "txtInductance").setText(QStringLiteral("12"));
    Do("frmXls.cmdExit");
    ASSERT_NE(TopLevel("frmEnter"), nullptr);
    EXPECT_EQ(TopLevel("frmEnter")->pos(), QPoint(Twips(700), Twips(600)));
    Do(kAccept);
    const InputTexts initial;
    for (const InputField& field : kInputFields)
        EXPECT_EQ(Child<QLineEdit>(*TopLevel("frmXls"), field.control).text().toStdString(), initial.*field.text);
}

// coredesign FILE.coredesign: the terms of use first; after I Accept the
// input screen holds the design, and after Cancel the next I Accept starts
// afresh. A refused file is told after I Accept, on the fresh screen.
TEST_F(FlowTest, ADesignFileGivenAtTheStartOpensAfterIAccept) {
    const char* design = "nogap pick=6226TXNG txtStack=3";
    std::string text;
    ASSERT_FALSE(DesignFileText(coredesign::testing::Screen(design), text));
    coredesign::testing::WriteFile(temp.File("choke.coredesign"), text);
    coredesign::testing::WriteFile(temp.File("newer.coredesign"),
                                   "{\"format\": \"coredesign-design\", \"version\": 2}");
    const std::string fresh = coredesign::testing::ScreenState(InputScreen());

    StartApplication(*registry, TempFile("choke.coredesign"));
    PumpEvents();
    EXPECT_EQ(Screens(), "v-----");
    Do(kAccept);
    EXPECT_EQ(coredesign::testing::ScreenState(registry->Find<frmXls>()->Logic()),
              coredesign::testing::ScreenState(coredesign::testing::Screen(design)));
    EXPECT_EQ(Str(Child<QLineEdit>(*TopLevel("frmXls"), "txtStack").text()), "3");
    Do("frmXls.cmdExit");
    Do(kAccept);
    EXPECT_EQ(coredesign::testing::ScreenState(registry->Find<frmXls>()->Logic()), fresh);
    EXPECT_TRUE(messages.empty());

    Fresh();
    StartApplication(*registry, TempFile("newer.coredesign"));
    PumpEvents();
    EXPECT_TRUE(messages.empty());
    Do(kAccept);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("This design file was written by a newer version")))
        << Str(messages[0].text);
    EXPECT_EQ(messages[0].parent, TopLevel("frmXls"));
    EXPECT_EQ(coredesign::testing::ScreenState(registry->Find<frmXls>()->Logic()), fresh);
    EXPECT_EQ(Screens(), "-v----");
}

TEST_F(FlowTest, AModuleThatCannotBeLoadedIsToldAndTheProgramGoesOn) {
    const QString notALibrary = TempFile("not-a-library.so");
    std::ofstream(notALibrary.toStdString()) << "this is not a shared library\n";
    const struct {
        QString file;
        QString mentions;  // in the loader's reason
    } cases[] = {
        {TempFile("missing/libcoredesign_report_viewer.so"), QStringLiteral("missing/libcoredesign_report_viewer.so")},
        {notALibrary, QStringLiteral("not-a-library.so")},
        {QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6"),
         QStringLiteral("coredesign_view_report")},  // no View Report entry
    };
    Start();
    Do(kAccept);
    Do(kShowResults);
    QWidget* results = TopLevel("frmResult");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        messages.clear();
        InstallViewReportPlugin(*registry, c.file);
        Press(results, "cmdReport");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].title, QStringLiteral("Caution"));
        EXPECT_EQ(messages[0].icon, BoxIcon::Information);
        EXPECT_TRUE(messages[0].text.startsWith(SorryMessage(QString()))) << messages[0].text.toStdString();
        EXPECT_TRUE(messages[0].text.contains(c.mentions)) << messages[0].text.toStdString();
        EXPECT_EQ(Screens(), "-hv---");
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
    EXPECT_TRUE(ViewReportAndWait(results));
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace coredesign::gui::testing
