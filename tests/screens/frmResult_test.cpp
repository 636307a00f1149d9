// The results screen: its texts against the engine's own for the same
// design, the temperature marking, the refill on activation, the ways back
// to the input screen and what each does to the core list, and its links.
#include "screen_look.h"
#include "screens_test_support.h"

namespace coredesign::gui::testing {
namespace {

using ResultsScreen = ScreensTest;

// The same design without windows, as the command-line tool runs it.
struct Design {
    const char* name;
    bool gapped;
    const char* pick;  // empty: Calculate Core
    std::vector<std::pair<const char*, const char*>> fields;
};

ResultsTexts HeadlessResults(const Design& design, HeadlessSession& session) {
    if (!design.gapped) session.ChooseFamily(false);
    if (*design.pick) {
        session.ChoosePickCore();
        EXPECT_TRUE(session.PickPart(design.pick));
    }
    for (const auto& [field, text] : design.fields) {
        const std::string f = field;
        InputTexts& in = session.Fields();
        std::string* target = f == "txtInductance"    ? &in.txtInductance
                              : f == "txtDCCurrent"   ? &in.txtDCCurrent
                              : f == "txtStack"       ? &in.txtStack
                              : f == "txtAmbientTemp" ? &in.txtAmbientTemp
                              : f == "txtFrequency"   ? &in.txtFrequency
                                                      : nullptr;
        if (!target) throw std::runtime_error("test design uses an unmapped field " + f);
        *target = text;
    }
    session.ShowResults();
    EXPECT_TRUE(session.Results().has_value());
    return session.Results().value_or(ResultsTexts{});
}

class KnownDesign : public ResultsScreen, public ::testing::WithParamInterface<Design> {};

TEST_P(KnownDesign, ShowsTheFiguresTheEngineGivesForTheSameInputs) {
    const Design& design = GetParam();
    frmXls& input = Input();
    if (!design.gapped) QTest::mouseClick(&Child<QCheckBox>(input, "chkNoGap"), Qt::LeftButton);
    if (*design.pick) {
        QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
        PickEntry(design.pick);
    }
    for (const auto& [field, text] : design.fields) SetField(field, QString::fromUtf8(text));
    ShowResults();
    PumpEvents();

    HeadlessSession session;
    const ResultsTexts expected = HeadlessResults(design, session);
    EXPECT_EQ(OutcomeName(session.LastRun().outcome), std::string("results"));
    frmResult* results = registry->Find<frmResult>();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    EXPECT_FALSE(input.isVisible());
    ExpectSameResults(results->Texts(), expected);
    // The boxes show what Texts() reports.
    EXPECT_EQ(Str(Child<QLineEdit>(*results, "txtNoOfTurns").text()), expected.txtNoOfTurns);
    EXPECT_EQ(Str(Child<QLineEdit>(*results, "VoutUnit").text()), " A/cm\u00B2");
    ASSERT_EQ(messages.size(), session.LastRun().messages.size());
    for (size_t k = 0; k < messages.size(); ++k) EXPECT_EQ(Str(messages[k].text), session.LastRun().messages[k].text);
}

INSTANTIATE_TEST_SUITE_P(Designs, KnownDesign,
                         ::testing::Values(Design{"CalculateGapped", true, "", {}},
                                           Design{"CalculateNoGap", false, "", {{"txtDCCurrent", "5"}}},
                                           Design{"PickGappedStacked", true, "6218TXGP", {{"txtStack", "3"}}},
                                           Design{"PickTooHot", true, "6218TXGP", {{"txtAmbientTemp", "150"}}},
                                           Design{
                                               "CalculateMicrohenryFrequency", true, "", {{"txtFrequency", "100000"}}}),
                         [](const ::testing::TestParamInfo<Design>& info) { return std::string(info.param.name); });

TEST_F(ResultsScreen, IsTitledAndPlacedAndOpensOnItsFirstButton) {
    ShowResults();
    frmResult& results = *registry->Find<frmResult>();
    EXPECT_EQ(Str(results.windowTitle()), "Output Inductor Core Design Input Screen");
    EXPECT_EQ(results.pos(), QPoint(Twips(250), Twips(500)));
    EXPECT_EQ(Str(results.focusWidget()->objectName()), "cmdIinterOutput");
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdIinterOutput", "&Calculations"}, {"cmdReport", "&View Report"}, {"cmdExit", "R&eset Design Inputs"}};
    for (const auto& [name, caption] : buttons) EXPECT_EQ(Str(Child<QPushButton>(results, name).text()), caption);
    for (QLineEdit* box : results.findChildren<QLineEdit*>()) EXPECT_TRUE(box->isReadOnly()) << Str(box->objectName());
    EXPECT_EQ(Str(Child<QLineEdit>(results, "cmdWebLink").text()), "www.kestrova.example");
    EXPECT_EQ(Str(Child<QLabel>(results, "Label2").text()),
              "These are the summary design outputs based on defined inputs.");
}

TEST_F(ResultsScreen, TemperatureMarkLastsThroughRefillsUntilTheNextRun) {
    frmXls& input = Input();
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    PickEntry("6218TXGP");
    SetField("txtAmbientTemp", QStringLiteral("150"));
    ShowResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text).rfind("Total temperature for core size selected is > 155\u00B0C.", 0), 0u);
    frmResult& results = *registry->Find<frmResult>();
    QLineEdit& rise = Child<QLineEdit>(results, "txtTotalTempRise");
    auto marked = [&] { return rise.font().bold() && rise.palette().color(QPalette::Text) == look::kRed; };
    EXPECT_TRUE(marked());
    EXPECT_TRUE(results.Texts().txtTotalTempRiseAlarm);

