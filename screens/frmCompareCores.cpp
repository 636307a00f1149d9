#include "frmCompareCores.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineF>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "compare_table_model.h"
#include "constants.h"
#include "frmResult.h"
#include "frmXls.h"
#include "messages.h"
#include "numtext.h"
#include "save_file.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "screen_texts.h"
#include "seams.h"

namespace coredesign::gui {

// One run of the comparison on its worker thread; the window keeps the job
// it waits for and ignores the end of any other.
struct frmCompareCores::Job {
    std::vector<ComparedFamily> families;
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    int total = 0;
    std::shared_ptr<const Comparison> result;
};

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A part and its stack as the results screen writes them ("6218TXGP * 2").
QString PartAndStack(const std::string& part, int stack) {
    return Q(part) + (stack > 1 ? QStringLiteral(" * %1").arg(stack) : QString());
}

// Each column as wide as its header's longest line (with room for the sort
// arrow), or the widest of about fifty rows spread over the whole table and
// every verdict, whichever is wider. Measured once: measuring every row at
// every change would cost more than the comparison itself.
void SizeColumns(QTableView& view, const CompareTableModel& model) {
    QFont bold = view.font();
    bold.setBold(true);
    const QFontMetrics header(view.horizontalHeader()->font()), cells(bold);
    const int step = std::max(1, model.rowCount() / 50);
    for (int column = 0; column < model.columnCount(); ++column) {
        int width = 0;
        for (const QString& line : model.headerData(column, Qt::Horizontal).toString().split('\n'))
            width = std::max(width, header.horizontalAdvance(line) + 26);
        for (int row = 0; row < model.rowCount(); row += step)
            width = std::max(width, cells.horizontalAdvance(model.index(row, column).data().toString()) + 12);
        view.setColumnWidth(column, width);
    }
    int verdict = 0;
    for (Outcome outcome : {Outcome::FillWarning, Outcome::DcBias, Outcome::InductanceLimit, Outcome::NoWire})
        verdict = std::max(verdict, cells.horizontalAdvance(VerdictText(outcome, false)) + 12);
    view.setColumnWidth(CompareTableModel::Verdict, std::max(view.columnWidth(CompareTableModel::Verdict), verdict));
}

}  // namespace

frmCompareCores::frmCompareCores(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmCompareCores"));
    setWindowTitle(QStringLiteral("Compare Cores - ") + QString::fromUtf8(kAppTitle));
    BuildControls();
    // The comparison belongs to the input screen's designs: it goes with that screen.
    if (frmXls* input = registry_.Find<frmXls>()) connect(input, &QObject::destroyed, this, &QWidget::close);
}

frmCompareCores::~frmCompareCores() {
    StopJob();
}

