// The directions screen: Help writes both texts each time into one screen,
// with the focus on Exit and the input screen's pointer back to normal.
#include "frmDirections.h"

#include <QPushButton>
#include <QTextDocument>

#include "constants.h"
#include "fixed_screens.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using DirectionsTest = ScreenTest;

TEST_F(DirectionsTest, HelpWritesBothTextsEachTimeIntoOneScreen) {
    const QString directions = QString::fromStdString(DirectionsScreen::Directions());
    const QString contact = QString::fromStdString(DirectionsScreen::Contact());
    for (int help = 0; help < 2; ++help) {  // the second time over edits of the first
        Input().setCursor(Qt::WaitCursor);
        Click(Input(), "cmdHelp");
        PumpEvents();
        EXPECT_EQ(Input().cursor().shape(), Qt::ArrowCursor);
        frmDirections* screen = registry->Find<frmDirections>();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(TopLevels("frmDirections").size(), 1u);
        EXPECT_TRUE(screen->isVisible());
        EXPECT_FALSE(screen->isModal());
        EXPECT_EQ(screen->focusWidget(), screen->cmdExit());
        // The directions, 23 lines ended by CR LF and shown as one line each;
        // the maker's address and telephones.
        EXPECT_EQ(screen->txtHelp()->text(), directions);
        EXPECT_EQ(directions.count(QStringLiteral("\r\n")), 23);
        EXPECT_EQ(screen->txtHelp()->document()->blockCount(), 24);
        EXPECT_EQ(screen->TxtHelp2()->text(), contact);
        for (const char* part : {kSupportEmail, kPhoneUsa, kPhoneEurope, kPhoneAsia})
            EXPECT_TRUE(contact.contains(QLatin1String(part))) << part;
        screen->txtHelp()->setText(QStringLiteral("typed over"));
        screen->TxtHelp2()->setText(QString());
        screen->txtHelp()->setFocus();
    }
}

}  // namespace
}  // namespace coredesign::gui::testing
