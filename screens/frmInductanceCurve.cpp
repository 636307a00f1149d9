#include "frmInductanceCurve.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QGraphicsSimpleTextItem>
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

#include "constants.h"
#include "messages.h"
#include "qt_text.h"
#include "save_file.h"
#include "screen_look.h"
#include "seams.h"
#include "spice_model.h"

namespace coredesign::gui {
namespace {

// A round step near `step`: 1, 2, 2.5 or 5 times a power of ten.
double RoundStep(double step) {
    if (!(step > 0) || !std::isfinite(step)) return 1;
    const double power = std::pow(10, std::floor(std::log10(step)));
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (step <= m * power) return m * power;
    return 10 * power;
}

QLineSeries* Line(const QString& name, const std::string& text, const QColor& colour, Qt::PenStyle style, qreal width) {
    auto* series = new QLineSeries;
    series->setObjectName(name);
    series->setName(Q(text));
    QPen pen(colour);
    pen.setStyle(style);
    pen.setWidthF(width);
    series->setPen(pen);
    return series;
}

// Whether the segment a-b crosses or touches the rectangle (Liang-Barsky clipping).
bool Crosses(const QRectF& r, QPointF a, QPointF b) {
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

}  // namespace

frmInductanceCurve::frmInductanceCurve(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmInductanceCurve"));
    setWindowTitle(Q(CurveScreen::kTitleBeforeDesign));
    BuildControls();
}

const InductanceCurve& frmInductanceCurve::Curve() const {
    static const InductanceCurve none;
    return model_ ? model_->Curve() : none;
}

void frmInductanceCurve::Follow(Move move) {
    if (move == Move::Refill) ShowDesign(registry_.Record());
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

    std::vector<QPushButton*> buttons;
    for (const ButtonText& b : CurveScreen::Buttons())
        buttons.push_back(Button(this, Q(b.control), Q(b.caption), true));
    QPushButton *picture = buttons[0], *data = buttons[1], *spice = buttons[2], *close = buttons[3];
    connect(picture, &QPushButton::clicked, this, &frmInductanceCurve::SavePicture);
    connect(data, &QPushButton::clicked, this, &frmInductanceCurve::SaveData);
    connect(spice, &QPushButton::clicked, this, &frmInductanceCurve::SaveSpiceModel);
    connect(close, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::CloseCurve)); });

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
    model_.emplace(rec);
    const CurveScreen& m = *model_;
    const DesignRecord& design = m.Design();
    const InductanceCurve& c = m.Curve();

    auto* chart = new QChart;
    chart->setObjectName(QStringLiteral("chart"));
    chart->setTitle(Q(m.ChartTitle()));
    chart->setTitleFont(look::Arial(11, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(look::Arial(8.5));

    const double xMax = 2 * design.PeakCurrent;
    const double entered = m.Entered();
    const double acceptance = m.Acceptance();

    auto* inductance =
        Line(QStringLiteral("serInductance"), CurveScreen::kCurveSeries, QColor(0, 0, 160), Qt::SolidLine, 2.5);
    double yLow = std::min(acceptance, entered), yHigh = std::max(c.zeroCurrentInductance, entered);
    for (const CurvePoint& p : c.points) {
        inductance->append(p.current, p.inductance);
        yLow = std::min(yLow, p.inductance);
        yHigh = std::max(yHigh, p.inductance);
    }
    auto* operating = new QScatterSeries;
    operating->setObjectName(QStringLiteral("serOperatingPoint"));
    operating->setName(Q(CurveScreen::kOperatingSeries));
    operating->setColor(look::kRed);
    operating->setMarkerSize(11);
    operating->append(c.operatingPoint.current, c.operatingPoint.inductance);
    // Its label is placed apart, where it crosses no line (PlaceOperatingLabel).
    operating->setPointLabelsFormat(Q(m.OperatingLabel()));

    auto* enteredLine = Line(QStringLiteral("serEntered"), m.EnteredSeries(), QColor(0, 128, 0), Qt::DashLine, 1.5);
    auto* acceptanceLine =
        Line(QStringLiteral("serAcceptance"), m.AcceptanceSeries(), QColor(200, 120, 0), Qt::DotLine, 1.5);

    const double margin = (yHigh - yLow) * 0.08 + yHigh * 1e-3;
    const double yMin = std::max(0.0, yLow - margin), yMax = yHigh + margin;
    auto* dcLine =
        Line(QStringLiteral("serDcCurrent"), m.DcCurrentSeries(), QColor(110, 110, 110), Qt::DashDotLine, 1.5);

    for (QAbstractSeries* s :
         std::initializer_list<QAbstractSeries*>{inductance, enteredLine, acceptanceLine, dcLine, operating})
        chart->addSeries(s);

    auto* xAxis = new QValueAxis;
    xAxis->setObjectName(QStringLiteral("axisCurrent"));
    xAxis->setTitleText(Q(CurveScreen::kCurrentAxis));
    xAxis->setRange(0, xMax);
    xAxis->setLabelFormat(QStringLiteral("%.4g"));
    auto* yAxis = new QValueAxis;
    yAxis->setObjectName(QStringLiteral("axisInductance"));
    yAxis->setTitleText(Q(CurveScreen::InductanceAxis()));
    yAxis->setRange(yMin, yMax);
    yAxis->setLabelFormat(QStringLiteral("%.4g"));
    // The inductance is the permeability times a constant of the winding: the
    // same line read against the permeability as a share of its initial value.
    auto* muAxis = new QValueAxis;
    muAxis->setObjectName(QStringLiteral("axisPermeability"));
    muAxis->setTitleText(Q(CurveScreen::kPermeabilityAxis));
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
    operatingLabel_ = new QGraphicsSimpleTextItem(Q(m.OperatingLabel()), chart);
    operatingLabel_->setFont(look::Arial(9, true));
    operatingLabel_->setZValue(10);
    connect(chart, &QChart::plotAreaChanged, this, &frmInductanceCurve::PlaceOperatingLabel);
    QChart* old = chtCurve_->chart();
    chtCurve_->setChart(chart);
    delete old;
    PlaceOperatingLabel();

    lblZeroCurrent_->setText(Q(m.ZeroCurrentNote()));
    lblLimit_->setVisible(c.lawEndsBefore.has_value());
    lblLimit_->setText(Q(m.LimitNote()));
    setWindowTitle(Q(m.Title()));
}

QRectF frmInductanceCurve::OperatingLabelRect() const {
    return operatingLabel_ ? operatingLabel_->sceneBoundingRect() : QRectF();
}

void frmInductanceCurve::PlaceOperatingLabel() {
    if (!model_ || !operatingLabel_) return;
    QChart* chart = chtCurve_->chart();
    const QRectF plot = chart->plotArea();
    QAbstractSeries* curve = nullptr;
    std::vector<std::pair<QPointF, QPointF>> lines;  // every drawn line, in the chart's coordinates
    for (QAbstractSeries* s : chart->series()) {
        auto* xy = qobject_cast<QXYSeries*>(s);
        if (!xy || qobject_cast<QScatterSeries*>(s)) continue;
        if (!curve) curve = s;
        const QList<QPointF> points = xy->points();
        for (int k = 1; k < points.size(); ++k)
            lines.emplace_back(chart->mapToPosition(points[k - 1], s), chart->mapToPosition(points[k], s));
    }
    if (!curve) return;
    // The grid lines too: the current axis's and the inductance axis's ticks.
    for (QAbstractAxis* axis : chart->axes()) {
        auto* values = qobject_cast<QValueAxis*>(axis);
        if (!values || !values->isGridLineVisible() || values->tickCount() < 2) continue;
        const bool vertical = axis->orientation() == Qt::Horizontal;
        for (int k = 0; k < values->tickCount(); ++k) {
            const double v = values->min() + k * (values->max() - values->min()) / (values->tickCount() - 1);
            const double at = vertical ? chart->mapToPosition(QPointF(v, 0), curve).x()
                                       : chart->mapToPosition(QPointF(0, v), curve).y();
            if (vertical)
                lines.emplace_back(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
            else
                lines.emplace_back(QPointF(plot.left(), at), QPointF(plot.right(), at));
        }
    }
    const CurvePoint& op = model_->Curve().operatingPoint;
    const QPointF at = chart->mapToPosition(QPointF(op.current, op.inductance), curve);
    const QSizeF size = operatingLabel_->boundingRect().size();
    const double gap = 9;  // clear of the marker
    const QRectF marker(at.x() - gap, at.y() - gap, 2 * gap, 2 * gap);
    auto clear = [&](const QRectF& r) {
        if (!plot.contains(r) || r.intersects(marker)) return false;
        for (const auto& [a, b] : lines)
            if (Crosses(r, a, b)) return false;
        return true;
    };
    // Beside the point first, then further off, in the quarter turns around it.
    QRectF chosen(QPointF(at.x() + gap, at.y() - gap - size.height()), size);
    bool found = false;
    for (double reach = 0; reach <= 160 && !found; reach += 8) {
        const double d = gap + reach;
        const QPointF corners[] = {{at.x() + d, at.y() - d - size.height()},
                                   {at.x() + d, at.y() + d},
                                   {at.x() - d - size.width(), at.y() - d - size.height()},
                                   {at.x() - d - size.width(), at.y() + d},
                                   {at.x() - size.width() / 2, at.y() - d - size.height()},
                                   {at.x() - size.width() / 2, at.y() + d}};
        for (const QPointF& corner : corners) {
            const QRectF r(corner, size);
            if (clear(r)) {
                chosen = r;
                found = true;
                break;
            }
        }
    }
    operatingLabel_->setPos(chosen.topLeft());
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
    if (!model_) return;
    if (pictureFile_.isEmpty()) pictureFile_ = Q(model_->PictureFile());
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
    if (!model_) return;
    if (dataFile_.isEmpty()) dataFile_ = Q(model_->DataFile());
    SaveChosen(dataFile_, QStringLiteral("CSV (*.csv)"), QStringLiteral(".csv"),
               [this](QString&) { return QByteArray::fromStdString(CurveCsv(model_->Curve())); });
}

void frmInductanceCurve::SaveSpiceModel() {
    if (!model_) return;
    if (spiceFile_.isEmpty()) spiceFile_ = Q(model_->SpiceFile());
    SaveChosen(spiceFile_, QStringLiteral("SPICE model (*.lib *.cir *.sp)"), QStringLiteral(".lib"),
               [this](QString&) { return QByteArray::fromStdString(SpiceModel(model_->Design())); });
}

}  // namespace coredesign::gui