void frmCompareCores::BuildControls() {
    using namespace look;
    const QFont captionFont = Arial(9.75, true);

    lblInputs_ = Caption(this, QStringLiteral("lblInputs"), QString(), Arial(9.75), kNavy);
    lblInputs_->setTextFormat(Qt::PlainText);
    lblInputs_->setWordWrap(true);

    cmbFamily_ = new QComboBox(this);
    cmbFamily_->setObjectName(QStringLiteral("cmbFamily"));
    cmbFamily_->addItems({QStringLiteral("100 Perm and 245 Perm"), FamilyText(true), FamilyText(false)});
    auto* familyCaption = Caption(this, QString(), QStringLiteral("&Family:"), captionFont, kNavy);
    familyCaption->setBuddy(cmbFamily_);
    chkEveryRow_ = new QCheckBox(QStringLiteral("Show &every core and stack, not only those that fit"), this);
    chkEveryRow_->setObjectName(QStringLiteral("chkEveryRow"));
    chkEveryRow_->setFont(captionFont);
    SetTextColour(chkEveryRow_, kNavy);
    lblCount_ = Caption(this, QStringLiteral("lblCount"), QString(), Arial(9.75), kNavy);
    lblCount_->setWordWrap(true);
    prgCompare_ = new QProgressBar(this);
    prgCompare_->setObjectName(QStringLiteral("prgCompare"));
    prgCompare_->setFixedWidth(200);
    prgCompare_->hide();
    cmdCancel_ = Button(this, QStringLiteral("cmdCancel"), QStringLiteral("C&ancel"), false);
    cmdCancel_->hide();

    auto* filters = new QHBoxLayout;
    filters->addWidget(familyCaption);
    filters->addWidget(cmbFamily_);
    filters->addSpacing(16);
    filters->addWidget(chkEveryRow_);
    filters->addSpacing(16);
    filters->addWidget(lblCount_, 1);
    filters->addWidget(prgCompare_);
    filters->addWidget(cmdCancel_);

    model_ = new CompareTableModel(this);
    filter_ = new CompareFilterModel(this);
    filter_->setSourceModel(model_);
    tblCores_ = new QTableView(this);
    tblCores_->setObjectName(QStringLiteral("tblCores"));
    tblCores_->setModel(filter_);
    tblCores_->setSortingEnabled(true);
    tblCores_->sortByColumn(CompareTableModel::Volume, Qt::AscendingOrder);
    tblCores_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblCores_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblCores_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblCores_->verticalHeader()->hide();
    tblCores_->verticalHeader()->setDefaultSectionSize(tblCores_->fontMetrics().height() + 6);
    tblCores_->setWordWrap(false);

    // The chart: the fitting designs, the Pareto front through them, the
    // Calculate Core picks and the chosen row.
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Designs that fit: volume against total loss"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    fitting_ = new QScatterSeries;
    fitting_->setName(QStringLiteral("Fits"));
    fitting_->setMarkerSize(7);
    fitting_->setColor(QColor(70, 110, 190));
    fitting_->setBorderColor(QColor(70, 110, 190));
    front_ = new QLineSeries;
    front_->setName(QStringLiteral("Pareto front"));
    front_->setPen(QPen(QColor(30, 140, 60), 2));
    front_->setPointsVisible(true);
    picks_ = new QScatterSeries;
    picks_->setName(QStringLiteral("Calculate Core pick"));
    picks_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    picks_->setMarkerSize(13);
    picks_->setColor(QColor(230, 140, 0));
    selected_ = new QScatterSeries;
    selected_->setName(QStringLiteral("Chosen row"));
    selected_->setMarkerSize(17);
    selected_->setColor(Qt::transparent);
    selected_->setBorderColor(Qt::red);
    selected_->setPen(QPen(Qt::red, 2));
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(fitting_), static_cast<QAbstractSeries*>(front_),
                                    static_cast<QAbstractSeries*>(picks_), static_cast<QAbstractSeries*>(selected_)})
        chart->addSeries(series);
    auto* volumeAxis = new QLogValueAxis;
    volumeAxis->setObjectName(QStringLiteral("volumeAxis"));
    volumeAxis->setTitleText(QStringLiteral("Volume of the stack (cm\u00B3)"));
    volumeAxis->setLabelFormat(QStringLiteral("%g"));
    volumeAxis->setBase(10);
    volumeAxis->setMinorTickCount(8);
    auto* lossAxis = new QValueAxis;
    lossAxis->setObjectName(QStringLiteral("lossAxis"));
    lossAxis->setTitleText(QStringLiteral("Total loss (W)"));
    lossAxis->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(volumeAxis, Qt::AlignBottom);
    chart->addAxis(lossAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(volumeAxis);
        series->attachAxis(lossAxis);
    }
    chtCores_ = new QChartView(chart, this);
    chtCores_->setObjectName(QStringLiteral("chtCores"));
    chtCores_->setRenderHint(QPainter::Antialiasing);
    chtCores_->setMinimumSize(420, 360);
    lblPoint_ = Caption(this, QStringLiteral("lblPoint"), QString(), Arial(9.75), kNavy);
    lblPoint_->setTextFormat(Qt::PlainText);

    auto* chartBox = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(chartBox);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(chtCores_, 1);
    chartLayout->addWidget(lblPoint_);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tblCores_);
    splitter->addWidget(chartBox);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({940, 460});
    splitter->setChildrenCollapsible(false);

    cmdUse_ = Button(this, QStringLiteral("cmdUse"), QStringLiteral("&Use This Design"), false);
    cmdUse_->setToolTip(QStringLiteral("Pick Core with this core and stack on the input screen, then Show Results."));
    cmdSave_ = Button(this, QStringLiteral("cmdSave"), QStringLiteral("&Save Table..."), false);
    cmdRefresh_ = Button(this, QStringLiteral("cmdRefresh"), QStringLiteral("&Refresh"), false);
    cmdRefresh_->setToolTip(QStringLiteral("Compare again for the input screen's texts as they stand now."));
    cmdClose_ = Button(this, QStringLiteral("cmdClose"), QStringLiteral("&Close"), false);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(8);
    auto* header = new QHBoxLayout;
    header->addWidget(
        Caption(this, QStringLiteral("lblTitle"), QStringLiteral("Compare Cores"), Arial(14.25, true), Qt::black));
    header->addStretch(1);
    header->addWidget(Logo(this, 200));
    body->addLayout(header);
    body->addWidget(lblInputs_);
    body->addLayout(filters);
    body->addWidget(splitter, 1);
    body->addLayout(ButtonRow({cmdUse_, cmdSave_, cmdRefresh_, cmdClose_}));
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(SideStrip(this));
    root->addLayout(body, 1);
    resize(1440, 780);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(40);
    connect(progressTimer_, &QTimer::timeout, this, &frmCompareCores::ShowProgress);

    connect(cmbFamily_, &QComboBox::currentIndexChanged, this, &frmCompareCores::FilterChanged);
    connect(chkEveryRow_, &QCheckBox::toggled, this, &frmCompareCores::FilterChanged);
    connect(tblCores_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmCompareCores::SelectionChanged);
    connect(tblCores_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { UseDesign(filter_->mapToSource(index).row()); });
    for (QXYSeries* series : {static_cast<QXYSeries*>(fitting_), static_cast<QXYSeries*>(front_),
                              static_cast<QXYSeries*>(picks_), static_cast<QXYSeries*>(selected_)}) {
        connect(series, &QXYSeries::clicked, this, &frmCompareCores::PointClicked);
        connect(series, &QXYSeries::hovered, this, &frmCompareCores::PointHovered);
    }
    connect(cmdUse_, &QPushButton::clicked, this, &frmCompareCores::UseSelected);
    connect(cmdSave_, &QPushButton::clicked, this, &frmCompareCores::SaveTable);
    connect(cmdRefresh_, &QPushButton::clicked, this, &frmCompareCores::Refresh);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdCancel_, &QPushButton::clicked, this, [this] {
        if (job_) job_->cancel = true;
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    ShowComparison(nullptr);
}

