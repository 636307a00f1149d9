#include "frmIntermediateOutput.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_text.h"
#include "screen_look.h"

namespace coredesign::gui {
namespace {

// The three column groups: first caption number, rows (heading included).
struct ColumnGroup {
    int first;
    int rows;
};
constexpr ColumnGroup kGroups[] = {{1, 13}, {14, 13}, {27, 12}};
constexpr int kFillFactorValue = IntermediateScreen::kFillFactorValue;
constexpr int kSpanningCaption = IntermediateScreen::kSpanningCaption;  // runs across its value column

}  // namespace

frmIntermediateOutput::frmIntermediateOutput(ScreenRegistry& registry)
    : QWidget(nullptr), registry_(registry), model_(registry.Record()) {
    setObjectName(QStringLiteral("frmIntermediateOutput"));
    setWindowTitle(Q(IntermediateScreen::kTitle));
    look::PlaceAtTwips(this, 250, 500);
    BuildControls();
    Mirror();
}

void frmIntermediateOutput::ShowFigures() {
    model_.Refill(registry_.Record());
    Mirror();
}

void frmIntermediateOutput::Follow(Move move) {
    if (move == Move::Refill) ShowFigures();
}

void frmIntermediateOutput::Mirror() {
    const IntermediateTexts& texts = model_.Texts();
    for (int k = 1; k <= 38; ++k) {
        Label_[k]->setText(Q(texts.Label[k]));
        Labelo_[k]->setText(Q(texts.Labelo[k]));
    }
    look::SetTextColour(Labelo_[kFillFactorValue], look::Colour(model_.FillFactorColour()));
    txtWarning_->setText(Q(texts.txtWarning));
}

void frmIntermediateOutput::BuildControls() {
    using namespace look;
    auto* table = new RuledTable(this);
    table->setObjectName(QStringLiteral("tblOutputs"));
    QGridLayout* grid = table->Grid();
    const QFont captionFont = Arial(9.75, true);
    const QFont valueFont = Arial(9.75);

    for (int g = 0; g < 3; ++g) {
        const ColumnGroup group = kGroups[g];
        for (int r = 0; r < group.rows; ++r) {
            const int k = group.first + r;
            QLabel* caption = Caption(table, QStringLiteral("Label%1").arg(k), QString(), captionFont, kNavy);
            QLabel* value = Caption(table, QStringLiteral("Labelo%1").arg(k), QString(), valueFont, kNavy,
                                    Qt::AlignRight | Qt::AlignVCenter);
            caption->setContentsMargins(8, 3, 10, 3);
            value->setContentsMargins(10, 3, 8, 3);
            if (r == 0) {  // the heading row
                SetBackground(caption, kFieldGrey);
                SetBackground(value, kFieldGrey);
            }
            if (k == kSpanningCaption) {
                grid->addWidget(caption, r, 2 * g, 1, 2);
                SetBackground(caption, Qt::white);  // covers the rule it spans
                value->hide();                      // empty, and covered by the caption
            } else {
                grid->addWidget(caption, r, 2 * g);
                grid->addWidget(value, r, 2 * g + 1);
            }
            Label_[k] = caption;
            Labelo_[k] = value;
        }
    }
    const int rowHeight = QFontMetrics(captionFont).height() + 8;
    for (int r = 0; r < 13; ++r) grid->setRowMinimumHeight(r, rowHeight);
    for (int g = 0; g < 3; ++g) grid->setColumnMinimumWidth(2 * g + 1, 120);

    txtWarning_ =
        Caption(this, QStringLiteral("txtWarning"), QString(), Arial(9.75, true), kRed, Qt::AlignLeft | Qt::AlignTop);
    SetBackground(txtWarning_, Qt::white);
    txtWarning_->setContentsMargins(6, 4, 6, 4);
    txtWarning_->setMinimumHeight(3 * txtWarning_->fontMetrics().lineSpacing() + 10);
    txtWarning_->setMinimumWidth(txtWarning_->fontMetrics().horizontalAdvance(
                                     QStringLiteral("This design exceeds core operating parameters. ")) +
                                 24);

    const ButtonText& close = IntermediateScreen::CloseButton();
    cmdExit_ = Button(this, Q(close.control), Q(close.caption), true);
    connect(cmdExit_, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::CloseIntermediate)); });

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(Logo(this, 300));

    // The warning at the left, Close in the middle.
    auto* bottom = new QGridLayout;
    bottom->addWidget(txtWarning_, 0, 0, Qt::AlignLeft);
    bottom->addWidget(cmdExit_, 0, 1, Qt::AlignCenter);
    bottom->setColumnMinimumWidth(2, txtWarning_->minimumWidth());
    bottom->setColumnStretch(0, 1);
    bottom->setColumnStretch(2, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(12);
    body->addLayout(top);
    body->addWidget(table);
    body->addLayout(bottom);

    FrameWithSideStrip(this, body);
    cmdExit_->setFocus(Qt::OtherFocusReason);
}

IntermediateTexts frmIntermediateOutput::Texts() const {
    IntermediateTexts texts;
    for (int k = 1; k <= 38; ++k) {
        texts.Label[k] = S(Label_[k]->text());
        texts.Labelo[k] = S(Labelo_[k]->text());
    }
    texts.txtWarning = S(txtWarning_->text());
    texts.FillFactorRed = Labelo_[kFillFactorValue]->palette().color(QPalette::WindowText) == look::kRed;
    return texts;
}

}  // namespace coredesign::gui
