#include "frmCompareCores.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
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

#include "compare_screen.h"
#include "compare_table_model.h"
#include "constants.h"
#include "input_screen.h"
#include "messages.h"
#include "qt_text.h"
#include "save_file.h"
#include "screen_look.h"
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
    for (Outcome outcome : CompareScreen::MeasuredVerdicts())
        verdict = std::max(verdict, cells.horizontalAdvance(VerdictText(outcome, false)) + 12);
    view.setColumnWidth(CompareTableModel::Verdict, std::max(view.columnWidth(CompareTableModel::Verdict), verdict));
}

}  // namespace

frmCompareCores::frmCompareCores(ScreenRegistry& registry) : QWidget(nullptr), registry_(registry) {
    setObjectName(QStringLiteral("frmCompareCores"));
    setWindowTitle(Q(CompareScreen::Title()));
    BuildControls();
    // The comparison belongs to the input screen's designs: it goes with that
    // screen (the flow closes it when the screen closes, and here when it goes otherwise).
    if (QWidget* input = registry_.Find(Screen::Input)) connect(input, &QObject::destroyed, this, &QWidget::close);
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
    for (const std::string& item : CompareScreen::FamilyFilterItems()) cmbFamily_->addItem(Q(item));
    auto* familyCaption = Caption(this, QString(), Q(CompareScreen::kFamilyCaption), captionFont, kNavy);
    familyCaption->setBuddy(cmbFamily_);
    chkEveryRow_ = new QCheckBox(Q(CompareScreen::kEveryRow), this);
    chkEveryRow_->setObjectName(QStringLiteral("chkEveryRow"));
    chkEveryRow_->setFont(captionFont);
    SetTextColour(chkEveryRow_, kNavy);
    lblCount_ = Caption(this, QStringLiteral("lblCount"), QString(), Arial(9.75), kNavy);
    lblCount_->setWordWrap(true);
    prgCompare_ = new QProgressBar(this);
    prgCompare_->setObjectName(QStringLiteral("prgCompare"));
    prgCompare_->setFixedWidth(200);
    prgCompare_->hide();
    cmdCancel_ =
        Button(this, Q(CompareScreen::CancelButton().control), Q(CompareScreen::CancelButton().caption), false);
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
    chart->setTitle(Q(CompareScreen::kChartTitle));
    chart->legend()->setAlignment(Qt::AlignBottom);
    fitting_ = new QScatterSeries;
    fitting_->setName(Q(CompareScreen::kFitsSeries));
    fitting_->setMarkerSize(7);
    fitting_->setColor(QColor(70, 110, 190));
    fitting_->setBorderColor(QColor(70, 110, 190));
    front_ = new QLineSeries;
    front_->setName(Q(CompareScreen::kFrontSeries));
    front_->setPen(QPen(QColor(30, 140, 60), 2));
    front_->setPointsVisible(true);
    picks_ = new QScatterSeries;
    picks_->setName(Q(CompareScreen::kPicksSeries));
    picks_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    picks_->setMarkerSize(13);
    picks_->setColor(QColor(230, 140, 0));
    selected_ = new QScatterSeries;
    selected_->setName(Q(CompareScreen::kChosenSeries));
    selected_->setMarkerSize(17);
    selected_->setColor(Qt::transparent);
    selected_->setBorderColor(Qt::red);
    selected_->setPen(QPen(Qt::red, 2));
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(fitting_), static_cast<QAbstractSeries*>(front_),
                                    static_cast<QAbstractSeries*>(picks_), static_cast<QAbstractSeries*>(selected_)})
        chart->addSeries(series);
    auto* volumeAxis = new QLogValueAxis;
    volumeAxis->setObjectName(QStringLiteral("volumeAxis"));
    volumeAxis->setTitleText(Q(CompareScreen::kVolumeAxis));
    volumeAxis->setLabelFormat(QStringLiteral("%g"));
    volumeAxis->setBase(10);
    volumeAxis->setMinorTickCount(8);
    auto* lossAxis = new QValueAxis;
    lossAxis->setObjectName(QStringLiteral("lossAxis"));
    lossAxis->setTitleText(Q(CompareScreen::kLossAxis));
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

    QPushButton** buttons[] = {&cmdUse_, &cmdSave_, &cmdRefresh_, &cmdClose_};
    for (std::size_t k = 0; k < std::size(buttons); ++k) {
        const ButtonText& text = CompareScreen::Buttons()[k];
        *buttons[k] = Button(this, Q(text.control), Q(text.caption), false);
        if (*text.toolTip) (*buttons[k])->setToolTip(Q(text.toolTip));
    }

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(8);
    auto* header = new QHBoxLayout;
    header->addWidget(
        Caption(this, QStringLiteral("lblTitle"), Q(CompareScreen::kHeading), Arial(14.25, true), Qt::black));
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
    connect(cmdClose_, &QPushButton::clicked, this,
            [this] { registry_.Carry(registry_.Flow().Command(FlowCommand::CloseCompare)); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] {
        if (job_) job_->cancel = true;
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    ShowComparison(nullptr);
}

std::optional<std::vector<ComparedFamily>> frmCompareCores::CheckedFamilies(ScreenRegistry& registry) {
    InputScreen* input = registry.Flow().Input();
    if (!input) return std::nullopt;
    std::vector<Message> refused;
    std::optional<std::vector<ComparedFamily>> families = input->FamiliesToCompare(refused);
    if (!families) {
        registry.Carry({{Screen::Input, Move::Show}});
        for (const Message& message : refused) input->Tell(message);
    }
    return families;
}

void frmCompareCores::Open(ScreenRegistry& registry) {
    // An open window compares again; a new one opens only for texts that pass the checks.
    if (!registry.Find(kScreen) && !CheckedFamilies(registry)) return;
    registry.Carry(registry.Flow().Command(FlowCommand::Compare));
}

void frmCompareCores::Follow(Move move) {
    if (move == Move::Refill) Refresh();
}

bool frmCompareCores::Refresh() {
    StopJob();
    std::optional<std::vector<ComparedFamily>> families = CheckedFamilies(registry_);
    if (!families) {
        ShowComparison(nullptr);
        lblInputs_->setText(Q(CompareScreen::kNothingCompared));
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
    lblCount_->setText(Q(CompareScreen::ComparingText(job->total)));
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
        lblCount_->setText(Q(CompareScreen::CancelledText(model_->Data() != nullptr)));
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
    lblInputs_->setText(c ? Q(CompareScreen::InputsText(*c)) : QString());
    lblCount_->setText(c ? Q(CompareScreen::CountText(*c)) : QString());
    cmdSave_->setEnabled(c != nullptr);
    if (c && !columnsSized_) {
        SizeColumns(*tblCores_, *model_);
        columnsSized_ = true;
    }
    RebuildChart();
    if (filter_->rowCount() > 0) tblCores_->selectRow(0);
    SelectionChanged();
}

QString frmCompareCores::RowName(int comparisonRow) const {
    return Q(CompareScreen::RowName(model_->Row(comparisonRow)));
}

void frmCompareCores::RebuildChart() {
    fittingRows_.clear();
    QList<QPointF> points, front, picks;
    const Comparison* c = model_->Data();
    if (c) {
        const CompareTable& table = model_->Table();
        const CompareTable::Chart rows =
            table.ChartRows(static_cast<FamilyFilter>(std::max(0, cmbFamily_->currentIndex())));
        auto at = [&](std::size_t i) { return QPointF(table.Row(i).volume, table.Row(i).record.TotalLoss); };
        for (std::size_t i : rows.fitting) {
            points << at(i);
            fittingRows_.push_back(static_cast<int>(i));
        }
        for (std::size_t i : rows.front) front << at(i);
        for (std::size_t i : rows.picks) picks << at(i);
    }
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
    InputScreen* input = registry_.Flow().Input();
    if (!input || family == c->families.end()) return;
    // Back to the input screen, as from the results screen: the run below shows the results again.
    registry_.Carry(registry_.Flow().Command(FlowCommand::UseThisDesign));
    // The texts the table was computed for, that family, Pick Core, that part and stack.
    InputTexts texts = family->texts;
    texts.txtStack = std::to_string(row.stack);
    input->UseDesign(row.gapped, texts, row.part);
    registry_.Carry(registry_.Flow().ShowResults());
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
    const QString path = WithSuffix(*chosen, QStringLiteral(".csv"));
    // Written beside the old file and put in its place only when whole.
    QString failure;
    if (!SaveWhole(path, QByteArray::fromStdString(ComparisonCsv(*c)), failure)) {
        registry_.ShowMessage({SorryMessage(failure), QString::fromUtf8(kCautionTitle), BoxIcon::Information, this});
        return;
    }
    savedFile_ = path;
}

}  // namespace coredesign::gui
