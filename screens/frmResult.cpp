#include "frmResult.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "input_screen.h"
#include "qt_text.h"
#include "screen_look.h"

namespace coredesign::gui {

frmResult::frmResult(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmResult"));
    setWindowTitle(Q(ResultsScreen::kTitle));
    BuildControls();
    look::PlaceAtTwips(this, 250, 500);
    Mirror();  // created: filled from the record
}

ResultsScreen& frmResult::Editable() {
    InputScreen* input = registry_.Flow().Input();
    if (!input) {
        if (!kept_) kept_.emplace(registry_.Record(), std::string(), false);
        return *kept_;
    }
    // A screen that outlived its input screen is the new input screen's.
    if (!input->ResultsModel() && kept_) input->AdoptResults(*kept_);
    kept_.reset();
    return input->OpenResults();
}

const ResultsScreen& frmResult::Model() {
    return Editable();
}

void frmResult::BuildControls() {
    using namespace look;
    const QFont captionFont = Arial(9.75, true);
    const QFont valueFont = Arial(9.75);

    auto box = [&](QWidget* parent, const ResultBox& b) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(Q(b.control));
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setFont(valueFont);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setTextMargins(4, 3, 6, 3);
        edit->setSizePolicy(QSizePolicy::Preferred,
                            QSizePolicy::Preferred);  // the row's height: text level with its caption
        SetTextColour(edit, Qt::black);
        // The table's white shows through, so the box never paints over a rule.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, Qt::transparent);
        edit->setPalette(palette);
        boxes_[b.control] = edit;
        return edit;
    };
    auto panel = [&](const char* name, const char* heading, ResultsPanel which) {
        auto* frame = new QFrame(this);
        frame->setObjectName(Q(name));
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(10, 8, 10, 10);
        layout->setSpacing(6);
        layout->addWidget(Caption(frame, QString(), Q(heading), Arial(12, true), kNavy));
        auto* table = new RuledTable(frame);
        table->Grid()->setColumnMinimumWidth(2, 100);
        layout->addWidget(table);
        layout->addStretch(1);
        QGridLayout* grid = table->Grid();
        const bool inputs = which == ResultsPanel::InputValues;
        int row = -1;
        for (const ResultBox& b : kResultBoxes) {
            if (b.panel != which) continue;
            QLineEdit* edit = box(table, b);
            if (!b.caption) {
                // Beside the box before it: the current density's unit, the stack marker.
                edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                edit->setMinimumWidth(60);
                if (b.text == &ResultsTexts::VoutUnit) {
                    edit->setFocusPolicy(Qt::NoFocus);
                    SetTextColour(edit, kNavy);
                    edit->setTextMargins(4, 3, 8, 3);
                } else {
                    edit->setFont(Arial(9.75, true));
                }
                grid->addWidget(edit, row, 2);
                continue;
            }
            ++row;
            auto* label = Caption(table, QString(), Q(b.caption), captionFont, kNavy);
            label->setContentsMargins(8, 3, 12, 3);
            grid->addWidget(label, row, 0);
            edit->setMinimumWidth(inputs ? 130 : 110);
            const bool centred = b.fill == BoxFill::PickedPart;
            edit->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
            if (centred) {
                grid->addWidget(edit, row, 1, 1, 2);  // wider: across the unit column
                SetBackground(edit, Qt::white);       // and over the rule it spans
                continue;
            }
            grid->addWidget(edit, row, 1);
            const bool unitBox = b.text == &ResultsTexts::txtCurrentDensityFactor;
            const bool marker = b.text == &ResultsTexts::txtOutCoreSize;
            if (!unitBox && !marker) {
                auto* unitLabel = Caption(table, QString(), Q(b.unit), valueFont, kNavy);
                unitLabel->setContentsMargins(8, 3, 8, 3);
                grid->addWidget(unitLabel, row, 2);
            }
        }
        return frame;
    };

    QFrame* inputPanel = panel("fraInputValues", ResultsScreen::kInputHeading, ResultsPanel::InputValues);
    QFrame* summaryPanel = panel("fraSummaryOutput", ResultsScreen::kSummaryHeading, ResultsPanel::SummaryOutput);
    // Before the first fill the unit box shows its design-time text.
    boxes_["VoutUnit"]->setText(Q(ResultsTexts().VoutUnit));

    // Notes.
    auto* notes = new QVBoxLayout;
    notes->setSpacing(2);
    notes->addWidget(
        Caption(this, QStringLiteral("Label1"), Q(ResultsScreen::kNoteHeading), Arial(9.75, true), Qt::black));
    int noteNumber = 2;
    for (const std::string& text : ResultsScreen::Notes()) {
        QLabel* note = Caption(this, QStringLiteral("Label%1").arg(noteNumber++), Q(text), Arial(9.75), kNoteBlue);
        notes->addWidget(note);
        if (!Label2_) Label2_ = note;
    }
    Label2_->installEventFilter(this);