    // Activation refills every box but keeps the mark.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&results, &activate);
    EXPECT_TRUE(marked());

    // Back to the inputs, a cooler design: the input reading clears the mark.
    Click(results, "cmdExit");
    PumpEvents();
    PickEntry("6218TXGP");
    SetField("txtAmbientTemp", QStringLiteral("35"));
    ShowResults();
    frmResult& again = *registry->Find<frmResult>();
    QLineEdit& rise2 = Child<QLineEdit>(again, "txtTotalTempRise");
    EXPECT_FALSE(rise2.font().bold());
    EXPECT_EQ(rise2.palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_FALSE(again.Texts().txtTotalTempRiseAlarm);
}

TEST_F(ResultsScreen, AFailedCheckAlsoClearsTheMarkOfTheScreenItTouches) {
    frmXls& input = Input();
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    PickEntry("6218TXGP");
    SetField("txtAmbientTemp", QStringLiteral("150"));
    ShowResults();
    frmResult* results = registry->Find<frmResult>();
    results->close();  // the close box: back to the inputs, list kept
    PumpEvents();
    ASSERT_EQ(registry->Find<frmResult>(), nullptr);
    SetField("txtInductance", QString());
    ShowResults();
    results = registry->Find<frmResult>();
    ASSERT_NE(results, nullptr);  // created afresh by the input reading
    EXPECT_FALSE(results->isVisible());
    EXPECT_FALSE(results->TemperatureAlarm());
    EXPECT_EQ(results->Texts().txtcore, "6218TXGP");  // the list text was kept by the close box
}

TEST_F(ResultsScreen, ActivationRewritesEveryBoxFromTheRecord) {
    ShowResults();
    frmResult& results = *registry->Find<frmResult>();
    record.Turns = 7;
    record.TempRise = 32.5;
    record.Stack = 3;
    results.hide();
    results.show();
    EXPECT_EQ(results.Texts().txtNoOfTurns, "7");
    EXPECT_EQ(results.Texts().txtTotalTempRise, "32");
    EXPECT_EQ(results.Texts().txtStackout, "* 3");
    record.Turns = 9;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&results, &activate);
    EXPECT_EQ(results.Texts().txtNoOfTurns, "9");
}

TEST_F(ResultsScreen, ClearResultFieldsEmptiesTheEightOutputBoxes) {
    ShowResults();
    frmResult& results = *registry->Find<frmResult>();
    results.ClearResultFields();
    const ResultsTexts t = results.Texts();
    for (const std::string* box : {&t.txtOutCoreSize, &t.txtNoOfTurns, &t.txtWireSize, &t.txtInductanceFull,
                                   &t.txtCopperLoss, &t.txtCoreLoss, &t.txtTotalLoss, &t.txtTotalTempRise})
        EXPECT_EQ(*box, "");
    EXPECT_EQ(t.txtInductanceZero, "318");
    EXPECT_EQ(t.txtDCCurrent, "3.5");
}

