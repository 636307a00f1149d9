#include "frmXls.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>
#include <map>

#include "constants.h"
#include "design_files.h"
#include "folders.h"
#include "qt_text.h"
#include "screen_look.h"
#include "screen_texts.h"
#include "seams.h"

namespace coredesign::gui {
namespace {

// A character a filtered field takes, as the logic says.
bool Accepted(char16_t c) {
    return InputScreen::FieldTakes(c);
}

// A key press that may reach a filtered field. Digits, the decimal point and
// backspace are typed; keys that type no character (arrows, Home, Delete,
// Tab ...) keep their work. Every other character is discarded: letters,
// signs, Enter, and the control characters that the copy, cut and paste
// chords type, so those chords do nothing in a filtered field.
bool KeyPasses(const QKeyEvent& e) {
    if (e.matches(QKeySequence::Paste) || e.matches(QKeySequence::Cut) || e.matches(QKeySequence::Copy)) return false;
    switch (e.key()) {
        case Qt::Key_Delete:
        case Qt::Key_Insert:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr: return true;
        default: break;
    }
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (e.key() == Qt::Key_Backspace) return true;
    const QString text = e.text();
    if (text.isEmpty()) return true;  // a function key or the like: no character
    if (text.size() != 1) return false;
    const char16_t c = text.at(0).unicode();
    return Accepted(c) || c == u'\b';
}

// Text an input method commits (compose and dead keys, CJK input, on-screen
// keyboards) is typed text as well: only its accepted characters reach a
// filtered field. Input methods stay on, because on some systems even plain
// digits arrive through them.
QString AcceptedText(const QString& committed) {
    QString kept;
    for (const QChar c : committed)
        if (Accepted(c.unicode())) kept.append(c);
    return kept;
}

// Selects the whole text with the caret at its start, so that typing replaces it.
void SelectWhole(QLineEdit* field) {
    const int length = static_cast<int>(field->text().size());
    field->setSelection(length, -length);
}

}  // namespace

frmXls::frmXls(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmXls"));
    setWindowTitle(Q(kAppTitle));
    BuildControls();
    InputScreenView& view = *this;
    screen_ = std::make_unique<InputScreen>(registry_.Record(), view);
    registry_.Flow().AttachInput(screen_.get());
    // Each run reads the temporary folder anew, as the inputs are read.
    screen_->SetEnvironment({[] { return platform::TempFolder(); }});
    Load();
    Mirror();
}

frmXls::~frmXls() {
    if (registry_.Flow().Input() == screen_.get()) registry_.Flow().AttachInput(nullptr);
}

void frmXls::BuildControls() {
    using namespace look;
    const QFont captionFont = Arial(9.75, true);
    const QFont noteFont = Arial(9.75);
    const QFont fieldFont = Arial(12, true);

    auto field = [&](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(Q(name));
        edit->setFont(fieldFont);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetBackground(edit, kFieldGrey);
        edit->setFixedWidth(130);
        edit->installEventFilter(this);
        edit->setToolTip(Q(InputScreen::ToolTip(name)));
        // A pasted text is taken whole, as the command line takes it (32767 characters by default).
        edit->setMaxLength(std::numeric_limits<int>::max());
        return edit;
    };
    auto caption = [&](const char* text) {
        return Caption(this, QString(), QString::fromUtf8(text), captionFont, kNavy, Qt::AlignRight | Qt::AlignVCenter);
    };
    auto unit = [&](const char* text) { return Caption(this, QString(), QString::fromUtf8(text), captionFont, kNavy); };
    auto note = [&](const char* text) { return Caption(this, QString(), QString::fromUtf8(text), noteFont, kNavy); };
    auto list = [&](const char* name) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(Q(name));
        combo->setEditable(false);
        combo->setFont(Arial(9.75, true));
        for (const std::string& item : InputScreen::ListItems(name)) combo->addItem(Q(item));
        combo->setMinimumWidth(120);
        return combo;
    };
    auto check = [&](int k, bool checked) {
        const CheckBoxText& text = InputScreen::CheckBoxTexts()[static_cast<std::size_t>(k)];
        auto* box = new QCheckBox(Q(text.caption), this);
        box->setObjectName(Q(text.control));
        box->setFont(captionFont);
        SetTextColour(box, kNavy);
        box->setChecked(checked);
        box->setToolTip(Q(InputScreen::ToolTip(text.control)));
        return box;
    };

