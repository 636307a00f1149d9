// The directions screen: Help writes both texts each time into one screen,
// with the focus on Exit and the input screen's pointer back to normal.
#include "frmDirections.h"

#include <QPushButton>
#include <QTextDocument>

#include "constants.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using DirectionsTest = ScreenTest;

TEST_F(DirectionsTest, HelpWritesBothTextsEachTimeIntoOneScreen) {
    QWidget input;
    input.setCursor(Qt::WaitCursor);
    ShowDirections(*registry, &input);
    EXPECT_EQ(input.cursor().shape(), Qt::ArrowCursor);
    frmDirections* screen = registry->Find<frmDirections>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->focusWidget(), screen->cmdExit());
    EXPECT_FALSE(screen->isModal());
    EXPECT_EQ(screen->parentWidget(), nullptr);

    // The directions in the first box, 23 lines ended by CR LF, each shown as
    // one line; the maker's address and telephones in the second.
    const QString text = screen->txtHelp()->text();
    EXPECT_EQ(text, DirectionsText());
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 23);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(screen->txtHelp()->document()->blockCount(), 24);
    EXPECT_EQ(screen->TxtHelp2()->text(), ContactText());
    for (const char* contact : {kSupportEmail, kPhoneUsa, kPhoneEurope, kPhoneAsia})
        EXPECT_TRUE(ContactText().contains(QLatin1String(contact))) << contact;

    // Typed over, then Help again: the same screen, its texts and focus back.
    screen->txtHelp()->setText(QStringLiteral("typed over"));
    screen->TxtHelp2()->setText(QString());
    screen->txtHelp()->setFocus();
    ShowDirections(*registry, &input);
    PumpEvents();
    EXPECT_EQ(registry->Find<frmDirections>(), screen);
    EXPECT_EQ(screen->txtHelp()->text(), text);
    EXPECT_EQ(screen->TxtHelp2()->text(), ContactText());
    EXPECT_EQ(screen->focusWidget(), screen->cmdExit());

    // Edits do not survive into the next screen.
    screen->txtHelp()->setText(QStringLiteral("my notes"));
    Press(screen, "cmdExit");
    EXPECT_EQ(registry->Find<frmDirections>(), nullptr);
    ShowDirections(*registry, nullptr);
    ASSERT_NE(registry->Find<frmDirections>(), nullptr);
    EXPECT_EQ(registry->Find<frmDirections>()->txtHelp()->text(), text);
}

}  // namespace
}  // namespace coredesign::gui::testing
