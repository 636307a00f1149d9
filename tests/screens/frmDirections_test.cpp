// The directions screen: its texts line by line, written again by every Help
// into one screen, the focus, the input screen's pointer, and lost edits.
#include "frmDirections.h"

#include <QPushButton>
#include <QTextDocument>

#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

// The directions as the designer reads them, line by line.
const char* const kDirectionLines[] = {
    "1. Enter your design inputs (all values are required).  Inductance is value at full load.",
    "   Leave 'Cores to Stack' at the default value of 1.",
    "",
    "2. Choose permeability, either 100 Perm (default) or 245 Perm.",
    "",
    "3. Choose Calculator Type, pick 'Calculate Core' (default) and click on 'Show Results'.  The result",
    "    is the recommended core for the entered design.  If acceptable, click on 'View Report' to",
    "    view and print the design summary and/or click on 'Calculations' to view the calculated parameters.",
    "",
    "4.  If outputs are not as desired, click on 'Reset Design Inputs.'  This will return you to the input menu.",
    "",
    "",
    "You now have three choices",
    "",
    "A.  You can stack up a number of smaller cores to achieve the desired inductance.  This results in a reduction",
    "    of the core OD.  You can do this by changing the value in 'Cores to Stack' and pressing the 'Show Results'",
    "    button.  The calculator will automatically calculate the optimum core size for the stacked design.",
    "",
    "B.  Choose a higher permeability, if you were using the default, 100 perm.",
    "",
    "C.  Under 'Choose Calculator Type,' check the 'Pick Core' box.  You may use this function to manually",
    "    select cores from the 'Core Size List' drop down menu or to stack multiple cores.  Click on 'Show Results'",
    "    at anytime to recalculate the design outputs.",
};

using DirectionsTest = ScreenTest;

TEST_F(DirectionsTest, HelpWritesBothTextsEachTimeIntoOneScreen) {
    QWidget input;
    input.setCursor(Qt::WaitCursor);
    ShowDirections(*registry, &input);
    EXPECT_EQ(input.cursor().shape(), Qt::ArrowCursor);
    frmDirections* screen = registry->Find<frmDirections>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Calculator Explaination"));
    EXPECT_EQ(screen->focusWidget(), screen->cmdExit());

    // 23 lines, each ended by CR LF; the text box shows one line per line.
    const QString text = screen->txtHelp()->text();
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    ASSERT_EQ(lines.size(), 23);
    for (int i = 0; i < 23; ++i) EXPECT_EQ(lines[i], QString::fromLatin1(kDirectionLines[i])) << "line " << i + 1;
    EXPECT_EQ(screen->txtHelp()->document()->blockCount(), 24);
    EXPECT_EQ(
        screen->TxtHelp2()->text(),
        QStringLiteral("To contact us send an e-mail to applications@kestrova.example or call one of the "
                       "following:\r\n  USA 1-800-555-0142       Europe +44 20 7946 0142       Asia +852 5550 0142"));

    // Typed over, then Help again: the same screen, its texts and focus back.
    screen->txtHelp()->setText(QStringLiteral("typed over"));
    screen->TxtHelp2()->setText(QString());
    screen->txtHelp()->setFocus();
    ShowDirections(*registry, &input);
    PumpEvents();
    EXPECT_EQ(registry->Find<frmDirections>(), screen);
    EXPECT_EQ(TopLevels("frmDirections").size(), 1u);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->isModal());
    EXPECT_EQ(screen->parentWidget(), nullptr);
    EXPECT_EQ(screen->txtHelp()->text(), text);
    EXPECT_EQ(screen->TxtHelp2()->text(), ContactText());
    EXPECT_EQ(screen->focusWidget(), screen->cmdExit());

    // Exit closes the last screen; edits do not survive into the next one.
    screen->txtHelp()->setText(QStringLiteral("my notes"));
    Press(screen, "cmdExit");
    EXPECT_EQ(registry->Find<frmDirections>(), nullptr);
    EXPECT_EQ(programEnds, 1);
    ShowDirections(*registry, nullptr);
    ASSERT_NE(registry->Find<frmDirections>(), nullptr);
    EXPECT_EQ(registry->Find<frmDirections>()->txtHelp()->text(), text);
}

}  // namespace
}  // namespace coredesign::gui::testing
