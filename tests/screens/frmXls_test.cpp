// The design input screen: its controls as loaded, the tab order, the
// access keys, the key filter (typed and input-method text), the field
// selection, the family and calculator-type boxes, Clear Results, and how a
// refused or ended run reaches the boxes, the focus and the list.
#include "frmXls.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <map>

#include "design_file.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using InputScreenTest = ScreenTest;

// Which of chkGap, chkNoGap, chkCalcCore and chkPickCore are checked.
std::string BoxStates(const frmXls& input) {
    std::string states;
    for (const char* name : {"chkGap", "chkNoGap", "chkCalcCore", "chkPickCore"})
        states += Child<QCheckBox>(input, name).isChecked() ? '1' : '0';
    return states;
}

TEST_F(InputScreenTest, LoadsWithTheEnginesInitialTextsListsAndModes) {
    frmXls& input = Input();
    const InputTexts initial;
    for (const InputField& field : kInputFields)
        EXPECT_EQ(Str(Field(field.control).text()), initial.*field.text) << field.control;
    EXPECT_EQ(BoxStates(input), "1010");  // 100 Perm, Calculate Core
    EXPECT_EQ(record.CalculatorType, Calculator::CalculateCore);
    EXPECT_TRUE(record.GappedCores);
    // The core list: the gapped family's cores in layout A, nothing chosen.
    EXPECT_EQ(ListState(CoreList()), "35 6205TXGP A enabled");
    EXPECT_EQ(Str(CoreList().currentText()), "");
    EXPECT_EQ(FocusName(), "txtInductance");

    QStringList order;
    QWidget* w = &Field("txtInductance");
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&input) && !w->objectName().isEmpty() &&
            w->window() == &input)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != &Field("txtInductance"));
    EXPECT_EQ(Str(order.join(' ')),
              "txtInductance cmbinductance txtOutPutVoltage txtDCCurrent txtFluxDensity txtFrequency cmbfrequency "
              "txtMinInputVoltage txtMaxInputVoltage txtAmbientTemp txtCurrentDensityFactor txtFill_Factor chkGap "
              "chkNoGap txtStack txtCoreSize cmdProcess cmdQuit cmdExit cmdHelp cmdCompare cmdSaveDesign cmdOpenDesign "
              "chkCalcCore chkPickCore");
}

// Every control's access key (buttons, boxes, captions) belongs to that
// control alone; the design buttons carry the engine's texts and hints.
TEST_F(InputScreenTest, NoTwoControlsShareAnAccessKey) {
    frmXls& input = Input();
    std::map<QString, QString> owners;
    for (QWidget* w : input.findChildren<QWidget*>()) {
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
        if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty()) continue;
        const QString name = w->objectName().isEmpty() ? text : w->objectName();
        EXPECT_TRUE(owners.emplace(key.toString(), name).second)
            << Str(key.toString()) << " of " << Str(name) << " is " << Str(owners[key.toString()]) << "'s";
    }
    EXPECT_EQ(Str(owners[QStringLiteral("Alt+V")]), "cmdSaveDesign");
    EXPECT_EQ(Str(owners[QStringLiteral("Alt+P")]), "cmdOpenDesign");
    EXPECT_EQ(owners.size(), 6u);  // Show Results, Clear Results, Cancel, Compare Cores and the two
    EXPECT_EQ(Str(Child<QPushButton>(input, "cmdSaveDesign").text()), kSaveDesignCaption);
    EXPECT_EQ(Str(Child<QPushButton>(input, "cmdSaveDesign").toolTip()), kSaveDesignHint);
    EXPECT_EQ(Str(Child<QPushButton>(input, "cmdOpenDesign").text()), kOpenDesignCaption);
    EXPECT_EQ(Str(Child<QPushButton>(input, "cmdOpenDesign").toolTip()), kOpenDesignHint);
}

TEST_F(InputScreenTest, TheKeyFilterLetsOnlyDigitsPointsAndBackspaceThrough) {
    for (const InputField& f : kInputFields) {
        QLineEdit& field = Field(f.control);
        field.clear();
        QTest::keyClicks(&field, QStringLiteral("+1a-,.2e &H\r.3"));
        // Text an input method commits is filtered as typed text is.
        QInputMethodEvent composed;
        composed.setCommitString(QString::fromUtf8("4x,\u00E9.5\uFF15"));
        QCoreApplication::sendEvent(&field, &composed);
        // The maximum input voltage alone is not filtered.
        EXPECT_EQ(Str(field.text()),
                  f.control == std::string("txtMaxInputVoltage") ? "+1a-,.2e &H.34x,\u00E9.5\uFF15" : "1.2.34.5")
            << f.control;
    }
    // Backspace edits; the clipboard chords do nothing in a filtered field.
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QLineEdit& field = Field("txtInductance");
    field.setText(QStringLiteral("123"));
    field.setCursorPosition(3);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(Str(field.text()), "12");
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Insert, Qt::ShiftModifier);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Str(field.text()), "12");
    QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Str(QGuiApplication::clipboard()->text()), "abc");
    QLineEdit& maxInput = Field("txtMaxInputVoltage");  // pastes as usual
    maxInput.clear();
    QTest::keyClick(&maxInput, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Str(maxInput.text()), "abc");
}

