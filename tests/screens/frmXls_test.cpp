// The design input screen: its controls as loaded, the key filter, the
// field selection, the family and calculator-type boxes, the input checks
// with their messages and focus, and the commands that leave the screen.
#include <QClipboard>
#include <QGuiApplication>

#include "screen_look.h"
#include "screens_test_support.h"

namespace coredesign::gui::testing {
namespace {

using InputScreen = ScreensTest;

const char* const kFields[] = {"txtInductance",      "txtOutPutVoltage", "txtDCCurrent",
                               "txtFluxDensity",     "txtFrequency",     "txtMinInputVoltage",
                               "txtMaxInputVoltage", "txtAmbientTemp",   "txtCurrentDensityFactor",
                               "txtFill_Factor",     "txtStack"};

TEST_F(InputScreen, LoadsWithItsInitialTextsListsAndModes) {
    frmXls& input = Input();
    EXPECT_EQ(Str(input.windowTitle()), "Output Inductor Core Design Tool");
    EXPECT_EQ(input.pos(), QPoint(Twips(700), Twips(600)));
    const std::pair<const char*, const char*> initial[] = {
        {"txtInductance", ".000318"}, {"txtOutPutVoltage", "10"}, {"txtDCCurrent", "3.5"},
        {"txtFluxDensity", "1.2"},    {"txtFrequency", "50000"},  {"txtMinInputVoltage", "24"},
        {"txtMaxInputVoltage", "50"}, {"txtAmbientTemp", "35"},   {"txtCurrentDensityFactor", "400"},
        {"txtFill_Factor", ".4"},     {"txtStack", "1"}};
    for (const auto& [name, text] : initial) {
        QLineEdit& field = Field(name);
        EXPECT_EQ(Str(field.text()), text) << name;
        EXPECT_TRUE(field.alignment() & Qt::AlignRight) << name;
        EXPECT_TRUE(field.font().bold()) << name;
        EXPECT_EQ(field.font().pointSizeF(), 12) << name;
        EXPECT_EQ(field.palette().color(QPalette::Base), look::kFieldGrey) << name;
    }
    EXPECT_EQ(Str(Field("txtDensityFactorUom").text()), " A/cm\u00B2");

    auto items = [&](const char* name) {
        QComboBox& list = Child<QComboBox>(input, QString::fromUtf8(name));
        EXPECT_FALSE(list.isEditable()) << name;
        QStringList texts;
        for (int k = 0; k < list.count(); ++k) texts << list.itemText(k);
        return Str(texts.join('|')) + " @" + Str(list.currentText());
    };
    EXPECT_EQ(items("cmbinductance"), "Henry|millihenry|microhenry @Henry");
    EXPECT_EQ(items("cmbfrequency"), "Hz|kHz @Hz");

    EXPECT_TRUE(Child<QCheckBox>(input, "chkGap").isChecked());
    EXPECT_FALSE(Child<QCheckBox>(input, "chkNoGap").isChecked());
    EXPECT_TRUE(Child<QCheckBox>(input, "chkCalcCore").isChecked());
    EXPECT_FALSE(Child<QCheckBox>(input, "chkPickCore").isChecked());
    EXPECT_EQ(record.CalculatorType, 1);
    EXPECT_TRUE(record.GappedCores);
    EXPECT_EQ(record.WireTableAWG.size(), 38u);  // the wire table: 37 sizes after the unused element 0

    // The core list: layout A of the gapped family, enabled and black, nothing chosen.
    QComboBox& list = CoreList();
    ASSERT_EQ(list.count(), 35);
    EXPECT_EQ(Str(list.itemText(0)), "");
    EXPECT_EQ(Str(list.itemText(1)),
              std::string("6205TXGP") + std::string(12, ' ') + " OD= 13mm,  ID= 7 mm, Height = 6mm");
    for (int k = 1; k < list.count(); ++k)
        EXPECT_EQ(PartNumberOfEntry(Str(list.itemText(k))), record.CorePartNo[k]) << "row " << k;
    EXPECT_EQ(Str(list.currentText()), "");
    EXPECT_TRUE(list.isEnabled());
    EXPECT_EQ(list.palette().color(QPalette::ButtonText), QColor(Qt::black));

    const std::pair<const char*, const char*> hints[] = {
        {"txtInductance", "Inductance should not be greater than 0.1 Henries"},
        {"txtDCCurrent", "Output Power should not be greater than 5000 watts"},
        {"txtFrequency", " Frequency should not be greater than 1000000 Hz."},
        {"chkGap", "Gapped PFC  Quorvane Cores are used by calculator."},
        {"chkNoGap", "No-Gap Quorvane Cores are used by calculator."},
        {"txtStack", "Number of Cores to Stack In Calculations"},
        {"cmdHelp", "Directions on how to use this product."}};
    for (const auto& [name, hint] : hints) EXPECT_EQ(Str(Child(input, name).toolTip()), hint) << name;

    const std::pair<const char*, const char*> captions[] = {{"cmdProcess", "&Show Results"},
                                                            {"cmdQuit", "Clear &Results"},
                                                            {"cmdExit", "&Cancel"},
                                                            {"cmdHelp", "Help"},
                                                            {"chkGap", "100 Perm"},
                                                            {"chkNoGap", "245 Perm"},
                                                            {"chkCalcCore", "Calculate Core"},
                                                            {"chkPickCore", "Pick Core"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(Str(Child<QAbstractButton>(input, name).text()), caption) << name;
    EXPECT_EQ(Str(input.focusWidget()->objectName()), "txtInductance");
}

TEST_F(InputScreen, TabMovesThroughTheControlsInTheirOrder) {
    frmXls& input = Input();
    std::vector<std::string> order;
    QWidget* w = &Field("txtInductance");
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&input) && !w->objectName().isEmpty() &&
            w->window() == &input)
            order.push_back(Str(w->objectName()));
        w = w->nextInFocusChain();
    } while (w != &Field("txtInductance"));
    const std::vector<std::string> expected = {"txtInductance",
                                               "cmbinductance",
                                               "txtOutPutVoltage",
                                               "txtDCCurrent",
                                               "txtFluxDensity",
                                               "txtFrequency",
                                               "cmbfrequency",
                                               "txtMinInputVoltage",
                                               "txtMaxInputVoltage",
                                               "txtAmbientTemp",
                                               "txtCurrentDensityFactor",
                                               "txtFill_Factor",
                                               "chkGap",
                                               "chkNoGap",
                                               "txtStack",
                                               "txtCoreSize",
                                               "cmdProcess",
                                               "cmdQuit",
                                               "cmdExit",
                                               "cmdHelp",
                                               "chkCalcCore",
                                               "chkPickCore"};
    EXPECT_EQ(order, expected);
}

// Keys typed into a field, and the text it shows afterwards (the field starts empty).
struct Typing {
    const char* field;
    const char* keys;
    const char* shown;
};

class KeyFilter : public InputScreen, public ::testing::WithParamInterface<Typing> {};

TEST_P(KeyFilter, LetsOnlyDigitsPointsAndBackspaceThrough) {
    QLineEdit& field = Field(GetParam().field);
    field.clear();
    QTest::keyClicks(&field, QString::fromUtf8(GetParam().keys));
    EXPECT_EQ(Str(field.text()), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KeyFilter,
    ::testing::Values(Typing{"txtInductance", "1a-,2", "12"}, Typing{"txtInductance", "1.2.3", "1.2.3"},
                      Typing{"txtOutPutVoltage", "+1e5 ", "15"}, Typing{"txtDCCurrent", "3,5", "35"},
                      Typing{"txtFluxDensity", "0.8T", "0.8"}, Typing{"txtFrequency", "50k", "50"},
                      Typing{"txtMinInputVoltage", "-24", "24"}, Typing{"txtAmbientTemp", "35C", "35"},
                      Typing{"txtCurrentDensityFactor", "&H10", "10"}, Typing{"txtFill_Factor", ".4x", ".4"},
                      Typing{"txtStack", "2\r", "2"},
                      // The maximum input voltage has no filter.
                      Typing{"txtMaxInputVoltage", "48V", "48V"}, Typing{"txtMaxInputVoltage", "-1e2", "-1e2"}));

TEST_F(InputScreen, BackspaceEditsAndTheClipboardChordsDoNothingInFilteredFields) {
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QLineEdit& field = Field("txtInductance");
    field.setText(QStringLiteral("123"));
    field.setCursorPosition(3);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(Str(field.text()), "12");
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Str(field.text()), "12");
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Str(field.text()), "12");
    QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Str(QGuiApplication::clipboard()->text()), "abc");

    // The unfiltered field pastes as usual.
    QLineEdit& maxInput = Field("txtMaxInputVoltage");
    maxInput.clear();
    QTest::keyClick(&maxInput, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Str(maxInput.text()), "abc");
}