std::optional<std::vector<ComparedFamily>> frmCompareCores::CheckedFamilies(ScreenRegistry& registry) {
    frmXls* input = registry.Find<frmXls>();
    if (!input) return std::nullopt;
    const InputScreen& logic = input->Logic();
    const bool current = logic.Record().GappedCores;
    std::vector<ComparedFamily> families;
    for (bool gapped : {true, false})
        families.push_back({gapped, TextsAfterChoosingFamily(logic.Fields(), current, gapped), logic.Environment()});
    // The input checks of Show Results (a picked core aside): the family on
    // the screen first, then the other with its own flux density.
    std::vector<const ComparedFamily*> order;
    for (const ComparedFamily& family : families)
        order.insert(family.gapped == current ? order.begin() : order.end(), &family);
    for (const ComparedFamily* family : order) {
        const CalculateCorePick pick = RunCalculateCore(*family);
        if (pick.outcome != Outcome::Validation) continue;
        look::Present(input);
        for (const Message& message : pick.messages) input->ShowRunMessage(message);
        return std::nullopt;
    }
    return families;
}

void frmCompareCores::Open(ScreenRegistry& registry) {
    if (frmCompareCores* window = registry.Find<frmCompareCores>()) {
        look::Present(window);
        window->Refresh();
        return;
    }
    std::optional<std::vector<ComparedFamily>> families = CheckedFamilies(registry);
    if (!families) return;  // no window for texts that fail a check
    frmCompareCores& window = registry.Get<frmCompareCores>();
    look::Present(&window);
    window.Start(std::move(*families));
}