    cmdWebLink_ = new QLineEdit(this);
    cmdWebLink_->setObjectName(QStringLiteral("cmdWebLink"));
    cmdWebLink_->setReadOnly(true);
    cmdWebLink_->setFrame(false);
    cmdWebLink_->setAlignment(Qt::AlignCenter);
    QFont linkFont = Arial(8.25, true);
    linkFont.setUnderline(true);
    cmdWebLink_->setFont(linkFont);
    cmdWebLink_->setFocusPolicy(Qt::NoFocus);
    cmdWebLink_->setCursor(Qt::PointingHandCursor);
    cmdWebLink_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    cmdWebLink_->installEventFilter(this);

    std::vector<QPushButton*> buttons;
    for (const ButtonText& b : ResultsScreen::Buttons())
        buttons.push_back(Button(this, Q(b.control), Q(b.caption), true));
    QPushButton* cmdIinterOutput = buttons[0];
    QPushButton* cmdReport = buttons[1];
    QPushButton* cmdExit = buttons[2];
    cmdCurve_ = buttons[3];
    cmdWebLink_->setText(Q(Model().WebLinkText()));
    cmdWebLink_->setMinimumWidth(cmdWebLink_->fontMetrics().horizontalAdvance(cmdWebLink_->text()) + 24);

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(Logo(this, 300));

    auto* panels = new QHBoxLayout;
    panels->setSpacing(12);
    panels->addWidget(inputPanel);
    panels->addWidget(summaryPanel);

    auto* link = new QHBoxLayout;
    link->addStretch(1);
    link->addWidget(cmdWebLink_);

    QHBoxLayout* row = ButtonRow({cmdIinterOutput, cmdReport, cmdExit});
    // "Inductance Curve" at the row's left; an empty column of the same share
    // at its right keeps the three buttons centred where they stand without it.
    auto* buttonRow = new QGridLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setHorizontalSpacing(0);
    row->setSpacing(10);  // the body's spacing, which the row had as a part of it
    buttonRow->setColumnStretch(0, 1);
    buttonRow->setColumnStretch(2, 1);
    buttonRow->setColumnMinimumWidth(0, cmdCurve_->minimumWidth());
    buttonRow->setColumnMinimumWidth(2, cmdCurve_->minimumWidth());
    buttonRow->addWidget(cmdCurve_, 0, 0, Qt::AlignLeft);
    buttonRow->addLayout(row, 0, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(10);
    body->addLayout(top);
    body->addLayout(panels);
    body->addLayout(notes);
    body->addLayout(link);
    body->addLayout(buttonRow);

    FrameWithSideStrip(this, body);

    setTabOrder(cmdIinterOutput, cmdReport);
    setTabOrder(cmdReport, cmdExit);
    setTabOrder(cmdExit, cmdCurve_);
    cmdIinterOutput->setFocus(Qt::OtherFocusReason);

    connect(cmdIinterOutput, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::Calculations)); });
    connect(cmdReport, &QPushButton::clicked, this, [this] {
        if (registry_.Command().ViewReport) registry_.Command().ViewReport();
    });
    connect(cmdExit, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::ResetDesignInputs)); });
    connect(cmdCurve_, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::Curve)); });
}

void frmResult::Mirror() {
    const ResultsScreen& model = Model();
    kept_ = model;  // what the screen keeps should its input screen go
    const ResultsTexts& texts = model.Texts();
    for (const ResultBox& b : kResultBoxes) {
        QLineEdit* edit = boxes_[b.control];
        edit->setText(Q(texts.*b.text));
        if (b.text == &ResultsTexts::txtTotalTempRise) {
            const BoxLook boxLook = model.Look(b);
            QFont font = edit->font();
            font.setBold(boxLook.bold);
            edit->setFont(font);
            look::SetTextColour(edit, look::Colour(boxLook.colour));
        }
    }
    // Long texts show from their start.
    for (QLineEdit* box : findChildren<QLineEdit*>()) box->setCursorPosition(0);
    look::SetTextColour(cmdWebLink_, look::Colour(model.WebLinkColour()));
    cmdCurve_->setVisible(model.CurveOffered());
}

void frmResult::Follow(Move move) {
    if (move == Move::Refill) Mirror();
}

bool frmResult::event(QEvent* event) {
    // Shown, or brought back to the front: the boxes show the record as it is now.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
        if (InputScreen* input = registry_.Flow().Input()) {
            Editable();
            input->RefillResults();
        } else {
            Editable().Fill(registry_.Record(), std::string());
        }
        Mirror();
    }
    return QWidget::event(event);
}

void frmResult::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    registry_.Carry(registry_.Flow().Closing(kScreen));
}

bool frmResult::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2_) {
        if (event->type() == QEvent::MouseButtonPress) {
            Editable().PressNote();
            look::SetTextColour(cmdWebLink_, look::Colour(Model().WebLinkColour()));
        } else if (event->type() == QEvent::MouseButtonRelease) {
            Editable().ReleaseNote();
            look::SetTextColour(cmdWebLink_, look::Colour(Model().WebLinkColour()));
        }
    } else if (watched == cmdWebLink_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && cmdWebLink_->rect().contains(mouse->position().toPoint())) {
            if (registry_.Command().LaunchWebSite) registry_.Command().LaunchWebSite();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace coredesign::gui