    txtInductance_ = field("txtInductance");
    cmbinductance_ = list("cmbinductance");
    txtOutPutVoltage_ = field("txtOutPutVoltage");
    txtDCCurrent_ = field("txtDCCurrent");
    txtFluxDensity_ = field("txtFluxDensity");
    txtFrequency_ = field("txtFrequency");
    cmbfrequency_ = list("cmbfrequency");
    txtMinInputVoltage_ = field("txtMinInputVoltage");
    txtMaxInputVoltage_ = field("txtMaxInputVoltage");
    txtAmbientTemp_ = field("txtAmbientTemp");
    txtCurrentDensityFactor_ = field("txtCurrentDensityFactor");
    txtDensityFactorUom_ = new QLineEdit(Q(InputScreen::kDensityUnitBeforeLoad), this);
    txtDensityFactorUom_->setObjectName(QStringLiteral("txtDensityFactorUom"));
    txtDensityFactorUom_->setReadOnly(true);
    txtDensityFactorUom_->setFrame(false);
    txtDensityFactorUom_->setFocusPolicy(Qt::NoFocus);
    txtDensityFactorUom_->setFont(captionFont);
    txtDensityFactorUom_->setTextMargins(0, 0, 0, 0);
    txtDensityFactorUom_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; padding: 0px; }"));
    SetTextColour(txtDensityFactorUom_, kNavy);
    txtFill_Factor_ = field("txtFill_Factor");
    chkGap_ = check(0, true);
    chkNoGap_ = check(1, false);
    txtStack_ = field("txtStack");
    txtStack_->setFixedWidth(60);
    chkCalcCore_ = check(2, true);
    chkPickCore_ = check(3, false);

    txtCoreSize_ = new QComboBox(this);
    txtCoreSize_->setObjectName(QStringLiteral("txtCoreSize"));
    txtCoreSize_->setEditable(false);
    QFont listFont(QStringLiteral("Liberation Mono"));
    listFont.setFamilies(
        {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("monospace")});
    listFont.setStyleHint(QFont::Monospace);
    listFont.setPointSizeF(9);
    txtCoreSize_->setFont(listFont);
    txtCoreSize_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    txtCoreSize_->setMinimumContentsLength(58);  // the longest entry of either layout, and a little room
    txtCoreSize_->setMaxVisibleItems(16);

    std::map<std::string, QPushButton*> button;
    for (const ButtonText& b : InputScreen::Buttons()) {
        button[b.control] = Button(this, Q(b.control), Q(b.caption), false);
        if (*b.toolTip) button[b.control]->setToolTip(Q(b.toolTip));
    }
    cmdProcess_ = button["cmdProcess"];
    cmdQuit_ = button["cmdQuit"];
    cmdExit_ = button["cmdExit"];
    cmdHelp_ = button["cmdHelp"];
    cmdCompare_ = button["cmdCompare"];
    cmdSaveDesign_ = button["cmdSaveDesign"];
    cmdOpenDesign_ = button["cmdOpenDesign"];
    cmdExit_->installEventFilter(this);

    // Header: the title with Help beside it, the logo at the right, a rule below.
    auto* title = Caption(this, QStringLiteral("lblTitle"), Q(kAppTitle), Arial(14.25, true), Qt::black);
    auto* header = new QHBoxLayout;
    header->addWidget(title, 0, Qt::AlignVCenter);
    header->addSpacing(16);
    header->addWidget(cmdHelp_, 0, Qt::AlignVCenter);
    header->addStretch(1);
    header->addWidget(Logo(this, 260), 0, Qt::AlignVCenter);
    auto* titleRule = new QFrame(this);
    titleRule->setFrameShape(QFrame::HLine);
    titleRule->setFrameShadow(QFrame::Sunken);

    // The rows: caption, field, unit or companion, note.
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(10);
    rows->setVerticalSpacing(6);
    int row = 0;
    auto addRow = [&](const char* text, QWidget* fieldWidget, QWidget* companion = nullptr, QWidget* extra = nullptr) {
        rows->addWidget(caption(text), row, 0);
        rows->addWidget(fieldWidget, row, 1);
        if (companion) rows->addWidget(companion, row, 2);
        if (extra) rows->addWidget(extra, row, 3);
        ++row;
    };
    for (const InputRow& r : kInputRows) {
        QWidget* companion = r.unit ? unit(r.unit) : r.companion ? findChild<QWidget*>(Q(r.companion)) : nullptr;
        const bool noteSpans = !r.unit && !r.companion && r.note;  // the note runs across both columns
        addRow(r.caption, findChild<QWidget*>(Q(r.field)), companion, r.note && !noteSpans ? note(r.note) : nullptr);
        if (noteSpans) rows->addWidget(note(r.note), row - 1, 2, 1, 2);
    }

    auto* stackBox = new QHBoxLayout;
    stackBox->addStretch(1);
    stackBox->addWidget(caption(InputScreen::kStackCaption));
    stackBox->addSpacing(8);
    stackBox->addWidget(txtStack_);
    rows->addWidget(caption(InputScreen::kPermeabilityCaption), row, 0);
    rows->addWidget(chkGap_, row, 1);
    rows->addWidget(chkNoGap_, row, 2);
    rows->addLayout(stackBox, row, 3);
    ++row;
    rows->addWidget(caption(InputScreen::kCalculatorCaption), row, 0);
    rows->addWidget(chkCalcCore_, row, 1);
    rows->addWidget(chkPickCore_, row, 2);
    ++row;
    rows->addWidget(caption(InputScreen::kCoreListCaption), row, 0);
    rows->addWidget(txtCoreSize_, row, 1, 1, 3, Qt::AlignLeft);
    rows->setColumnStretch(3, 1);

    // The framed panel: a vertical rule down the left of the rows.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("fraInputs"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(10, 12, 16, 12);
    auto* leftRule = new QFrame(panel);
    leftRule->setFrameShape(QFrame::VLine);
    leftRule->setFrameShadow(QFrame::Sunken);
    panelLayout->addWidget(leftRule);
    panelLayout->addSpacing(8);
    panelLayout->addLayout(rows, 1);

    QHBoxLayout* buttons = ButtonRow({cmdProcess_, cmdQuit_, cmdExit_, cmdCompare_, cmdSaveDesign_, cmdOpenDesign_});

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(10);
    body->addLayout(header);
    body->addWidget(titleRule);
    body->addWidget(panel);
    body->addLayout(buttons);

    FrameWithSideStrip(this, body);

    // Focus order: the fields top to bottom, the list, the buttons, then
    // Help, Compare Cores, the design files and the calculator type.
    const QList<QWidget*> order = {txtInductance_,
                                   cmbinductance_,
                                   txtOutPutVoltage_,
                                   txtDCCurrent_,
                                   txtFluxDensity_,
                                   txtFrequency_,
                                   cmbfrequency_,
                                   txtMinInputVoltage_,
                                   txtMaxInputVoltage_,
                                   txtAmbientTemp_,
                                   txtCurrentDensityFactor_,
                                   txtFill_Factor_,
                                   chkGap_,
                                   chkNoGap_,
                                   txtStack_,
                                   txtCoreSize_,
                                   cmdProcess_,
                                   cmdQuit_,
                                   cmdExit_,
                                   cmdHelp_,
                                   cmdCompare_,
                                   cmdSaveDesign_,
                                   cmdOpenDesign_,
                                   chkCalcCore_,
                                   chkPickCore_};
    for (int k = 1; k < order.size(); ++k) setTabOrder(order[k - 1], order[k]);
    txtInductance_->setFocus(Qt::OtherFocusReason);

    // What is typed and chosen goes to the logic; the clicks are the logic's.
    for (const InputField& f : kInputFields) {
        connect(findChild<QLineEdit*>(QString::fromUtf8(f.control)), &QLineEdit::textChanged, this,
                [this, text = f.text](const QString& typed) {
                    if (!mirroring_) screen_->Fields().*text = typed.toStdString();
                });
    }
    connect(cmbinductance_, &QComboBox::currentTextChanged, this, [this](const QString& unit) {
        if (!mirroring_) screen_->Fields().cmbinductance = unit.toStdString();
    });
    connect(cmbfrequency_, &QComboBox::currentTextChanged, this, [this](const QString& unit) {
        if (!mirroring_) screen_->Fields().cmbfrequency = unit.toStdString();
    });
    connect(txtCoreSize_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!mirroring_) screen_->ChooseListEntry(index);
    });
    connect(cmdProcess_, &QPushButton::clicked, this, [this] { registry_.Carry(registry_.Flow().ShowResults()); });
    connect(cmdQuit_, &QPushButton::clicked, this, [this] { screen_->ClearResults(); });
    connect(cmdExit_, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::Cancel)); });
    connect(cmdHelp_, &QPushButton::clicked, this, [this] {
        registry_.Carry(registry_.Flow().Command(FlowCommand::Help));
        unsetCursor();
    });
    connect(cmdCompare_, &QPushButton::clicked, this, &frmXls::CompareClicked);
    connect(cmdSaveDesign_, &QPushButton::clicked, this,
            [this] { SaveDesign(registry_, *screen_, this, designFile_); });
    connect(cmdOpenDesign_, &QPushButton::clicked, this,
            [this] { OpenDesign(registry_, *screen_, this, designFile_); });
    connect(chkGap_, &QCheckBox::clicked, this, [this] { screen_->ClickFamily(true); });
    connect(chkNoGap_, &QCheckBox::clicked, this, [this] { screen_->ClickFamily(false); });
    connect(chkCalcCore_, &QCheckBox::clicked, this, [this] { screen_->ClickCalculator(Calculator::CalculateCore); });
    connect(chkPickCore_, &QCheckBox::clicked, this, [this] { screen_->ClickCalculator(Calculator::PickCore); });
}