TEST_F(InputScreen, AFieldThatGetsTheFocusSelectsItsWholeText) {
    frmXls& input = Input();
    input.activateWindow();
    for (const char* name : kFields) {
        QLineEdit& field = Field(name);
        field.setText(QStringLiteral("12.5"));
        field.deselect();
        Child<QPushButton>(input, "cmdProcess").setFocus();
        field.setFocus(Qt::MouseFocusReason);
        PumpEvents();
        EXPECT_EQ(Str(field.selectedText()), "12.5") << name;
        EXPECT_EQ(field.cursorPosition(), 0) << name;
    }
    // Typing then replaces the old value.
    QLineEdit& stack = Field("txtStack");
    QTest::keyClicks(&stack, QStringLiteral("3"));
    EXPECT_EQ(Str(stack.text()), "3");
}

TEST_F(InputScreen, FamilyBoxesSwitchTheCatalogueAndMayBothStandUnchecked) {
    frmXls& input = Input();
    auto& gap = Child<QCheckBox>(input, "chkGap");
    auto& noGap = Child<QCheckBox>(input, "chkNoGap");
    SetField("txtFluxDensity", QStringLiteral("1.5"));

    QTest::mouseClick(&noGap, Qt::LeftButton);
    EXPECT_FALSE(record.GappedCores);
    EXPECT_TRUE(noGap.isChecked());
    EXPECT_FALSE(gap.isChecked());
    EXPECT_EQ(Str(Field("txtFluxDensity").text()), "0.8");
    ASSERT_EQ(CoreList().count(), 37);
    EXPECT_EQ(Str(CoreList().itemText(1)),
              std::string("6201TXNG") + std::string(12, ' ') + " OD= 9mm,  ID= 4 mm, Height = 5mm");

    // Unchecking the chosen family changes nothing else.
    SetField("txtFluxDensity", QStringLiteral("0.7"));
    QTest::mouseClick(&noGap, Qt::LeftButton);
    EXPECT_FALSE(noGap.isChecked());
    EXPECT_FALSE(gap.isChecked());
    EXPECT_FALSE(record.GappedCores);
    EXPECT_EQ(Str(Field("txtFluxDensity").text()), "0.7");
    EXPECT_EQ(CoreList().count(), 37);

    QTest::mouseClick(&gap, Qt::LeftButton);
    EXPECT_TRUE(record.GappedCores);
    EXPECT_EQ(Str(Field("txtFluxDensity").text()), "1.2");
    EXPECT_EQ(CoreList().count(), 35);
    EXPECT_EQ(record.CatalogueRows(), 34);
}

