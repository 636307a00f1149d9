// The intermediate outputs screen: its captions and figures against the
// engine's, the look of its rows, figures fixed at creation, and Close.
#include "screen_look.h"
#include "screens_test_support.h"

namespace coredesign::gui::testing {
namespace {

using IntermediateScreen = ScreensTest;

TEST_F(IntermediateScreen, ShowsTheEnginesFiguresForTheDesign) {
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    frmIntermediateOutput& screen = *registry->Find<frmIntermediateOutput>();
    EXPECT_EQ(Str(screen.windowTitle()), "Output Inductor Core Design Intermediate Outputs");
    EXPECT_EQ(screen.pos(), QPoint(Twips(250), Twips(500)));

    HeadlessSession session;
    session.ShowResults();
    const IntermediateTexts expected = MakeIntermediateTexts(session.Record());
    ExpectSameIntermediate(screen.Texts(), expected);
    // The labels themselves, by name.
    EXPECT_EQ(Str(Child<QLabel>(screen, "Label2").text()), "Ripple Current");
    EXPECT_EQ(Str(Child<QLabel>(screen, "Labelo2").text()), expected.Labelo[2]);
    EXPECT_EQ(Str(Child<QLabel>(screen, "Label33").text()), "  (Material Loss + Copper Loss)");
    EXPECT_EQ(Str(Child<QLabel>(screen, "txtWarning").text()), "");
    EXPECT_EQ(Str(Child<QPushButton>(screen, "cmdExit").text()), "&Close");

    // Headings on grey, everything in navy, captions bold, values regular.
    for (int heading : {1, 14, 27}) {
        QLabel& caption = Child<QLabel>(screen, QStringLiteral("Label%1").arg(heading));
        EXPECT_TRUE(caption.autoFillBackground());
        EXPECT_EQ(caption.palette().color(QPalette::Window), look::kFieldGrey) << heading;
    }
    for (int k = 1; k <= 38; ++k) {
        QLabel& caption = Child<QLabel>(screen, QStringLiteral("Label%1").arg(k));
        QLabel& value = Child<QLabel>(screen, QStringLiteral("Labelo%1").arg(k));
        EXPECT_EQ(TextColour(caption), look::kNavy) << k;
        EXPECT_EQ(TextColour(value), look::kNavy) << k;  // the fill factor too: no warning
        EXPECT_TRUE(caption.font().bold()) << k;
        EXPECT_FALSE(value.font().bold()) << k;
        EXPECT_EQ(value.font().pointSizeF(), 9.75) << k;
    }
}

TEST_F(IntermediateScreen, KeepsTheFiguresOfItsCreationAndOpensOnce) {
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    frmIntermediateOutput* screen = registry->Find<frmIntermediateOutput>();
    const IntermediateTexts first = screen->Texts();

    // A new design while it stays open.
    Click(*registry->Find<frmResult>(), "cmdExit");
    PumpEvents();
    SetField("txtDCCurrent", QStringLiteral("5"));
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    EXPECT_EQ(registry->Find<frmIntermediateOutput>(), screen);
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) count += qobject_cast<frmIntermediateOutput*>(w) ? 1 : 0;
    EXPECT_EQ(count, 1);
    ExpectSameIntermediate(screen->Texts(), first);
    EXPECT_NE(MakeIntermediateTexts(record).Labelo[3], first.Labelo[3]);  // the record did move on

    // Closed and opened again: the new figures.
    Click(*screen, "cmdExit");
    PumpEvents();
    EXPECT_EQ(registry->Find<frmIntermediateOutput>(), nullptr);
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    ExpectSameIntermediate(registry->Find<frmIntermediateOutput>()->Texts(), MakeIntermediateTexts(record));
}

TEST_F(IntermediateScreen, CloseAfterAnOrdinaryDesignLeavesTheListAlone) {
    frmXls& input = Input();
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    PickEntry("6218TXGP");
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    Click(*registry->Find<frmIntermediateOutput>(), "cmdExit");
    PumpEvents();
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), "6218TXGP");
    EXPECT_TRUE(registry->Find<frmResult>()->isVisible());  // nothing else is shown or hidden
    EXPECT_FALSE(input.isVisible());
}

}  // namespace
}  // namespace coredesign::gui::testing
