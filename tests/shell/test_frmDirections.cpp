// The directions screen: its texts line by line, one screen however often Help
// is pressed, the focus, the pointer, and its independence.
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

#include "constants.h"
#include "frmDirections.h"
#include "shell_test_support.h"

namespace coredesign::gui::test {
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

QStringList CrLfLines(const QString& text) {
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();  // after the final CR LF
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains(QLatin1Char('\r'))) << line.toStdString();
        EXPECT_FALSE(line.contains(QLatin1Char('\n'))) << line.toStdString();
    }
    return lines;
}

using DirectionsTest = ShellTest;

TEST_F(DirectionsTest, HelpWritesTheDirectionsLineByLine) {
    registry_->Command().ShowDirections();
    frmDirections* screen = registry_->Find<frmDirections>();
    ASSERT_NE(screen, nullptr);
    const QStringList lines = CrLfLines(screen->txtHelp()->text());
    ASSERT_EQ(lines.size(), 23);
    for (int i = 0; i < 23; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(lines[i], QString::fromLatin1(kDirectionLines[i]));
    }
    // 8 empty lines, where listed; the text box shows one line per line.
    EXPECT_EQ(lines.count(QString()), 8);
    EXPECT_EQ(screen->txtHelp()->document()->blockCount(), 24);  // the last CR LF opens an empty line
    EXPECT_EQ(screen->txtHelp()->document()->findBlockByNumber(1).text(),
              QStringLiteral("   Leave 'Cores to Stack' at the default value of 1."));
}

TEST_F(DirectionsTest, HelpWritesTheContactText) {
    registry_->Command().ShowDirections();
    frmDirections* screen = registry_->Find<frmDirections>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(
        screen->TxtHelp2()->text(),
        QStringLiteral("To contact us send an e-mail to applications@kestrova.example or call one of the "
                       "following:\r\n  USA 1-800-555-0142       Europe +44 20 7946 0142       Asia +852 5550 0142"));
}

TEST_F(DirectionsTest, HelpTwiceShowsOneScreenAndWritesTheTextsAgain) {
    registry_->Command().ShowDirections();
    frmDirections* first = registry_->Find<frmDirections>();
    ASSERT_NE(first, nullptr);
    first->txtHelp()->setText(QStringLiteral("typed over"));
    first->TxtHelp2()->setText(QString());

    registry_->Command().ShowDirections();
    Settle();
    EXPECT_EQ(registry_->Find<frmDirections>(), first);
    EXPECT_EQ(Windows("frmDirections"), 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_EQ(first->txtHelp()->text(), DirectionsText());
    EXPECT_EQ(first->TxtHelp2()->text(), ContactText());
    EXPECT_EQ(first->focusWidget(), first->cmdExit());
}

TEST_F(DirectionsTest, ExitClosesTheScreenAndEditsAreLost) {
    registry_->Command().ShowDirections();
    frmDirections* screen = registry_->Find<frmDirections>();
    ASSERT_NE(screen, nullptr);
    screen->txtHelp()->setText(QStringLiteral("my notes"));
    Child<QPushButton>(screen, "cmdExit")->click();
    Settle();
    EXPECT_EQ(registry_->Find<frmDirections>(), nullptr);
    EXPECT_EQ(ended_, 1);

    registry_->Command().ShowDirections();
    ASSERT_NE(registry_->Find<frmDirections>(), nullptr);
    EXPECT_EQ(registry_->Find<frmDirections>()->txtHelp()->text(), DirectionsText());
}

TEST_F(DirectionsTest, ControlsKeepTheirPlacesFontsAndLook) {
    registry_->Command().ShowDirections();
    frmDirections* screen = registry_->Find<frmDirections>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Calculator Explaination"));
    EXPECT_EQ(screen->size(), QSize(Twips(10695), Twips(7845)));

    struct Place {
        const char* name;
        QRect twips;
        double points;
        bool bold;
    };
    const Place places[] = {
        {"Text1", {2880, 120, 5040, 405}, 12, true},
        {"txtHelp", {240, 480, 10215, 5895}, 9.75, false},
        {"cmdExit", {4320, 6480, 1575, 420}, 12, true},
        {"TxtHelp2", {1080, 7080, 8295, 615}, 9.75, false},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        QWidget* w = Child<QWidget>(screen, p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(),
                  QRect(Twips(p.twips.x()), Twips(p.twips.y()), Twips(p.twips.width()), Twips(p.twips.height())));
        EXPECT_EQ(w->font().family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), p.points);
        EXPECT_EQ(w->font().bold(), p.bold);
    }

    auto* text1 = Child<QLineEdit>(screen, "Text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(text1->text(), QStringLiteral("Welcome  to Our Core Calculator"));
    EXPECT_TRUE(text1->isReadOnly());
    EXPECT_FALSE(text1->hasFrame());
    EXPECT_EQ(text1->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(text1->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(Child<QPushButton>(screen, "cmdExit")->text(), QStringLiteral("E&xit"));
    for (MultiLineTextBox* box : {screen->txtHelp(), screen->TxtHelp2()}) {
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
    }
}

TEST_F(DirectionsTest, HelpSetsTheInputScreensPointerBackToNormal) {
    QWidget input;
    input.setCursor(Qt::WaitCursor);
    ShowDirections(*registry_, &input);
    EXPECT_EQ(input.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace coredesign::gui::test