// Runs once each time the screen is created; the logic has loaded the record.
void frmXls::Load() {
    look::PlaceAtTwips(this, 700, 600);
    txtDensityFactorUom_->setText(Q(kCurrentDensityUnit));
}

void frmXls::Mirror() {
    mirroring_ = true;
    const InputTexts& in = screen_->Fields();
    for (const InputField& f : kInputFields) {
        auto* edit = findChild<QLineEdit*>(QString::fromUtf8(f.control));
        const QString text = QString::fromStdString(in.*f.text);
        if (edit->text() != text) edit->setText(text);
    }
    cmbinductance_->setCurrentIndex(cmbinductance_->findText(QString::fromStdString(in.cmbinductance)));
    cmbfrequency_->setCurrentIndex(cmbfrequency_->findText(QString::fromStdString(in.cmbfrequency)));

    const CheckBoxes& boxes = screen_->Boxes();
    chkGap_->setChecked(boxes.chkGap);
    chkNoGap_->setChecked(boxes.chkNoGap);
    chkCalcCore_->setChecked(boxes.chkCalcCore);
    chkPickCore_->setChecked(boxes.chkPickCore);

    const std::vector<std::string>& list = screen_->CoreList();
    bool same = txtCoreSize_->count() == static_cast<int>(list.size());
    for (int k = 0; same && k < txtCoreSize_->count(); ++k)
        same = txtCoreSize_->itemText(k).toStdString() == list[static_cast<std::size_t>(k)];
    if (!same) {
        txtCoreSize_->clear();
        for (const std::string& entry : list) txtCoreSize_->addItem(QString::fromStdString(entry));
    }
    txtCoreSize_->setCurrentIndex(screen_->CoreListIndex());
    txtCoreSize_->setEnabled(in.coreSizeListEnabled);
    if (screen_->CoreListColour() == ListColour::AsLoaded)
        txtCoreSize_->setPalette(QPalette());  // as loaded (again, when a design file is opened)
    else
        look::SetTextColour(txtCoreSize_,
                            screen_->CoreListColour() == ListColour::Grey ? look::kButtonGrey : QColor(Qt::black));
    mirroring_ = false;
}

