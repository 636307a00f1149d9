#include "frmEnter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "design_record.h"
#include "fixed_screens.h"
#include "folders.h"
#include "qt_text.h"
#include "screen_look.h"
#include "screen_registry.h"

namespace coredesign::gui {
namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text, const QFont& font) {
    QLabel* label =
        look::Caption(parent, QString::fromLatin1(name), text, font, look::kNavy, Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

}  // namespace

frmEnter::frmEnter(ScreenRegistry& registry) : registry_(registry) {
    setObjectName(QStringLiteral("frmEnter"));
    setWindowTitle(Q(StartScreen::kTitle));
    setFixedSize(Twips(8520), Twips(6660));

    using look::PlaceAtTwips;
    sidepic_ = new look::Picture(this, QStringLiteral("sidepic"), QStringLiteral(":/coredesign/sidestrip.png"),
                                 look::Picture::Fit::FillHeight);
    PlaceAtTwips(sidepic_, 0, 0, 495, 7095);
    picture1_ = new look::Picture(this, QStringLiteral("Picture1"), QStringLiteral(":/coredesign/logo.png"),
                                  look::Picture::Fit::Centred);
    PlaceAtTwips(picture1_, 720, 120, 7575, 1515);

    label1_ = Label(this, "Label1", Q(StartScreen::kHeading), look::Arial(15.75, true));
    label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PlaceAtTwips(label1_, 1080, 2280, 6975, 375);
    label5_ = Label(this, "Label5", Q(StartScreen::TermsOfUse()), look::Arial(9.75));
    PlaceAtTwips(label5_, 840, 3000, 7290, 1215);
    label6_ = Label(this, "Label6", Q(StartScreen::Disclaimer()), look::Arial(9.75));
    PlaceAtTwips(label6_, 840, 4320, 7290, 1215);

    const ButtonText& accept = StartScreen::Buttons()[0];
    cmdProcess_ =
        look::PlacedButton(this, Q(accept.control), Q(accept.caption), look::Arial(9.75, true), 2760, 5760, 1305, 420);
    connect(cmdProcess_, &QPushButton::clicked, this, [this] { cmdProcess_Click(); });

    const ButtonText& exit = StartScreen::Buttons()[1];
    cmdExit_ =
        look::PlacedButton(this, Q(exit.control), Q(exit.caption), look::Arial(9.75, true), 4680, 5760, 1185, 420);
    connect(cmdExit_, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::ExitStart)); });

    // A small box: a thin border and no inner margins, so that the text fits.
    text1_ = new QLineEdit(Q(StartScreen::kVersionBox), this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setFont(look::Arial(8.25));
    text1_->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #808080; padding: 0px; background: white; }"));
    text1_->setTextMargins(0, 0, 0, 0);
    PlaceAtTwips(text1_, 6960, 5880, 1095, 255);

    setTabOrder(cmdProcess_, cmdExit_);
    setTabOrder(cmdExit_, text1_);

    // Created: the fixed place, and the temporary folder read again.
    look::PlaceAtTwips(this, 700, 600);
    registry_.Record().TempFolder = platform::TempFolder();
}

void frmEnter::cmdProcess_Click() {
    registry_.Carry(registry_.Flow().Command(FlowCommand::Accept));
}

}  // namespace coredesign::gui