// How the designer gets back to the input screen, and the list afterwards.
struct WayBack {
    const char* name;
    bool pickCore;
    bool resetButton;  // else the window's close box
    int listCount;     // entries afterwards
    bool listEnabled;
    const char* listText;
};

class ReturnToInputs : public ResultsScreen, public ::testing::WithParamInterface<WayBack> {};

TEST_P(ReturnToInputs, ShowsTheInputScreenWithTheListAsTheWayBackLeavesIt) {
    const WayBack& way = GetParam();
    frmXls& input = Input();
    if (way.pickCore) {
        QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
        PickEntry("6218TXGP");
    }
    ShowResults();
    frmResult& results = *registry->Find<frmResult>();
    ASSERT_TRUE(results.isVisible());
    if (way.resetButton)
        Click(results, "cmdExit");
    else
        results.close();
    PumpEvents();
    EXPECT_EQ(registry->Find<frmResult>(), nullptr);
    EXPECT_TRUE(input.isVisible());
    EXPECT_EQ(CoreList().count(), way.listCount);
    EXPECT_EQ(CoreList().isEnabled(), way.listEnabled);
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), way.listText);
    EXPECT_EQ(Str(Field("txtDCCurrent").text()), "3.5");  // the fields keep their values
}

INSTANTIATE_TEST_SUITE_P(Ways, ReturnToInputs,
                         ::testing::Values(WayBack{"CalculateReset", false, true, 0, false, ""},
                                           WayBack{"CalculateCloseBox", false, false, 35, true, ""},
                                           WayBack{"PickReset", true, true, 35, true, ""},
                                           WayBack{"PickCloseBox", true, false, 35, true, "6218TXGP"}),
                         [](const ::testing::TestParamInfo<WayBack>& info) { return std::string(info.param.name); });

TEST_F(ResultsScreen, TheNoteTurnsTheLinkYellowThenRedUntilTheScreenIsMadeAfresh) {
    ShowResults();
    frmResult* results = registry->Find<frmResult>();
    QLineEdit& link = Child<QLineEdit>(*results, "cmdWebLink");
    QLabel& note = Child<QLabel>(*results, "Label2");
    EXPECT_EQ(link.palette().color(QPalette::Text), look::kLinkBlue);
    EXPECT_TRUE(link.font().bold());
    EXPECT_TRUE(link.font().underline());
    QTest::mousePress(&note, Qt::LeftButton);
    EXPECT_EQ(link.palette().color(QPalette::Text), look::kLinkYellow);
    QTest::mouseRelease(&note, Qt::LeftButton);
    EXPECT_EQ(link.palette().color(QPalette::Text), look::kRed);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(results, &activate);
    EXPECT_EQ(link.palette().color(QPalette::Text), look::kRed);

    Click(*results, "cmdExit");
    PumpEvents();
    ShowResults();
    results = registry->Find<frmResult>();
    EXPECT_EQ(Child<QLineEdit>(*results, "cmdWebLink").palette().color(QPalette::Text), look::kLinkBlue);
}

TEST_F(ResultsScreen, LinkReportAndCalculationsRunTheirCommands) {
    int web = 0, report = 0;
    registry->Command().LaunchWebSite = [&] { ++web; };
    registry->Command().ViewReport = [&] {
        ++report;
        // The report reads the boxes as they stand.
        EXPECT_EQ(registry->Find<frmResult>()->Texts().txtOutCoreSize, "6218TXGP");
    };
    ShowResults();
    frmResult& results = *registry->Find<frmResult>();
    QTest::mouseClick(&Child<QLineEdit>(results, "cmdWebLink"), Qt::LeftButton);
    EXPECT_EQ(web, 1);
    Click(results, "cmdReport");
    EXPECT_EQ(report, 1);
    Click(results, "cmdIinterOutput");
    ASSERT_NE(registry->Find<frmIntermediateOutput>(), nullptr);
    EXPECT_TRUE(registry->Find<frmIntermediateOutput>()->isVisible());
    EXPECT_TRUE(results.isVisible());
}

}  // namespace
}  // namespace coredesign::gui::testing
