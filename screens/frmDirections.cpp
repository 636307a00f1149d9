#include "frmDirections.h"

#include <QColor>
#include <QLineEdit>
#include <QPushButton>

#include "constants.h"
#include "screen_look.h"
#include "screen_registry.h"

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

QString DirectionsText() {
    return QStringLiteral(
        "1. Enter your design inputs (all values are required).  Inductance is value at full load.\r\n"
        "   Leave 'Cores to Stack' at the default value of 1.\r\n"
        "\r\n"
        "2. Choose permeability, either 100 Perm (default) or 245 Perm.\r\n"
        "\r\n"
        "3. Choose Calculator Type, pick 'Calculate Core' (default) and click on 'Show Results'.  The result\r\n"
        "    is the recommended core for the entered design.  If acceptable, click on 'View Report' to\r\n"
        "    view and print the design summary and/or click on 'Calculations' to view the calculated parameters.\r\n"
        "\r\n"
        "4.  If outputs are not as desired, click on 'Reset Design Inputs.'  This will return you to the input "
        "menu.\r\n"
        "\r\n"
        "\r\n"
        "You now have three choices\r\n"
        "\r\n"
        "A.  You can stack up a number of smaller cores to achieve the desired inductance.  This results in a "
        "reduction\r\n"
        "    of the core OD.  You can do this by changing the value in 'Cores to Stack' and pressing the 'Show "
        "Results'\r\n"
        "    button.  The calculator will automatically calculate the optimum core size for the stacked design.\r\n"
        "\r\n"
        "B.  Choose a higher permeability, if you were using the default, 100 perm.\r\n"
        "\r\n"
        "C.  Under 'Choose Calculator Type,' check the 'Pick Core' box.  You may use this function to manually\r\n"
        "    select cores from the 'Core Size List' drop down menu or to stack multiple cores.  Click on 'Show "
        "Results'\r\n"
        "    at anytime to recalculate the design outputs.\r\n");
}

QString ContactText() {
    return QStringLiteral("To contact us send an e-mail to ") + QString::fromUtf8(kSupportEmail) +
           QStringLiteral(" or call one of the following:\r\n") + QStringLiteral("  USA ") +
           QString::fromUtf8(kPhoneUsa) + QStringLiteral("       Europe ") + QString::fromUtf8(kPhoneEurope) +
           QStringLiteral("       Asia ") + QString::fromUtf8(kPhoneAsia);
}

frmDirections::frmDirections(ScreenRegistry&) {
    setObjectName(QStringLiteral("frmDirections"));
    setWindowTitle(QStringLiteral("Calculator Explaination"));
    setFixedSize(Twips(10695), Twips(7845));

    text1_ = new QLineEdit(QStringLiteral("Welcome  to Our Core Calculator"), this);
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

    cmdExit_ = look::PlacedButton(this, QStringLiteral("cmdExit"), QStringLiteral("E&xit"), look::Arial(12, true), 4320,
                                  6480, 1575, 420);
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);

    txtHelp2_ = new MultiLineTextBox(this);
    txtHelp2_->setObjectName(QStringLiteral("TxtHelp2"));
    txtHelp2_->setFont(look::Arial(9.75));
    look::SetBackground(txtHelp2_, look::kFieldGrey);
    look::PlaceAtTwips(txtHelp2_, 1080, 7080, 8295, 615);

    setTabOrder(txtHelp_, cmdExit_);
    setTabOrder(cmdExit_, txtHelp2_);
}

void ShowDirections(ScreenRegistry& registry, QWidget* inputScreen) {
    frmDirections& screen = registry.Get<frmDirections>();
    screen.txtHelp()->setText(DirectionsText());
    screen.TxtHelp2()->setText(ContactText());
    look::Present(&screen);
    screen.cmdExit()->setFocus(Qt::OtherFocusReason);
    if (inputScreen) inputScreen->unsetCursor();
}

}  // namespace coredesign::gui
