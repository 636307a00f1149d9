#include "frmResult.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "constants.h"
#include "frmInductanceCurve.h"
#include "frmIntermediateOutput.h"
#include "frmXls.h"
#include "screen_look.h"
#include "screen_registry.h"

namespace coredesign::gui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string S(const QLineEdit* box) {
    return box->text().toStdString();
}

void SetLinkColour(QLineEdit* link, const QColor& colour) {
    look::SetTextColour(link, colour);
}

}  // namespace

frmResult::frmResult(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmResult"));
    setWindowTitle(QStringLiteral("Output Inductor Core Design Input Screen"));
    BuildControls();
    look::PlaceAtTwips(this, 250, 500);
    DisplayResults();
}

void frmResult::BuildControls() {
    using namespace look;
    const QFont captionFont = Arial(9.75, true);
    const QFont valueFont = Arial(9.75);

    auto makeTable = [&](QWidget* parent) {
        auto* table = new RuledTable(parent);
        table->Grid()->setColumnMinimumWidth(2, 100);
        return table;
    };
    auto box = [&](QWidget* parent, const char* name, int width, Qt::Alignment alignment = Qt::AlignRight) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QString::fromUtf8(name));
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setFont(valueFont);
        edit->setAlignment(alignment | Qt::AlignVCenter);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setTextMargins(4, 3, 6, 3);
        edit->setMinimumWidth(width);
        edit->setSizePolicy(QSizePolicy::Preferred,
                            QSizePolicy::Preferred);  // the row's height: text level with its caption
        SetTextColour(edit, Qt::black);
        // The table's white shows through, so the box never paints over a rule.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, Qt::transparent);
        edit->setPalette(palette);
        return edit;
    };
    auto addRow = [&](RuledTable* table, const char* caption, QWidget* value, const char* unit) {
        QGridLayout* grid = table->Grid();
        const int row = grid->rowCount() == 1 && !grid->itemAtPosition(0, 0) ? 0 : grid->rowCount();
        auto* label = Caption(table, QString(), QString::fromUtf8(caption), captionFont, kNavy);
        label->setContentsMargins(8, 3, 12, 3);
        grid->addWidget(label, row, 0);
        if (unit) {
            grid->addWidget(value, row, 1);
            auto* unitLabel = Caption(table, QString(), QString::fromUtf8(unit), valueFont, kNavy);
            unitLabel->setContentsMargins(8, 3, 8, 3);
            grid->addWidget(unitLabel, row, 2);
        } else {
            grid->addWidget(value, row, 1);
        }
        return row;
    };
    auto panel = [&](const char* name, const char* heading, RuledTable*& table) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QString::fromUtf8(name));
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(10, 8, 10, 10);
        layout->setSpacing(6);
        layout->addWidget(Caption(frame, QString(), QString::fromUtf8(heading), Arial(12, true), kNavy));
        table = makeTable(frame);
        layout->addWidget(table);
        layout->addStretch(1);
        return frame;
    };

    RuledTable* inputs = nullptr;
    RuledTable* summary = nullptr;
    QFrame* inputPanel = panel("fraInputValues", "Input Values", inputs);
    QFrame* summaryPanel = panel("fraSummaryOutput", "Summary Output", summary);

    txtInductance_ = box(inputs, "txtInductance", 130);
    addRow(inputs, "Desired Inductance", txtInductance_, "microHenries");
    txtOutPutVoltage_ = box(inputs, "txtOutPutVoltage", 130);
    addRow(inputs, "Output Voltage", txtOutPutVoltage_, "Volts");
    txtDCCurrent_ = box(inputs, "txtDCCurrent", 130);
    addRow(inputs, "DC Current", txtDCCurrent_, "Amps");
    txtFluxDensity_ = box(inputs, "txtFluxDensity", 130);
    addRow(inputs, "Flux Density", txtFluxDensity_, "Tesla");
    txtFrequency_ = box(inputs, "txtFrequency", 130);
    addRow(inputs, "Frequency", txtFrequency_, "Hz");
    txtMinInputVoltage_ = box(inputs, "txtMinInputVoltage", 130);
    addRow(inputs, "Min Input Voltage", txtMinInputVoltage_, "Volts");
    txtCurrentDensityFactor_ = box(inputs, "txtCurrentDensityFactor", 130);
    {
        const int row = addRow(inputs, "Current Density", txtCurrentDensityFactor_, nullptr);
        VoutUnit_ = box(inputs, "VoutUnit", 60, Qt::AlignLeft);
        VoutUnit_->setFocusPolicy(Qt::NoFocus);
        SetTextColour(VoutUnit_, kNavy);
        VoutUnit_->setTextMargins(4, 3, 8, 3);
        VoutUnit_->setText(QStringLiteral("A/cm^2"));
        inputs->Grid()->addWidget(VoutUnit_, row, 2);
    }
    txtAmbientTemp_ = box(inputs, "txtAmbientTemp", 130);
    addRow(inputs, "Ambient Temperature", txtAmbientTemp_, "\u00B0C");
    txtcore_ = box(inputs, "txtcore", 130, Qt::AlignHCenter);
    {
        const int row = addRow(inputs, "Core Size", txtcore_, nullptr);
        inputs->Grid()->removeWidget(txtcore_);
        inputs->Grid()->addWidget(txtcore_, row, 1, 1, 2);  // wider: across the unit column
        SetBackground(txtcore_, Qt::white);                 // and over the rule it spans
    }

    txtOutCoreSize_ = box(summary, "txtOutCoreSize", 110);
    {
        const int row = addRow(summary, "Core Size", txtOutCoreSize_, nullptr);
        txtStackout_ = box(summary, "txtStackout", 60, Qt::AlignLeft);
        txtStackout_->setFont(Arial(9.75, true));
        summary->Grid()->addWidget(txtStackout_, row, 2);
    }
    txtNoOfTurns_ = box(summary, "txtNoOfTurns", 110);
    addRow(summary, "No. of Turns", txtNoOfTurns_, "");
    txtWireSize_ = box(summary, "txtWireSize", 110);
    addRow(summary, "Wire Size", txtWireSize_, "AWG");
    txtInductanceZero_ = box(summary, "txtInductanceZero", 110);
    addRow(summary, "Inductance Zero Load", txtInductanceZero_, "microHenries");
    txtInductanceFull_ = box(summary, "txtInductanceFull", 110);
    addRow(summary, "Inductance Full Load", txtInductanceFull_, "microHenries");
    txtCopperLoss_ = box(summary, "txtCopperLoss", 110);
    addRow(summary, "Copper Loss", txtCopperLoss_, "Watts");
    txtCoreLoss_ = box(summary, "txtCoreLoss", 110);
    addRow(summary, "Core Loss", txtCoreLoss_, "Watts");
    txtTotalLoss_ = box(summary, "txtTotalLoss", 110);
    addRow(summary, "Total Losses", txtTotalLoss_, "Watts");
    txtTotalTempRise_ = box(summary, "txtTotalTempRise", 110);
    addRow(summary, "Temperature Rise", txtTotalTempRise_, "\u00B0C");

    // Notes.
    auto* notes = new QVBoxLayout;
    notes->setSpacing(2);
    notes->addWidget(Caption(this, QStringLiteral("Label1"), QStringLiteral("Note:"), Arial(9.75, true), Qt::black));
    const char* noteTexts[] = {"These are the summary design outputs based on defined inputs.",
                               "Calculations are for still air with no cooling device.",
                               "Copper loss reported at operating temperature.",
                               "To view and print detailed core data and output summary click View Report."};
    int noteNumber = 2;
    for (const char* text : noteTexts) {
        QLabel* note =
            Caption(this, QStringLiteral("Label%1").arg(noteNumber++), QString::fromUtf8(text), Arial(9.75), kNoteBlue);
        notes->addWidget(note);
        if (!Label2_) Label2_ = note;
    }
    Label2_->installEventFilter(this);

    cmdWebLink_ = new QLineEdit(QString::fromUtf8(kWebHost), this);
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
    cmdWebLink_->setMinimumWidth(cmdWebLink_->fontMetrics().horizontalAdvance(cmdWebLink_->text()) + 24);
    SetLinkColour(cmdWebLink_, kLinkBlue);
    cmdWebLink_->installEventFilter(this);

    cmdIinterOutput_ = Button(this, QStringLiteral("cmdIinterOutput"), QStringLiteral("&Calculations"), true);
    cmdReport_ = Button(this, QStringLiteral("cmdReport"), QStringLiteral("&View Report"), true);
    cmdExit_ = Button(this, QStringLiteral("cmdExit"), QStringLiteral("R&eset Design Inputs"), true);

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

    QHBoxLayout* buttons = ButtonRow({cmdIinterOutput_, cmdReport_, cmdExit_});
    // "Inductance Curve" at the row's left; an empty column of the same share
    // at its right keeps the three buttons centred where they stand without it.
    cmdCurve_ = Button(this, QStringLiteral("cmdCurve"), QStringLiteral("Inductance C&urve"), true);
    auto* buttonRow = new QGridLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setHorizontalSpacing(0);
    buttons->setSpacing(10);  // the body's spacing, which the row had as a part of it
    buttonRow->setColumnStretch(0, 1);
    buttonRow->setColumnStretch(2, 1);
    buttonRow->setColumnMinimumWidth(0, cmdCurve_->minimumWidth());
    buttonRow->setColumnMinimumWidth(2, cmdCurve_->minimumWidth());
    buttonRow->addWidget(cmdCurve_, 0, 0, Qt::AlignLeft);
    buttonRow->addLayout(buttons, 0, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(10);
    body->addLayout(top);
    body->addLayout(panels);
    body->addLayout(notes);
    body->addLayout(link);
    body->addLayout(buttonRow);

    FrameWithSideStrip(this, body);

    setTabOrder(cmdIinterOutput_, cmdReport_);
    setTabOrder(cmdReport_, cmdExit_);
    setTabOrder(cmdExit_, cmdCurve_);
    cmdIinterOutput_->setFocus(Qt::OtherFocusReason);
    // A design is shown when the input screen's last run left one (the screen
    // made anew by the viewer's Back); a run under way says so when it ends.
    frmXls* input = registry_.Find<frmXls>();
    const Outcome last = input ? input->Logic().LastRun().outcome : Outcome::Validation;
    design_ = (last == Outcome::Results || last == Outcome::FillWarning) && HoldsDesign(registry_.Record());
    cmdCurve_->setVisible(design_);

    connect(cmdIinterOutput_, &QPushButton::clicked, this,
            [this] { look::Present(&registry_.Get<frmIntermediateOutput>()); });
    connect(cmdReport_, &QPushButton::clicked, this, [this] {
        if (registry_.Command().ViewReport) registry_.Command().ViewReport();
    });
    connect(cmdExit_, &QPushButton::clicked, this, &frmResult::ResetClicked);
    connect(cmdCurve_, &QPushButton::clicked, this, [this] {
        frmInductanceCurve& curve = registry_.Get<frmInductanceCurve>();
        curve.ShowDesign(registry_.Record());
        look::Present(&curve);
    });
}

