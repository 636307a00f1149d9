#include "frmXls.h"

#include <QApplication>
#include <QCheckBox>
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

#include "constants.h"
#include "folders.h"
#include "frmCompareCores.h"
#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "screen_texts.h"
#include "seams.h"

namespace coredesign::gui {
namespace {

// A character a filtered field takes: a digit or the decimal point.
bool Accepted(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.';
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
    setWindowTitle(QString::fromUtf8(kAppTitle));
    BuildControls();
    InputScreenView& view = *this;
    screen_ = std::make_unique<InputScreen>(registry_.Record(), view);
    // Each run reads the temporary folder anew, as the inputs are read.
    screen_->SetEnvironment({[] { return platform::TempFolder(); }});
    Load();
    Mirror();
}

frmXls::~frmXls() = default;

void frmXls::BuildControls() {
    using namespace look;
    const QFont captionFont = Arial(9.75, true);
    const QFont noteFont = Arial(9.75);
    const QFont fieldFont = Arial(12, true);

    auto field = [&](const char* name, bool filtered) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromUtf8(name));
        edit->setFont(fieldFont);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetBackground(edit, kFieldGrey);
        edit->setFixedWidth(130);
        edit->installEventFilter(this);
        edit->setProperty("keyFiltered", filtered);
        // A pasted text is taken whole, as the command line takes it (32767 characters by default).
        edit->setMaxLength(std::numeric_limits<int>::max());
        return edit;
    };
    auto caption = [&](const char* text) {
        return Caption(this, QString(), QString::fromUtf8(text), captionFont, kNavy, Qt::AlignRight | Qt::AlignVCenter);
    };
    auto unit = [&](const char* text) { return Caption(this, QString(), QString::fromUtf8(text), captionFont, kNavy); };
    auto note = [&](const char* text) { return Caption(this, QString(), QString::fromUtf8(text), noteFont, kNavy); };
    auto list = [&](const char* name, std::initializer_list<const char*> items) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromUtf8(name));
        combo->setEditable(false);
        combo->setFont(Arial(9.75, true));
        for (const char* item : items) combo->addItem(QString::fromUtf8(item));
        combo->setMinimumWidth(120);
        return combo;
    };
    auto check = [&](const char* name, const char* text, bool checked) {
        auto* box = new QCheckBox(QString::fromUtf8(text), this);
        box->setObjectName(QString::fromUtf8(name));
        box->setFont(captionFont);
        SetTextColour(box, kNavy);
        box->setChecked(checked);
        return box;
    };

    txtInductance_ = field("txtInductance", true);
    txtInductance_->setToolTip(QStringLiteral("Inductance should not be greater than 0.1 Henries"));
    cmbinductance_ = list("cmbinductance", {"Henry", "millihenry", "microhenry"});
    txtOutPutVoltage_ = field("txtOutPutVoltage", true);
    txtDCCurrent_ = field("txtDCCurrent", true);
    txtDCCurrent_->setToolTip(QStringLiteral("Output Power should not be greater than 5000 watts"));
    txtFluxDensity_ = field("txtFluxDensity", true);
    txtFrequency_ = field("txtFrequency", true);
    txtFrequency_->setToolTip(QStringLiteral(" Frequency should not be greater than 1000000 Hz."));
    cmbfrequency_ = list("cmbfrequency", {"Hz", "kHz"});
    txtMinInputVoltage_ = field("txtMinInputVoltage", true);
    txtMaxInputVoltage_ = field("txtMaxInputVoltage", false);
    txtAmbientTemp_ = field("txtAmbientTemp", true);
    txtCurrentDensityFactor_ = field("txtCurrentDensityFactor", true);
    txtDensityFactorUom_ = new QLineEdit(QStringLiteral("A/cm^2"), this);
    txtDensityFactorUom_->setObjectName(QStringLiteral("txtDensityFactorUom"));
    txtDensityFactorUom_->setReadOnly(true);
    txtDensityFactorUom_->setFrame(false);
    txtDensityFactorUom_->setFocusPolicy(Qt::NoFocus);
    txtDensityFactorUom_->setFont(captionFont);
    txtDensityFactorUom_->setTextMargins(0, 0, 0, 0);
    txtDensityFactorUom_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; padding: 0px; }"));
    SetTextColour(txtDensityFactorUom_, kNavy);
    txtFill_Factor_ = field("txtFill_Factor", true);
    chkGap_ = check("chkGap", "100 Perm", true);
    chkGap_->setToolTip(QStringLiteral("Gapped PFC  Quorvane Cores are used by calculator."));
    chkNoGap_ = check("chkNoGap", "245 Perm", false);
    chkNoGap_->setToolTip(QStringLiteral("No-Gap Quorvane Cores are used by calculator."));
    txtStack_ = field("txtStack", true);
    txtStack_->setToolTip(QStringLiteral("Number of Cores to Stack In Calculations"));
    txtStack_->setFixedWidth(60);
    chkCalcCore_ = check("chkCalcCore", "Calculate Core", true);
    chkPickCore_ = check("chkPickCore", "Pick Core", false);

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

    cmdProcess_ = Button(this, QStringLiteral("cmdProcess"), QStringLiteral("&Show Results"), false);
    cmdQuit_ = Button(this, QStringLiteral("cmdQuit"), QStringLiteral("Clear &Results"), false);
    cmdExit_ = Button(this, QStringLiteral("cmdExit"), QStringLiteral("&Cancel"), false);
    cmdHelp_ = Button(this, QStringLiteral("cmdHelp"), QStringLiteral("Help"), false);
    cmdHelp_->setToolTip(QStringLiteral("Directions on how to use this product."));
    cmdCompare_ = Button(this, QStringLiteral("cmdCompare"), QStringLiteral("C&ompare Cores"), false);
    cmdCompare_->setToolTip(QStringLiteral("Every core of both families at 1 to 9 stacked cores, side by side."));
    cmdExit_->installEventFilter(this);

    // Header: the title with Help beside it, the logo at the right, a rule below.
    auto* title =
        Caption(this, QStringLiteral("lblTitle"), QString::fromUtf8(kAppTitle), Arial(14.25, true), Qt::black);
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
    addRow("Inductance at Full Load", txtInductance_, cmbinductance_);
    addRow("Output Voltage", txtOutPutVoltage_, unit("Volts"));
    addRow("DC Current", txtDCCurrent_, unit("Amps"));
    addRow("Flux Density", txtFluxDensity_, unit("Tesla"));
    addRow("Frequency", txtFrequency_, cmbfrequency_, note("(As Seen By the Inductor)"));
    addRow("Minimum Input Voltage", txtMinInputVoltage_, unit("Volts"));
    addRow("Maximum Input Voltage", txtMaxInputVoltage_, unit("Volts"));
    addRow("Ambient Temperature", txtAmbientTemp_, unit("\u00B0C"));
    addRow("Current Density", txtCurrentDensityFactor_, txtDensityFactorUom_);
    addRow("Window Fill Factor", txtFill_Factor_);
    rows->addWidget(note("(Fraction Filled by Conductor Only)"), row - 1, 2, 1, 2);

    auto* stackBox = new QHBoxLayout;
    stackBox->addStretch(1);
    stackBox->addWidget(caption("Cores To Stack"));
    stackBox->addSpacing(8);
    stackBox->addWidget(txtStack_);
    rows->addWidget(caption("Choose Permeability"), row, 0);
    rows->addWidget(chkGap_, row, 1);
    rows->addWidget(chkNoGap_, row, 2);
    rows->addLayout(stackBox, row, 3);
    ++row;
    rows->addWidget(caption("Choose Calculator Type"), row, 0);
    rows->addWidget(chkCalcCore_, row, 1);
    rows->addWidget(chkPickCore_, row, 2);
    ++row;
    rows->addWidget(caption("Core Size List"), row, 0);
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

    QHBoxLayout* buttons = ButtonRow({cmdProcess_, cmdQuit_, cmdExit_, cmdCompare_});

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(10);
    body->addLayout(header);
    body->addWidget(titleRule);
    body->addWidget(panel);
    body->addLayout(buttons);

    FrameWithSideStrip(this, body);

    // Focus order: the fields top to bottom, the list, the buttons, then
    // Help, Compare Cores and the calculator type.
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
    connect(cmdProcess_, &QPushButton::clicked, this, [this] {
        const Outcome outcome = screen_->ShowResults().outcome;
        // The results screen offers the curve of a design, and only of one.
        if (frmResult* results = registry_.Find<frmResult>())
            results->FollowDesign(outcome == Outcome::Results || outcome == Outcome::FillWarning);
    });
    connect(cmdQuit_, &QPushButton::clicked, this, [this] { screen_->ClearResults(); });
    connect(cmdExit_, &QPushButton::clicked, this, &frmXls::CancelClicked);
    connect(cmdHelp_, &QPushButton::clicked, this, &frmXls::HelpClicked);
    connect(cmdCompare_, &QPushButton::clicked, this, [this] { frmCompareCores::Open(registry_); });
    connect(chkGap_, &QCheckBox::clicked, this, [this] { screen_->ClickFamily(true); });
    connect(chkNoGap_, &QCheckBox::clicked, this, [this] { screen_->ClickFamily(false); });
    connect(chkCalcCore_, &QCheckBox::clicked, this, [this] { screen_->ClickCalculator(Calculator::CalculateCore); });
    connect(chkPickCore_, &QCheckBox::clicked, this, [this] { screen_->ClickCalculator(Calculator::PickCore); });
}