bool frmCompareCores::Refresh() {
    StopJob();
    std::optional<std::vector<ComparedFamily>> families = CheckedFamilies(registry_);
    if (!families) {
        ShowComparison(nullptr);
        lblInputs_->setText(QStringLiteral("Nothing compared: the input screen's texts fail an input check."));
        emit ComparisonShown();
        return false;
    }
    Start(std::move(*families));
    return true;
}

void frmCompareCores::Start(std::vector<ComparedFamily> families) {
    StopJob();
    auto job = std::make_shared<Job>();
    job->families = std::move(families);
    job->total = ComparisonRuns(job->families);
    job_ = job;
    thread_ = QThread::create([job] {
        ComparisonControl control;
        control.cancel = &job->cancel;
        control.progress = [raw = job.get()](int done, int) { raw->done.store(done, std::memory_order_relaxed); };
        job->result = std::make_shared<const Comparison>(CompareCores(job->families, control));
    });
    connect(thread_, &QThread::finished, this, [this, job] { Finished(job); });
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    prgCompare_->setRange(0, job->total);
    prgCompare_->setValue(0);
    prgCompare_->show();
    cmdCancel_->show();
    lblCount_->setText(QStringLiteral("Comparing %1 cores and stacks...").arg(job->total));
    progressTimer_->start();
    thread_->start();
}

void frmCompareCores::ShowProgress() {
    if (job_) prgCompare_->setValue(job_->done.load(std::memory_order_relaxed));
}

void frmCompareCores::StopJob() {
    if (!job_) return;
    job_->cancel = true;
    thread_->wait();  // each run takes well under a millisecond
    job_.reset();
    thread_ = nullptr;
    progressTimer_->stop();
    prgCompare_->hide();
    cmdCancel_->hide();
}

void frmCompareCores::Finished(const std::shared_ptr<Job>& job) {
    if (job != job_) return;  // stopped, or replaced by a newer comparison
    job_.reset();
    thread_ = nullptr;
    progressTimer_->stop();
    prgCompare_->hide();
    cmdCancel_->hide();
    if (job->result->cancelled) {
        lblCount_->setText(model_->Data() ? QStringLiteral("Cancelled; the table is still the one computed before.")
                                          : QStringLiteral("Cancelled."));
        emit ComparisonCancelled();
        return;
    }
    ShowComparison(job->result);
    emit ComparisonShown();
}

void frmCompareCores::closeEvent(QCloseEvent* event) {
    StopJob();
    QWidget::closeEvent(event);
}

const Comparison* frmCompareCores::Shown() const {
    return model_->Data();
}

void frmCompareCores::ShowComparison(std::shared_ptr<const Comparison> comparison) {
    model_->SetComparison(std::move(comparison));
    const Comparison* c = model_->Data();
    lblInputs_->setText(c ? InputsText(*c) : QString());
    int fitting = 0, pareto = 0;
    if (c) {
        for (const ComparisonRow& row : c->rows) {
            fitting += row.fits;
            pareto += row.pareto;
        }
    }
    lblCount_->setText(
        c ? QStringLiteral(
                "%1 of %2 cores and stacks fit; %3 on the Pareto front (shaded); Calculate Core's picks in bold.")
                .arg(fitting)
                .arg(c->rows.size())
                .arg(pareto)
          : QString());
    cmdSave_->setEnabled(c != nullptr);
    if (c && !columnsSized_) {
        SizeColumns(*tblCores_, *model_);
        columnsSized_ = true;
    }
    RebuildChart();
    if (filter_->rowCount() > 0) tblCores_->selectRow(0);
    SelectionChanged();
}

