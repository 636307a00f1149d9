// The flow between the screens, command by command: which screens exist and
// which are visible after each step, and when the program ends. The start
// screen, TEMP and a fresh start. View Report loads the viewer's module as
// the program does; the web link runs the real launcher on the stand-in
// desktop shell.
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <string>

#include "shell_test_support.h"

namespace coredesign::gui::test {
namespace {

class FlowTest : public ShellTest {
protected:
    void Start() {
        StartApplication(*registry_);
        Settle();
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
        Settle();
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

    static QLineEdit* Field(const char* name) { return Child<QLineEdit>(TopLevel("frmXls"), name); }
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
        EXPECT_EQ(ended_, step.ended);
        if (std::string(step.action) == kLink) ++links;
        EXPECT_FALSE(std::filesystem::exists(temp_.filePath(QStringLiteral("x27z42j.html")).toStdString()));
    }
    EXPECT_EQ(shell_.lookUps, links);
    EXPECT_EQ(shell_.opens, links);
    EXPECT_TRUE(messages_.empty());
}

INSTANTIATE_TEST_SUITE_P(Walks, FlowWalk, ::testing::ValuesIn(kWalks),
                         [](const ::testing::TestParamInfo<Walk>& info) { return std::string(info.param.name); });

TEST_F(FlowTest, TheStartScreenPlacesItselfReadsTempAndComesBackAfresh) {
    Start();
    QWidget* start = TopLevel("frmEnter");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->windowTitle(), QStringLiteral("Output Inductor Core Selection Calculator"));
    EXPECT_EQ(start->pos(), QPoint(Twips(700), Twips(600)));
    EXPECT_EQ(record_.TempFolder, temp_.path().toStdString());
    EXPECT_EQ(Child<QLabel>(start, "Label1")->text(), QStringLiteral("Output Inductor Core Design Tool"));
    EXPECT_EQ(Child<QLabel>(start, "Label6")->text(),
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
    QTemporaryDir otherTemp;
    ASSERT_TRUE(otherTemp.isValid());
    tempEnv_.emplace("TEMP", otherTemp.path().toLocal8Bit());
    Do("frmXls.cmdExit");
    ASSERT_NE(TopLevel("frmEnter"), nullptr);
    EXPECT_EQ(TopLevel("frmEnter")->pos(), QPoint(Twips(700), Twips(600)));
    EXPECT_EQ(record_.TempFolder, otherTemp.path().toStdString());

    // Accept again: the input screen starts from its initial texts.
    Do(kAccept);
    ASSERT_NE(TopLevel("frmXls"), nullptr);
    EXPECT_EQ(Field("txtInductance")->text(), QStringLiteral(".000318"));
    EXPECT_EQ(Field("txtFrequency")->text(), QStringLiteral("50000"));
    EXPECT_EQ(Field("txtStack")->text(), QStringLiteral("1"));
}

TEST_F(FlowTest, WithTempUnsetTheFolderIsThePlatformsOwn) {
    tempEnv_.emplace("TEMP", QByteArray());
    const QByteArray tmpdir = qgetenv("TMPDIR");
    Start();
    EXPECT_EQ(record_.TempFolder, tmpdir.isEmpty() ? std::string("/tmp") : tmpdir.toStdString());
}

}  // namespace
}  // namespace coredesign::gui::test