// Runs once each time the screen is created; the logic has loaded the record.
void frmXls::Load() {
    look::PlaceAtTwips(this, 700, 600);
    txtDensityFactorUom_->setText(QString::fromUtf8(kCurrentDensityUnit));
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
    if (screen_->CoreListColour() != ListColour::AsLoaded)
        look::SetTextColour(txtCoreSize_,
                            screen_->CoreListColour() == ListColour::Grey ? look::kButtonGrey : QColor(Qt::black));
    mirroring_ = false;
}

void frmXls::ResetCoreSizeList() {
    screen_->ResetCoreSizeList();
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
    if (event->type() == QEvent::KeyPress && field->property("keyFiltered").toBool())
        return !KeyPasses(*static_cast<QKeyEvent*>(event));  // true discards the key
    if (event->type() == QEvent::InputMethod && field->property("keyFiltered").toBool()) {
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
    auto* control = findChild<QWidget*>(QString::fromStdString(name));
    if (control && control->isEnabled()) control->setFocus(Qt::OtherFocusReason);
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
    FocusControl(message.focus);
}

// The results screen as the input reading touches it. Creating it fills it;
// a results screen that exists only because a run touched it does not keep
// the program alive until it is shown.
void frmXls::TouchResults(const DesignRecord&, const std::string&) {
    const bool existed = registry_.Find<frmResult>() != nullptr;
    frmResult& results = registry_.Get<frmResult>();
    if (!existed) registry_.SetKeepsProgramAlive(&results, false);
    results.SetTemperatureAlarm(false);
}

void frmXls::MarkTemperature() {
    if (frmResult* results = registry_.Find<frmResult>()) results->SetTemperatureAlarm(true);
}

void frmXls::ClearResultOutputs() {
    if (frmResult* results = registry_.Find<frmResult>()) results->ClearResultFields();
}

void frmXls::ShowResultsScreen(const DesignRecord&, const std::string&) {
    hide();
    look::Present(&registry_.Get<frmResult>());  // showing fills it from the record
}

void frmXls::ShowFillWarning(bool intermediate) {
    // The input screen stays; the intermediate outputs carry the warning. A
    // screen left open from an earlier design shows this one's figures.
    look::Present(this);
    if (!intermediate) return;
    const bool open = registry_.Find<frmIntermediateOutput>() != nullptr;
    frmIntermediateOutput& screen = registry_.Get<frmIntermediateOutput>();
    if (open) screen.ShowFigures();
    look::Present(&screen);
}

void frmXls::CancelClicked() {
    close();  // discards the screen
    if (registry_.Command().ShowStart) registry_.Command().ShowStart();
}

void frmXls::HelpClicked() {
    if (registry_.Command().ShowDirections) registry_.Command().ShowDirections();
    unsetCursor();
}

}  // namespace coredesign::gui