QString frmCompareCores::InputsText(const Comparison& c) const {
    const InputTexts& t = c.families.front().texts;  // the families differ in the flux density only
    // Each typed text shortened, so that a very long one cannot widen the window off the screen.
    const auto typed = [](const std::string& text) { return Q(ShortenedText(text)); };
    QStringList flux;
    for (const ComparedFamily& family : c.families)
        flux << typed(family.texts.txtFluxDensity) + QStringLiteral(" T (") + FamilyText(family.gapped) + ')';
    QStringList picks;
    for (const CalculateCorePick& pick : c.calculateCore)
        picks << FamilyText(pick.gapped) + QStringLiteral(": ") +
                     (pick.part.empty() ? QStringLiteral("none (") + VerdictText(pick.outcome, false) + ')'
                                        : PartAndStack(pick.part, pick.stack));
    return QStringLiteral(
               "Computed for: inductance %1 %2, output %3 V, DC current %4 A, flux density %5, frequency %6 %7, "
               "input %8 to %9 V, ambient %10 \u00B0C, current density %11 A/cm\u00B2, fill factor %12. "
               "Calculate Core (cores to stack %13) picks %14.")
        .arg(typed(t.txtInductance), Q(t.cmbinductance), typed(t.txtOutPutVoltage), typed(t.txtDCCurrent),
             flux.join(QStringLiteral(", ")), typed(t.txtFrequency), Q(t.cmbfrequency), typed(t.txtMinInputVoltage),
             typed(t.txtMaxInputVoltage))
        .arg(typed(t.txtAmbientTemp), typed(t.txtCurrentDensityFactor), typed(t.txtFill_Factor),
             typed(t.txtStack.empty() ? std::string("1") : t.txtStack), picks.join(QStringLiteral(", ")));
}

QString frmCompareCores::RowName(int comparisonRow) const {
    const ComparisonRow& row = model_->Row(comparisonRow);
    return PartAndStack(row.part, row.stack) + QStringLiteral(" (") + FamilyText(row.gapped) + QStringLiteral("): ") +
           QString::fromStdString(FormatRounded(row.volume, 2)) + QStringLiteral(" cm\u00B3, ") +
           QString::fromStdString(FormatRounded(row.record.TotalLoss, 3)) + QStringLiteral(" W, ") +
           VerdictText(row.outcome, row.temperatureAlarm);
}

void frmCompareCores::RebuildChart() {
    fittingRows_.clear();
    QList<QPointF> points, front, picks;
    const Comparison* c = model_->Data();
    for (std::size_t i = 0; c && i < c->rows.size(); ++i) {
        const ComparisonRow& row = c->rows[i];
        if (!row.fits || !filter_->FamilyShown(row)) continue;
        const QPointF point(row.volume, row.record.TotalLoss);
        points << point;
        fittingRows_.push_back(static_cast<int>(i));
        if (row.pareto) front << point;
        if (model_->IsCalculateCorePick(static_cast<int>(i))) picks << point;
    }
    std::sort(front.begin(), front.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    fitting_->replace(points);
    front_->replace(front);
    picks_->replace(picks);
    selected_->clear();

    auto* volumeAxis = static_cast<QLogValueAxis*>(chtCores_->chart()->axes(Qt::Horizontal).front());
    auto* lossAxis = static_cast<QValueAxis*>(chtCores_->chart()->axes(Qt::Vertical).front());
    if (points.isEmpty()) {
        volumeAxis->setRange(0.1, 1000);
        lossAxis->setRange(0, 1);
        lossAxis->setTickCount(5);
        return;
    }
    double vMin = points.front().x(), vMax = vMin, lMax = points.front().y();
    for (const QPointF& p : points) {
        vMin = std::min(vMin, p.x());
        vMax = std::max(vMax, p.x());
        lMax = std::max(lMax, p.y());
    }
    volumeAxis->setRange(std::pow(10.0, std::floor(std::log10(vMin))), std::pow(10.0, std::ceil(std::log10(vMax))));
    // Total loss from 0 in about five steps of 1, 2, 2.5 or 5 times a power of ten.
    const double rough = lMax / 5, power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    }
    const double steps = std::ceil(lMax / step);
    lossAxis->setRange(0, steps * step);
    lossAxis->setTickCount(static_cast<int>(steps) + 1);
}

void frmCompareCores::FilterChanged() {
    filter_->SetFamilies(static_cast<CompareFilterModel::Families>(cmbFamily_->currentIndex()));
    filter_->SetEveryRow(chkEveryRow_->isChecked());
    RebuildChart();
    SelectionChanged();
}