void frmResult::FollowDesign(bool design) {
    design_ = design && HoldsDesign(registry_.Record());
    cmdCurve_->setVisible(design_);
    if (frmInductanceCurve* curve = registry_.Find<frmInductanceCurve>()) {
        if (design_)
            curve->ShowDesign(registry_.Record());
        else
            curve->close();
    }
}

void frmResult::DisplayResults() {
    ResultsTexts texts = Texts();
    const frmXls* input = registry_.Find<frmXls>();
    const std::string listText = input ? input->CoreListText().toStdString() : std::string();
    coredesign::DisplayResults(registry_.Record(), listText, texts);
    SetTexts(texts);
}

void frmResult::ClearResultFields() {
    ResultsTexts texts = Texts();
    coredesign::ClearResultFields(texts);
    SetTexts(texts);
}

void frmResult::SetTemperatureAlarm(bool on) {
    alarm_ = on;
    QFont font = txtTotalTempRise_->font();
    font.setBold(on);
    txtTotalTempRise_->setFont(font);
    look::SetTextColour(txtTotalTempRise_, on ? look::kRed : QColor(Qt::black));
}

ResultsTexts frmResult::Texts() const {
    ResultsTexts t;
    t.txtInductance = S(txtInductance_);
    t.txtOutPutVoltage = S(txtOutPutVoltage_);
    t.txtDCCurrent = S(txtDCCurrent_);
    t.txtFluxDensity = S(txtFluxDensity_);
    t.txtFrequency = S(txtFrequency_);
    t.txtMinInputVoltage = S(txtMinInputVoltage_);
    t.txtCurrentDensityFactor = S(txtCurrentDensityFactor_);
    t.VoutUnit = S(VoutUnit_);
    t.txtAmbientTemp = S(txtAmbientTemp_);
    t.txtcore = S(txtcore_);
    t.txtOutCoreSize = S(txtOutCoreSize_);
    t.txtStackout = S(txtStackout_);
    t.txtNoOfTurns = S(txtNoOfTurns_);
    t.txtWireSize = S(txtWireSize_);
    t.txtInductanceZero = S(txtInductanceZero_);
    t.txtInductanceFull = S(txtInductanceFull_);
    t.txtCopperLoss = S(txtCopperLoss_);
    t.txtCoreLoss = S(txtCoreLoss_);
    t.txtTotalLoss = S(txtTotalLoss_);
    t.txtTotalTempRise = S(txtTotalTempRise_);
    t.txtTotalTempRiseAlarm = alarm_;
    return t;
}