void frmXls::Follow(Move move) {
    if (move == Move::ResetCoreList) screen_->ResetCoreSizeList();
}

void frmXls::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    registry_.Carry(registry_.Flow().Closing(kScreen));
}

void frmXls::CompareClicked() {
    // An open window compares again; a new one opens only for texts that pass the checks.
    std::vector<Message> refused;
    if (!registry_.Find(Screen::CompareCores) && !screen_->FamiliesToCompare(refused)) {
        look::Present(this);
        for (const Message& message : refused) Tell(message);
        return;
    }
    registry_.Carry(registry_.Flow().Command(FlowCommand::Compare));
}

QString frmXls::CoreListText() const {
    return QString::fromStdString(screen_->CoreListText());
}

bool frmXls::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdExit_) {
        // Whenever the focus leaves Cancel inside this window, it goes to the
        // first field; tabbing on from Cancel therefore returns to the top.
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                QTimer::singleShot(0, txtInductance_, [this] {
                    if (isVisible() && isEnabled()) txtInductance_->setFocus(Qt::OtherFocusReason);
                });
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field) return QWidget::eventFilter(watched, event);
    const bool filtered = InputScreen::KeyFiltered(S(field->objectName()));
    if (event->type() == QEvent::KeyPress && filtered)
        return !KeyPasses(*static_cast<QKeyEvent*>(event));  // true discards the key
    if (event->type() == QEvent::InputMethod && filtered) {
        const auto& typed = *static_cast<QInputMethodEvent*>(event);
        const QString kept = AcceptedText(typed.commitString());
        if (kept != typed.commitString()) {
            // The same event with the rest of its commit discarded (it passes this filter).
            QInputMethodEvent filtered(typed.preeditString(), typed.attributes());
            filtered.setCommitString(kept, typed.replacementStart(), typed.replacementLength());
            QCoreApplication::sendEvent(field, &filtered);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        SelectWhole(field);
        // A click that gave the focus would place the caret; select again after it.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, field, [field] {
                if (field->hasFocus()) SelectWhole(field);
            });
    }
    return QWidget::eventFilter(watched, event);
}

void frmXls::FocusControl(const std::string& name) {
    if (name.empty()) return;
    if (auto* control = findChild<QWidget*>(Q(name))) control->setFocus(Qt::OtherFocusReason);
}

void frmXls::Busy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

void frmXls::Tell(const Message& message) {
    registry_.ShowMessage({QString::fromStdString(message.text), QString::fromStdString(message.title),
                           message.icon == MessageIcon::Information ? BoxIcon::Information : BoxIcon::None, this});
    FocusControl(screen_->FocusAfter(message));
}

}  // namespace coredesign::gui
