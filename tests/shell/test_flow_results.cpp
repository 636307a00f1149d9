// The flow from the input screen onwards: Show Results, the results screen's
// commands, the intermediate outputs and the report viewer, and when the
// program ends. The viewer starts the web engine.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>
#include <optional>

#include "frmDirections.h"
#include "frmEnter.h"
#include "frmHtmlReport.h"
#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "frmXls.h"
#include "platform.h"
#include "shell_test_support.h"
#include "view_report.h"

namespace coredesign::gui::test {
namespace {

namespace fs = std::filesystem;

class CountingShell : public platform::DesktopShell {
public:
    int lookUps = 0, opens = 0;
    long LookUpProgram(const std::string&, const std::string&, std::string&) override {
        ++lookUps;
        return platform::kFound;
    }
    long OpenAddress(platform::WindowHandle, const std::string&, const std::string&, const std::string&,
                     const std::string&, int) override {
        ++opens;
        return platform::kOpened;
    }
};

class ResultsFlowTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(temp_.isValid());
        tempEnv_.emplace(temp_.path().toLocal8Bit());
        previousShell_ = platform::SetShell(&shell_);
    }
    void TearDown() override {
        platform::SetShell(previousShell_);
        tempEnv_.reset();
        ShellTest::TearDown();
    }

    // Start, I Accept: the input screen with its initial texts. The viewer
    // is linked into these tests: View Report calls it directly (the
    // program's path through the viewer's module is tested on its own).
    frmXls* Input() {
        StartApplication(*registry_);
        InstallViewReport(*registry_);
        Settle();
        Press(registry_->Find<frmEnter>(), "cmdProcess");
        return registry_->Find<frmXls>();
    }

    // Start, I Accept, Show Results with the initial inputs: the results screen.
    frmResult* Results() {
        frmXls* input = Input();
        if (!input) return nullptr;
        Press(input, "cmdProcess");
        return registry_->Find<frmResult>();
    }

    bool Visible(QWidget* w) const { return w && w->isVisible(); }

    CountingShell shell_;
    platform::DesktopShell* previousShell_ = nullptr;
    QTemporaryDir temp_;
    std::optional<ScopedTemp> tempEnv_;
};

TEST_F(ResultsFlowTest, ShowResultsHidesTheInputAndShowsTheResults) {
    frmResult* results = Results();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    frmXls* input = registry_->Find<frmXls>();
    ASSERT_NE(input, nullptr);
    EXPECT_FALSE(input->isVisible());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(registry_->LiveScreens(), 2);
    EXPECT_EQ(ended_, 0);
}

TEST_F(ResultsFlowTest, AFillWarningKeepsTheInputAndShowsTheIntermediateOutputs) {
    frmXls* input = Input();
    ASSERT_NE(input, nullptr);
    Child<QCheckBox>(input, "chkPickCore")->click();
    auto* list = Child<QComboBox>(input, "txtCoreSize");
    ASSERT_NE(list, nullptr);
    const int entry = list->findText(QStringLiteral("6205TXGP"), Qt::MatchStartsWith);
    ASSERT_GE(entry, 0);
    list->setCurrentIndex(entry);
    Child<QLineEdit>(input, "txtDCCurrent")->setText(QStringLiteral("20"));
    Press(input, "cmdProcess");

    EXPECT_TRUE(record_.DesignWarning);
    EXPECT_TRUE(Visible(input));
    EXPECT_TRUE(Visible(registry_->Find<frmIntermediateOutput>()));
    EXPECT_FALSE(Visible(registry_->Find<frmResult>()));
    EXPECT_FALSE(messages_.empty());
}

TEST_F(ResultsFlowTest, ClearResultsChangesNoScreen) {
    frmXls* input = Input();
    ASSERT_NE(input, nullptr);
    Press(input, "cmdQuit");
    EXPECT_EQ(registry_->Find<frmXls>(), input);
    EXPECT_TRUE(input->isVisible());
    EXPECT_EQ(Child<QLineEdit>(input, "txtInductance")->text(), QString());
    EXPECT_EQ(registry_->LiveScreens(), 1);
    EXPECT_EQ(ended_, 0);
}