void frmResult::SetTexts(const ResultsTexts& t) {
    txtInductance_->setText(Q(t.txtInductance));
    txtOutPutVoltage_->setText(Q(t.txtOutPutVoltage));
    txtDCCurrent_->setText(Q(t.txtDCCurrent));
    txtFluxDensity_->setText(Q(t.txtFluxDensity));
    txtFrequency_->setText(Q(t.txtFrequency));
    txtMinInputVoltage_->setText(Q(t.txtMinInputVoltage));
    txtCurrentDensityFactor_->setText(Q(t.txtCurrentDensityFactor));
    VoutUnit_->setText(Q(t.VoutUnit));
    txtAmbientTemp_->setText(Q(t.txtAmbientTemp));
    txtcore_->setText(Q(t.txtcore));
    txtOutCoreSize_->setText(Q(t.txtOutCoreSize));
    txtStackout_->setText(Q(t.txtStackout));
    txtNoOfTurns_->setText(Q(t.txtNoOfTurns));
    txtWireSize_->setText(Q(t.txtWireSize));
    txtInductanceZero_->setText(Q(t.txtInductanceZero));
    txtInductanceFull_->setText(Q(t.txtInductanceFull));
    txtCopperLoss_->setText(Q(t.txtCopperLoss));
    txtCoreLoss_->setText(Q(t.txtCoreLoss));
    txtTotalLoss_->setText(Q(t.txtTotalLoss));
    txtTotalTempRise_->setText(Q(t.txtTotalTempRise));
    // Long texts show from their start.
    for (QLineEdit* box : findChildren<QLineEdit*>()) box->setCursorPosition(0);
}

bool frmResult::event(QEvent* event) {
    // Shown, or brought back to the front: the boxes show the record as it is now.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) DisplayResults();
    return QWidget::event(event);
}

void frmResult::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // The curve shows this screen's design: it goes with it.
    if (frmInductanceCurve* curve = registry_.Find<frmInductanceCurve>()) curve->close();
    // However this screen goes, the designer is back on the input screen.
    look::Present(&registry_.Get<frmXls>());
}

bool frmResult::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2_) {
        if (event->type() == QEvent::MouseButtonPress)
            SetLinkColour(cmdWebLink_, look::kLinkYellow);
        else if (event->type() == QEvent::MouseButtonRelease)
            SetLinkColour(cmdWebLink_, look::kRed);
    } else if (watched == cmdWebLink_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && cmdWebLink_->rect().contains(mouse->position().toPoint())) {
            if (registry_.Command().LaunchWebSite) registry_.Command().LaunchWebSite();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmResult::ResetClicked() {
    registry_.Get<frmXls>().ResetCoreSizeList();
    close();
}

}  // namespace coredesign::gui
