#include "frmDirections.h"

#include <QColor>
#include <QLineEdit>
#include <QPushButton>

#include "fixed_screens.h"
#include "qt_text.h"
#include "screen_look.h"

namespace coredesign::gui {
namespace {

const QColor kSilver(192, 192, 192);

}  // namespace

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString MultiLineTextBox::text() const {
    QString plain = toPlainText();
    plain.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return plain;
}

void MultiLineTextBox::setText(const QString& text) {
    setPlainText(text);
}

frmDirections::frmDirections(ScreenRegistry& registry) {
    setObjectName(QStringLiteral("frmDirections"));
    setWindowTitle(Q(DirectionsScreen::kTitle));
    setFixedSize(Twips(10695), Twips(7845));

    text1_ = new QLineEdit(Q(DirectionsScreen::kWelcome), this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setReadOnly(true);
    text1_->setFrame(false);
    text1_->setFocusPolicy(Qt::NoFocus);
    text1_->setFont(look::Arial(12, true));
    look::SetBackground(text1_, kSilver);
    look::PlaceAtTwips(text1_, 2880, 120, 5040, 405);

    txtHelp_ = new MultiLineTextBox(this);
    txtHelp_->setObjectName(QStringLiteral("txtHelp"));
    txtHelp_->setFont(look::Arial(9.75));
    look::SetBackground(txtHelp_, look::kFieldGrey);
    look::PlaceAtTwips(txtHelp_, 240, 480, 10215, 5895);

    const ButtonText& exit = DirectionsScreen::ExitButton();
    cmdExit_ = look::PlacedButton(this, Q(exit.control), Q(exit.caption), look::Arial(12, true), 4320, 6480, 1575, 420);
    connect(cmdExit_, &QPushButton::clicked, this,
            [&registry] { registry.Carry(registry.Flow().Command(FlowCommand::ExitDirections)); });

    txtHelp2_ = new MultiLineTextBox(this);
    txtHelp2_->setObjectName(QStringLiteral("TxtHelp2"));
    txtHelp2_->setFont(look::Arial(9.75));
    look::SetBackground(txtHelp2_, look::kFieldGrey);
    look::PlaceAtTwips(txtHelp2_, 1080, 7080, 8295, 615);

    setTabOrder(txtHelp_, cmdExit_);
    setTabOrder(cmdExit_, txtHelp2_);
}

void frmDirections::Follow(Move move) {
    if (move != Move::Refill) return;
    txtHelp_->setText(Q(DirectionsScreen::Directions()));
    txtHelp2_->setText(Q(DirectionsScreen::Contact()));
    cmdExit_->setFocus(Qt::OtherFocusReason);
}

}  // namespace coredesign::gui