// A pasted text is taken whole however long, as the command line takes it:
// 40,000 characters with the value at their end.
TEST_F(InputScreenTest, APastedTextIsTakenWholeHoweverLong) {
    const QString pasted = QString(39998, QLatin1Char('0')) + QStringLiteral("50");
    QGuiApplication::clipboard()->setText(pasted);
    QLineEdit& maxInput = Field("txtMaxInputVoltage");  // the field that takes a paste
    maxInput.clear();
    QTest::keyClick(&maxInput, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(maxInput.text().size(), pasted.size());
    ShowResults();
    EXPECT_EQ(record.MaxInputVoltage, 50);
}

// A field that gets the focus selects its whole text, so typing replaces it;
// the focus leaving Cancel goes to the first field.
TEST_F(InputScreenTest, FocusSelectsWholeTextsAndLeavesCancelForTheFirstField) {
    frmXls& input = Input();
    input.activateWindow();
    auto& cancel = Child<QPushButton>(input, "cmdExit");
    for (const InputField& f : kInputFields) {
        cancel.setFocus(Qt::TabFocusReason);
        Field(f.control).setFocus(Qt::MouseFocusReason);
        PumpEvents();
        EXPECT_EQ(FocusName(), "txtInductance") << "the focus left Cancel for " << f.control;
        Field(f.control).setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(&Field(f.control), QStringLiteral("7"));
        EXPECT_EQ(Str(Field(f.control).text()), "7") << f.control;
    }
}

// Each click, and the state of both pairs of boxes, the record, the flux
// density text and the core list after it. Unchecking the chosen box changes
// nothing else, so both boxes of a pair may stand unchecked.
TEST_F(InputScreenTest, FamilyAndCalculatorTypeBoxes) {
    frmXls& input = Input();
    const struct {
        const char* box;
        const char* boxes;
        const char* flux;
        const char* list;
        bool gapped;
        Calculator type;
    } steps[] = {{"chkNoGap", "0110", "0.8", "37 6201TXNG A enabled", false, Calculator::CalculateCore},
                 {"chkNoGap", "0010", "0.7", "37 6201TXNG A enabled", false, Calculator::CalculateCore},
                 {"chkPickCore", "0001", "0.7", "37 6201TXNG B enabled", false, Calculator::PickCore},
                 {"chkGap", "1001", "1.2", "35 6205TXGP A enabled", true, Calculator::PickCore},
                 {"chkPickCore", "1000", "1.2", "35 6205TXGP A enabled", true, Calculator::PickCore},
                 {"chkCalcCore", "1010", "1.2", "0  disabled grey", true, Calculator::CalculateCore},
                 {"chkPickCore", "1001", "1.2", "35 6205TXGP B enabled", true, Calculator::PickCore}};
    SetField("txtFluxDensity", QStringLiteral("1.5"));
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(&step - steps) + ": " + step.box);
        Click(input, step.box);
        EXPECT_EQ(BoxStates(input), step.boxes);
        EXPECT_EQ(Str(Field("txtFluxDensity").text()), step.flux);
        EXPECT_EQ(ListState(CoreList()), step.list);
        EXPECT_EQ(Str(CoreList().currentText()), "");
        EXPECT_EQ(record.GappedCores, step.gapped);
        EXPECT_EQ(record.CalculatorType, step.type);
        if (&step == steps) SetField("txtFluxDensity", QStringLiteral("0.7"));
    }
}

TEST_F(InputScreenTest, ClearResultsEmptiesTheElevenFieldsOnly) {
    frmXls& input = Input();
    Child<QComboBox>(input, "cmbfrequency").setCurrentIndex(1);
    PickCore("6218TXGP");
    Click(input, "cmdQuit");
    for (const InputField& f : kInputFields) EXPECT_EQ(Str(Field(f.control).text()), "") << f.control;
    EXPECT_EQ(Str(Child<QComboBox>(input, "cmbfrequency").currentText()), "kHz");
    EXPECT_TRUE(Child<QCheckBox>(input, "chkPickCore").isChecked());
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), "6218TXGP");
}

// Runs that stop with a message: the engine's message reaches the box,
// parented on the input screen, which stays; the focus lands on the control
// the message names (where it can take it); the list as the run leaves it.
TEST_F(InputScreenTest, AStoppedRunShowsTheEnginesMessageAndMovesTheFocus) {
    const struct {
        const char* screen;
        const char* list;  // the core list afterwards; nullptr: as before
    } cases[] = {
        {"txtInductance=0.0", nullptr},
        {"txtOutPutVoltage=.", nullptr},
        {"txtDCCurrent=0", nullptr},
        {"txtMinInputVoltage=", nullptr},
        {"txtFrequency=1.2.3", nullptr},
        {"txtFluxDensity=0", nullptr},
        {"txtAmbientTemp=", nullptr},
        {"txtCurrentDensityFactor=800.1", nullptr},
        {"txtFill_Factor=0.91", nullptr},
        {"pick=", nullptr},
        {"txtStack=9.6", nullptr},
        {"txtInductance=5", "0  disabled grey"},                           // area product: the list emptied
        {"nogap pick=6201TXNG txtDCCurrent=10", "37 6201TXNG B enabled"},  // DC bias: the list takes the focus
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        Fresh();
        frmXls& input = Input();
        Enter(c.screen);
        const std::string listBefore = ListState(CoreList());
        Child<QPushButton>(input, "cmdProcess").setFocus();
        ShowResults();
        PumpEvents();
        InputScreen engine = coredesign::testing::Screen(c.screen);
        const RunResult& run = engine.ShowResults();
        ASSERT_EQ(run.messages.size(), 1u);
        ExpectMessagesOf(run);
        EXPECT_EQ(messages[0].parent, &input);
        EXPECT_EQ(FocusName(), run.messages[0].focus.empty() ? "cmdProcess" : run.messages[0].focus);
        EXPECT_TRUE(input.isVisible());
        EXPECT_FALSE(Shown(Results()));
        EXPECT_EQ(ListState(CoreList()), c.list ? c.list : listBefore);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy pointer is gone
    }
}

}  // namespace
}  // namespace coredesign::gui::testing