TEST_F(InputScreen, CalculatorTypeBoxesFillGreyAndEnableTheCoreList) {
    frmXls& input = Input();
    auto& calc = Child<QCheckBox>(input, "chkCalcCore");
    auto& pick = Child<QCheckBox>(input, "chkPickCore");
    QComboBox& list = CoreList();
    list.setEnabled(false);

    QTest::mouseClick(&pick, Qt::LeftButton);
    EXPECT_EQ(record.CalculatorType, 2);
    EXPECT_FALSE(calc.isChecked());
    EXPECT_TRUE(list.isEnabled());
    EXPECT_EQ(list.palette().color(QPalette::ButtonText), QColor(Qt::black));
    ASSERT_EQ(list.count(), 35);
    EXPECT_EQ(Str(list.itemText(1)), std::string("6205TXGP") + std::string(12, ' ') + " HT= 6mm,  OD= 13 mm, ID = 7mm");
    EXPECT_EQ(Str(list.currentText()), "");

    // A family change refills in layout A, whatever the mode.
    QTest::mouseClick(&Child<QCheckBox>(input, "chkNoGap"), Qt::LeftButton);
    EXPECT_NE(Str(list.itemText(1)).find(" OD= 9mm,  ID= 4 mm, Height = 5mm"), std::string::npos);
    QTest::mouseClick(&pick, Qt::LeftButton);  // unchecks: nothing else
    EXPECT_EQ(record.CalculatorType, 2);
    EXPECT_FALSE(pick.isChecked());
    EXPECT_FALSE(calc.isChecked());
    QTest::mouseClick(&pick, Qt::LeftButton);
    EXPECT_EQ(list.count(), 37);
    EXPECT_NE(Str(list.itemText(1)).find(" HT= 5mm,  OD= 9 mm, ID = 4mm"), std::string::npos);

    QTest::mouseClick(&calc, Qt::LeftButton);
    EXPECT_EQ(record.CalculatorType, 1);
    EXPECT_FALSE(pick.isChecked());
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(list.palette().color(QPalette::ButtonText), look::kButtonGrey);
}