int frmCompareCores::SelectedRow() const {
    const QModelIndexList rows = tblCores_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : filter_->mapToSource(rows.front()).row();
}

int frmCompareCores::RowAtPoint(const QPointF& point) const {
    // The fitting point drawn nearest to where the mouse is, within a few
    // pixels: the line, the picks and the chosen row lie over the points and
    // report where on them the mouse is.
    QChart* chart = chtCores_->chart();
    const QPointF at = chart->mapToPosition(point, fitting_);
    const QList<QPointF> points = fitting_->points();
    int nearest = -1;
    double distance = 8;
    for (int k = 0; k < points.size(); ++k) {
        const double d = QLineF(chart->mapToPosition(points[k], fitting_), at).length();
        if (d <= distance) {
            distance = d;
            nearest = k;
        }
    }
    return nearest < 0 ? -1 : fittingRows_[static_cast<std::size_t>(nearest)];
}

void frmCompareCores::PointClicked(const QPointF& point) {
    const int row = RowAtPoint(point);
    if (row < 0) return;
    const QModelIndex shown = filter_->mapFromSource(model_->index(row, 0));
    if (!shown.isValid()) return;
    tblCores_->selectRow(shown.row());
    tblCores_->scrollTo(shown, QAbstractItemView::PositionAtCenter);
}

void frmCompareCores::PointHovered(const QPointF& point, bool entered) {
    const int row = entered ? RowAtPoint(point) : -1;
    const QString name = row >= 0 ? RowName(row) : QString();
    lblPoint_->setText(name);
    if (name.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), name, chtCores_);
}

void frmCompareCores::SelectionChanged() {
    const int row = SelectedRow();
    cmdUse_->setEnabled(row >= 0);
    selected_->clear();
    if (row < 0) return;
    const ComparisonRow& r = model_->Row(row);
    if (r.fits && filter_->FamilyShown(r)) selected_->append(r.volume, r.record.TotalLoss);
}

void frmCompareCores::UseSelected() {
    UseDesign(SelectedRow());
}

void frmCompareCores::UseDesign(int comparisonRow) {
    const Comparison* c = model_->Data();
    if (!c || comparisonRow < 0 || static_cast<std::size_t>(comparisonRow) >= c->rows.size()) return;
    const ComparisonRow row = c->rows[static_cast<std::size_t>(comparisonRow)];
    auto family = std::find_if(c->families.begin(), c->families.end(),
                               [&](const ComparedFamily& f) { return f.gapped == row.gapped; });
    frmXls* input = registry_.Find<frmXls>();
    if (!input || family == c->families.end()) return;
    // Back to the input screen, as from the results screen: the run below shows the results again.
    if (frmResult* results = registry_.Find<frmResult>(); results && results->isVisible()) {
        results->hide();
        registry_.SetKeepsProgramAlive(results, false);
    }
    // The texts the table was computed for, that family, Pick Core, that part and stack.
    InputScreen& logic = input->Logic();
    logic.ChooseFamily(row.gapped);
    logic.ChoosePickCore();
    InputTexts texts = family->texts;
    texts.txtStack = std::to_string(row.stack);
    TypeTexts(texts, logic.Fields());
    logic.PickPart(row.part);  // the widgets show it all
    look::Present(input);
    input->findChild<QPushButton*>(QStringLiteral("cmdProcess"))->click();
}

void frmCompareCores::SaveTable() {
    const Comparison* c = model_->Data();
    if (!c) return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.fileName = savedFile_.isEmpty() ? QStringLiteral("core-comparison.csv") : savedFile_;
    request.filter = QStringLiteral("*.csv");
    request.filterName = QStringLiteral("CSV");
    request.confirmOverwrite = true;
    request.parent = this;
    std::optional<QString> chosen = registry_.RunFileDialog(request);
    if (!chosen) return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    // Written beside the old file and put in its place only when whole.
    QString failure;
    if (!SaveWhole(path, QByteArray::fromStdString(ComparisonCsv(*c)), failure)) {
        registry_.ShowMessage({SorryMessage(failure), QString::fromUtf8(kCautionTitle), BoxIcon::Information, this});
        return;
    }
    savedFile_ = path;
}

}  // namespace coredesign::gui