TEST_F(ResultsFlowTest, CloseOnTheIntermediateOutputsShowsNoOtherScreen) {
    frmResult* results = Results();
    Press(results, "cmdIinterOutput");
    Press(registry_->Find<frmIntermediateOutput>(), "cmdExit");
    EXPECT_EQ(registry_->Find<frmIntermediateOutput>(), nullptr);
    EXPECT_TRUE(Visible(results));
    EXPECT_FALSE(Visible(registry_->Find<frmXls>()));
    EXPECT_EQ(ended_, 0);
}

TEST_F(ResultsFlowTest, ResetDesignInputsClosesTheResultsAndShowsTheInput) {
    frmResult* results = Results();
    ASSERT_NE(results, nullptr);
    Press(results, "cmdExit");
    EXPECT_EQ(registry_->Find<frmResult>(), nullptr);
    EXPECT_TRUE(Visible(registry_->Find<frmXls>()));
    EXPECT_EQ(ended_, 0);
}

TEST_F(ResultsFlowTest, ClosingTheResultsAnyWayShowsTheInput) {
    frmResult* results = Results();
    ASSERT_NE(results, nullptr);
    results->close();  // the window's own close box
    Settle();
    EXPECT_EQ(registry_->Find<frmResult>(), nullptr);
    EXPECT_TRUE(Visible(registry_->Find<frmXls>()));
    EXPECT_EQ(ended_, 0);
}

TEST_F(ResultsFlowTest, CalculationsShowTheIntermediateOutputs) {
    frmResult* results = Results();
    Press(results, "cmdIinterOutput");
    EXPECT_TRUE(Visible(registry_->Find<frmIntermediateOutput>()));
    EXPECT_TRUE(Visible(results));
}

TEST_F(ResultsFlowTest, TheWebLinkRunsTheLauncher) {
    frmResult* results = Results();
    ASSERT_NE(results, nullptr);
    auto* link = Child<QLineEdit>(results, "cmdWebLink");
    ASSERT_NE(link, nullptr);
    const QPointF centre = QRectF(link->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, link->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, link->mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(link, &press);
    QApplication::sendEvent(link, &release);
    Settle();

    EXPECT_EQ(shell_.lookUps, 1);
    EXPECT_EQ(shell_.opens, 1);
    EXPECT_TRUE(messages_.empty());
    frmDirections* directions = registry_->Find<frmDirections>();
    ASSERT_NE(directions, nullptr);
    EXPECT_FALSE(directions->isVisible());
    EXPECT_FALSE(fs::exists(fs::path(temp_.path().toStdString()) / "x27z42j.html"));

    // Back to the start and out: the unseen directions screen does not hold the program.
    Press(results, "cmdExit");
    Press(registry_->Find<frmXls>(), "cmdExit");
    EXPECT_EQ(ended_, 0);
    Press(registry_->Find<frmEnter>(), "cmdExit");
    EXPECT_EQ(ended_, 1);
}

TEST_F(ResultsFlowTest, ViewReportShowsTheViewerAndBackReturnsToTheResults) {
    frmResult* results = Results();
    Press(results, "cmdReport");
    frmHtmlReport* viewer = registry_->Find<frmHtmlReport>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(fs::exists(fs::path(temp_.path().toStdString()) / "temp.htm"));

    Press(viewer, "cmdBack");
    EXPECT_EQ(registry_->Find<frmHtmlReport>(), nullptr);
    EXPECT_TRUE(Visible(registry_->Find<frmResult>()));
    EXPECT_FALSE(Visible(registry_->Find<frmXls>()));
    EXPECT_EQ(ended_, 0);
}

TEST_F(ResultsFlowTest, ResetDesignInTheViewerReturnsToTheInput) {
    frmResult* results = Results();
    Press(results, "cmdReport");
    frmHtmlReport* viewer = registry_->Find<frmHtmlReport>();
    ASSERT_NE(viewer, nullptr);
    Press(viewer, "cmdExit");
    EXPECT_EQ(registry_->Find<frmHtmlReport>(), nullptr);
    EXPECT_EQ(registry_->Find<frmResult>(), nullptr);
    EXPECT_TRUE(Visible(registry_->Find<frmXls>()));
    EXPECT_EQ(ended_, 0);

    // The input screen is the last screen: Cancel and Exit end the program.
    Press(registry_->Find<frmXls>(), "cmdExit");
    Press(registry_->Find<frmEnter>(), "cmdExit");
    EXPECT_EQ(ended_, 1);
}

}  // namespace
}  // namespace coredesign::gui::test