TEST_F(InputScreen, ClearResultsEmptiesTheElevenFieldsOnly) {
    frmXls& input = Input();
    Child<QComboBox>(input, "cmbfrequency").setCurrentIndex(1);
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    PickEntry("6218TXGP");
    Click(input, "cmdQuit");
    for (const char* name : kFields) EXPECT_EQ(Str(Field(name).text()), "") << name;
    EXPECT_EQ(Str(Child<QComboBox>(input, "cmbfrequency").currentText()), "kHz");
    EXPECT_TRUE(Child<QCheckBox>(input, "chkPickCore").isChecked());
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), "6218TXGP");
    EXPECT_EQ(Str(Field("txtDensityFactorUom").text()), " A/cm\u00B2");
}

// One input check: the field, its text, the message and where the focus goes.
struct Check {
    const char* field;
    const char* text;
    const char* message;
    const char* focus;
};

class InputCheck : public InputScreen, public ::testing::WithParamInterface<Check> {};

TEST_P(InputCheck, RefusesTheFieldWithItsMessageAndFocus) {
    frmXls& input = Input();
    Field(GetParam().field).setText(QString::fromUtf8(GetParam().text));
    Child<QPushButton>(input, "cmdProcess").setFocus();
    ShowResults();
    PumpEvents();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text), GetParam().message);
    EXPECT_EQ(Str(messages[0].title), "Caution");
    EXPECT_EQ(messages[0].icon, BoxIcon::Information);
    EXPECT_EQ(messages[0].parent, &input);
    ASSERT_NE(input.focusWidget(), nullptr);
    EXPECT_EQ(Str(input.focusWidget()->objectName()), GetParam().focus);
    EXPECT_TRUE(input.isVisible());
    ASSERT_NE(registry->Find<frmResult>(), nullptr);  // the input reading touched it
    EXPECT_FALSE(registry->Find<frmResult>()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy pointer is gone
}

INSTANTIATE_TEST_SUITE_P(
    Checks, InputCheck,
    ::testing::Values(Check{"txtInductance", "", "Enter Inductance Value > 0.", "txtInductance"},
                      Check{"txtInductance", "0.0", "Enter Inductance Value > 0.", "txtInductance"},
                      Check{"txtOutPutVoltage", ".", "Enter Output Voltage Value > 0.", "txtOutPutVoltage"},
                      Check{"txtDCCurrent", "0", "Enter DC Current Value > 0.", "txtDCCurrent"},
                      Check{"txtMinInputVoltage", "", "Enter Minimum Input Voltage > 0.", "txtMinInputVoltage"},
                      Check{"txtFrequency", "1.2.3", "Enter the Frequency Value > 0.", "txtFrequency"},
                      Check{"txtFluxDensity", "0", "Enter a Flux Density > 0.", "txtFluxDensity"},
                      Check{"txtAmbientTemp", "", "Enter an ambient temperature > 0", "txtAmbientTemp"},
                      Check{"txtCurrentDensityFactor", "249.9", "Enter a Current Density Factor between 250 and 800.",
                            "txtCurrentDensityFactor"},
                      Check{"txtCurrentDensityFactor", "800.1", "Enter a Current Density Factor between 250 and 800.",
                            "txtCurrentDensityFactor"},
                      Check{"txtFill_Factor", "0.91", "Enter a Window Fill Factor between 0 and .9", "txtFill_Factor"},
                      Check{"txtFill_Factor", "0", "Enter a Window Fill Factor between 0 and .9", "txtFill_Factor"},
                      Check{"txtStack", "0", "Please select to stack between 1 and 9 cores.", "txtStack"},
                      Check{"txtStack", "9.6", "Please select to stack between 1 and 9 cores.", "txtStack"}));

TEST_F(InputScreen, PickCoreWithTheEmptyEntryAsksForACore) {
    frmXls& input = Input();
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    CoreList().setCurrentIndex(0);
    ShowResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text), "Please select Core size from list of values. ");
    EXPECT_EQ(Str(input.focusWidget()->objectName()), "txtCoreSize");
}

