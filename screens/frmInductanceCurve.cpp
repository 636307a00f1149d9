#include "frmInductanceCurve.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "catalogue.h"
#include "constants.h"
#include "messages.h"
#include "numtext.h"
#include "save_file.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "seams.h"
#include "spice_model.h"

namespace coredesign::gui {
namespace {

const QString kMicro = QStringLiteral("\u00B5H");

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A figure as the results screen writes it: rounded, the locale's separator.
QString Rounded(double value, int places) {
    return Q(FormatRounded(value, places));
}

// A round step near `step`: 1, 2, 2.5 or 5 times a power of ten.
double RoundStep(double step) {
    if (!(step > 0) || !std::isfinite(step)) return 1;
    const double power = std::pow(10, std::floor(std::log10(step)));
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (step <= m * power) return m * power;
    return 10 * power;
}

QLineSeries* Line(const QString& name, const QString& text, const QColor& colour, Qt::PenStyle style, qreal width) {
    auto* series = new QLineSeries;
    series->setObjectName(name);
    series->setName(text);
    QPen pen(colour);
    pen.setStyle(style);
    pen.setWidthF(width);
    series->setPen(pen);
    return series;
}

}  // namespace

frmInductanceCurve::frmInductanceCurve(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmInductanceCurve"));
    setWindowTitle(QStringLiteral("Inductance Curve"));
    BuildControls();
}

void frmInductanceCurve::BuildControls() {
    using namespace look;
    chtCurve_ = new QChartView(this);
    chtCurve_->setObjectName(QStringLiteral("chtCurve"));
    chtCurve_->setRenderHint(QPainter::Antialiasing);
    chtCurve_->setMinimumSize(760, 480);
    chtCurve_->setFocusPolicy(Qt::NoFocus);

    lblZeroCurrent_ = Caption(this, QStringLiteral("lblZeroCurrent"), QString(), Arial(9), kNoteBlue);
    lblZeroCurrent_->setWordWrap(true);
    lblLimit_ = Caption(this, QStringLiteral("lblLimit"), QString(), Arial(9), kNoteBlue);
    lblLimit_->setWordWrap(true);

    QPushButton* picture = Button(this, QStringLiteral("cmdSavePicture"), QStringLiteral("Save &Picture..."), true);
    QPushButton* data = Button(this, QStringLiteral("cmdSaveData"), QStringLiteral("Save &Data..."), true);
    QPushButton* spice = Button(this, QStringLiteral("cmdSaveSpice"), QStringLiteral("Save &SPICE Model..."), true);
    QPushButton* close = Button(this, QStringLiteral("cmdClose"), QStringLiteral("&Close"), true);
    connect(picture, &QPushButton::clicked, this, &frmInductanceCurve::SavePicture);
    connect(data, &QPushButton::clicked, this, &frmInductanceCurve::SaveData);
    connect(spice, &QPushButton::clicked, this, &frmInductanceCurve::SaveSpiceModel);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* body = new QVBoxLayout(this);
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(8);
    body->addWidget(chtCurve_, 1);
    body->addWidget(lblZeroCurrent_);
    body->addWidget(lblLimit_);
    body->addLayout(ButtonRow({picture, data, spice, close}));
    picture->setFocus(Qt::OtherFocusReason);
}

void frmInductanceCurve::ShowDesign(const DesignRecord& rec) {
    design_ = rec;
    curve_ = MakeInductanceCurve(design_);
    const InductanceCurve& c = curve_;

    auto* chart = new QChart;
    chart->setObjectName(QStringLiteral("chart"));
    chart->setTitle(QStringLiteral("%1, %2 turns of %3 AWG")
                        .arg(Q(PartWithStack(design_.CoreSize, design_.Stack)), Q(FormatWhole(design_.Turns)),
                             Q(FormatPlain(design_.WireSize))));
    chart->setTitleFont(look::Arial(11, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(look::Arial(8.5));

    const double xMax = 2 * design_.PeakCurrent;
    const double entered = c.enteredInductance;
    const double acceptance = entered * (1 + kInductanceTolerance);

    auto* inductance =
        Line(QStringLiteral("serInductance"), QStringLiteral("Inductance"), QColor(0, 0, 160), Qt::SolidLine, 2.5);
    double yLow = std::min(acceptance, entered), yHigh = std::max(c.zeroCurrentInductance, entered);
    for (const CurvePoint& p : c.points) {
        inductance->append(p.current, p.inductance);
        yLow = std::min(yLow, p.inductance);
        yHigh = std::max(yHigh, p.inductance);
    }
    auto* operating = new QScatterSeries;
    operating->setObjectName(QStringLiteral("serOperatingPoint"));
    operating->setName(QStringLiteral("Operating point (peak current)"));
    operating->setColor(look::kRed);
    operating->setMarkerSize(11);
    operating->append(c.operatingPoint.current, c.operatingPoint.inductance);
    operating->setPointLabelsVisible(true);
    operating->setPointLabelsClipping(false);
    operating->setPointLabelsFont(look::Arial(9, true));
    operating->setPointLabelsFormat(
        QStringLiteral("%1 A, %2 %3")
            .arg(Rounded(c.operatingPoint.current, 2), Rounded(c.operatingPoint.inductance, 1), kMicro));

    auto* enteredLine =
        Line(QStringLiteral("serEntered"), QStringLiteral("Entered %1 %2").arg(Rounded(entered, 1), kMicro),
             QColor(0, 128, 0), Qt::DashLine, 1.5);
    auto* acceptanceLine = Line(QStringLiteral("serAcceptance"),
                                QStringLiteral("3 % below entered, %1 %2").arg(Rounded(acceptance, 1), kMicro),
                                QColor(200, 120, 0), Qt::DotLine, 1.5);

    const double margin = (yHigh - yLow) * 0.08 + yHigh * 1e-3;
    const double yMin = std::max(0.0, yLow - margin), yMax = yHigh + margin;
    auto* dcLine = Line(QStringLiteral("serDcCurrent"), QStringLiteral("DC current %1 A").arg(Rounded(c.dcCurrent, 2)),
                        QColor(110, 110, 110), Qt::DashDotLine, 1.5);

    for (QAbstractSeries* s :
         std::initializer_list<QAbstractSeries*>{inductance, enteredLine, acceptanceLine, dcLine, operating})
        chart->addSeries(s);

    auto* xAxis = new QValueAxis;
    xAxis->setObjectName(QStringLiteral("axisCurrent"));
    xAxis->setTitleText(QStringLiteral("Current (A)"));
    xAxis->setRange(0, xMax);
    xAxis->setLabelFormat(QStringLiteral("%.4g"));
    auto* yAxis = new QValueAxis;
    yAxis->setObjectName(QStringLiteral("axisInductance"));
    yAxis->setTitleText(QStringLiteral("Inductance (%1)").arg(kMicro));
    yAxis->setRange(yMin, yMax);
    yAxis->setLabelFormat(QStringLiteral("%.4g"));
    // The inductance is the permeability times a constant of the winding: the
    // same line read against the permeability as a share of its initial value.
    auto* muAxis = new QValueAxis;
    muAxis->setObjectName(QStringLiteral("axisPermeability"));
    muAxis->setTitleText(QStringLiteral("Permeability (% of initial)"));
    muAxis->setLabelFormat(QStringLiteral("%.4g"));
    muAxis->setGridLineVisible(false);
    for (QValueAxis* axis : {xAxis, yAxis, muAxis}) {
        axis->setTitleFont(look::Arial(9, true));
        axis->setLabelsFont(look::Arial(8.5));
    }
    xAxis->applyNiceNumbers();
    yAxis->applyNiceNumbers();
    // The permeability axis spans the same range, as a share of the
    // zero-current inductance.
    const double perCent = c.zeroCurrentInductance > 0 ? 100 / c.zeroCurrentInductance : 0;
    muAxis->setRange(yAxis->min() * perCent, yAxis->max() * perCent);
    // Its labels at round shares (its own ticks, anchored at zero).
    muAxis->setTickType(QValueAxis::TicksDynamic);
    muAxis->setTickAnchor(0);
    muAxis->setTickInterval(RoundStep((muAxis->max() - muAxis->min()) / 5));
    // The marker lines span the axes.
    enteredLine->append(xAxis->min(), entered);
    enteredLine->append(xAxis->max(), entered);
    acceptanceLine->append(xAxis->min(), acceptance);
    acceptanceLine->append(xAxis->max(), acceptance);
    dcLine->append(c.dcCurrent, yAxis->min());
    dcLine->append(c.dcCurrent, yAxis->max());
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    chart->addAxis(muAxis, Qt::AlignRight);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(xAxis);
        s->attachAxis(yAxis);
    }
    QChart* old = chtCurve_->chart();
    chtCurve_->setChart(chart);
    delete old;

    lblZeroCurrent_->setText(
        QStringLiteral("At 0 A the winding gives %1 %2: its turns on the core at the full permeability. The results "
                       "screen's \"Inductance Zero Load\", %3 %2, is the design inductance the calculation settled on.")
            .arg(Rounded(c.zeroCurrentInductance, 1), kMicro, Rounded(design_.Inductance * 1000000, 1)));
    lblLimit_->setVisible(c.lawEndsBefore.has_value());
    if (c.lawEndsBefore)
        lblLimit_->setText(
            QStringLiteral("The no-gap material's permeability law has no value from %1 A on (the core's "
                           "DC bias capability is exceeded): the curve ends at %2 A.")
                .arg(Rounded(*c.lawEndsBefore, 2), Rounded(c.points.back().current, 2)));
    setWindowTitle(QStringLiteral("Inductance Curve - %1").arg(Q(PartWithStack(design_.CoreSize, design_.Stack))));
}

void frmInductanceCurve::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

template <class Bytes>
void frmInductanceCurve::SaveChosen(QString& remembered, const QString& filter, const QString& suffix, Bytes bytes) {
    const std::optional<QString> chosen =
        registry_.RunFileDialog({FileDialogRequest::Mode::Save, remembered, filter, this});
    if (!chosen || chosen->isEmpty()) return;  // cancelled: nothing is written
    remembered = *chosen;
    QString path = WithSuffix(*chosen, suffix);
    const QByteArray content = bytes(path);
    QString failure;
    if (!SaveWhole(path, content, failure))
        registry_.ShowMessage({SorryMessage(failure), QString::fromUtf8(kCautionTitle), BoxIcon::Information, this});
}

void frmInductanceCurve::SavePicture() {
    if (pictureFile_.isEmpty()) pictureFile_ = Q(design_.CoreSize) + QStringLiteral("-curve.png");
    SaveChosen(pictureFile_, QStringLiteral("PNG image (*.png);;SVG image (*.svg)"), QStringLiteral(".png"),
               [this](QString& path) {
                   QBuffer buffer;
                   buffer.open(QIODevice::WriteOnly);
                   const QString suffix = QFileInfo(path).suffix().toLower();
                   if (suffix == QLatin1String("svg")) {
                       QSvgGenerator svg;
                       svg.setOutputDevice(&buffer);
                       svg.setSize(chtCurve_->size());
                       svg.setViewBox(chtCurve_->rect());
                       svg.setTitle(chtCurve_->chart()->title());
                       svg.setDescription(QStringLiteral("Inductance against current"));
                       QPainter painter(&svg);
                       chtCurve_->render(&painter);
                   } else {
                       // Any other name is a PNG picture, and says so.
                       if (suffix != QLatin1String("png")) path += QStringLiteral(".png");
                       chtCurve_->grab().save(&buffer, "PNG");
                   }
                   return buffer.data();
               });
}

void frmInductanceCurve::SaveData() {
    if (dataFile_.isEmpty()) dataFile_ = Q(design_.CoreSize) + QStringLiteral("-curve.csv");
    SaveChosen(dataFile_, QStringLiteral("CSV (*.csv)"), QStringLiteral(".csv"),
               [this](QString&) { return QByteArray::fromStdString(CurveCsv(curve_)); });
}

void frmInductanceCurve::SaveSpiceModel() {
    if (spiceFile_.isEmpty()) spiceFile_ = Q(SpiceSubcircuitName(design_)) + QStringLiteral(".lib");
    SaveChosen(spiceFile_, QStringLiteral("SPICE model (*.lib *.cir *.sp)"), QStringLiteral(".lib"),
               [this](QString&) { return QByteArray::fromStdString(SpiceModel(design_)); });
}

}  // namespace coredesign::gui