TEST_F(InputScreen, AnEmptyStackFieldReadsOneAndTheDesignGoesOn) {
    SetField("txtStack", QString());
    ShowResults();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Str(Field("txtStack").text()), "1");
    EXPECT_EQ(record.Stack, 1);
    EXPECT_TRUE(registry->Find<frmResult>()->isVisible());
}

// Unit choices reach the record through the lists' texts.
TEST_F(InputScreen, UnitListsConvertTheFieldsIntoBaseUnits) {
    frmXls& input = Input();
    Child<QComboBox>(input, "cmbfrequency").setCurrentIndex(1);   // kHz
    Child<QComboBox>(input, "cmbinductance").setCurrentIndex(2);  // microhenry
    SetField("txtFrequency", QStringLiteral("50"));
    SetField("txtInductance", QStringLiteral("318"));
    SetField("txtMaxInputVoltage", QStringLiteral("48V"));
    SetField("txtStack", QStringLiteral("2.5"));
    ShowResults();
    EXPECT_EQ(record.Frequency, 50000);
    EXPECT_DOUBLE_EQ(record.InductanceEntered, 0.000318);
    EXPECT_EQ(record.MaxInputVoltage, 48);
    EXPECT_EQ(record.Stack, 2);
}

TEST_F(InputScreen, AreaProductBeyondTheCatalogueEmptiesAndDisablesTheList) {
    frmXls& input = Input();
    SetField("txtInductance", QStringLiteral("5"));
    ShowResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text).rfind("Calculated area product exceeds the maximum", 0), 0u);
    EXPECT_EQ(Str(messages[0].title), "Caution");
    EXPECT_EQ(CoreList().count(), 0);
    EXPECT_FALSE(CoreList().isEnabled());
    EXPECT_TRUE(input.isVisible());
}

TEST_F(InputScreen, DcBiasMovesTheFocusToTheCoreListOnlyWhenItIsEnabled) {
    frmXls& input = Input();
    QTest::mouseClick(&Child<QCheckBox>(input, "chkNoGap"), Qt::LeftButton);
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    PickEntry("6201TXNG");
    SetField("txtDCCurrent", QStringLiteral("10"));
    Child<QPushButton>(input, "cmdProcess").setFocus();
    ShowResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text).rfind("DC bias capability exceeded for selected core.", 0), 0u);
    EXPECT_EQ(Str(input.focusWidget()->objectName()), "txtCoreSize");
    EXPECT_TRUE(input.isVisible());
}

TEST_F(InputScreen, CancelClosesTheScreenThenShowsTheStartScreen) {
    int startShown = 0;
    bool inputGoneFirst = false;
    registry->Command().ShowStart = [&] {
        ++startShown;
        inputGoneFirst = !registry->Find<frmXls>()->isVisible();
    };
    Click(Input(), "cmdExit");
    PumpEvents();
    EXPECT_EQ(startShown, 1);
    EXPECT_TRUE(inputGoneFirst);
    EXPECT_EQ(registry->Find<frmXls>(), nullptr);
    // A new input screen starts from the initial texts again.
    EXPECT_EQ(Str(Field("txtInductance").text()), ".000318");
}

TEST_F(InputScreen, TheFocusLeavingCancelGoesToTheFirstField) {
    frmXls& input = Input();
    input.activateWindow();
    auto& cancel = Child<QPushButton>(input, "cmdExit");
    cancel.setFocus(Qt::TabFocusReason);
    PumpEvents();
    ASSERT_TRUE(cancel.hasFocus());
    QTest::keyClick(&cancel, Qt::Key_Tab);
    PumpEvents();
    EXPECT_EQ(Str(input.focusWidget()->objectName()), "txtInductance");
    EXPECT_EQ(Str(Field("txtInductance").selectedText()), ".000318");

    cancel.setFocus(Qt::TabFocusReason);
    Child<QPushButton>(input, "cmdQuit").setFocus(Qt::MouseFocusReason);
    PumpEvents();
    EXPECT_EQ(Str(input.focusWidget()->objectName()), "txtInductance");
}

TEST_F(InputScreen, HelpShowsTheDirectionsAndTheNormalPointer) {
    int shown = 0;
    registry->Command().ShowDirections = [&] { ++shown; };
    frmXls& input = Input();
    input.setCursor(Qt::WaitCursor);
    Click(input, "cmdHelp");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(input.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace coredesign::gui::testing
