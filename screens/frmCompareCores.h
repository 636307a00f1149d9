// The Compare Cores window: every core of both families at one to nine
// stacked cores for the input screen's texts, as a table and a chart of the
// fitting designs (volume against total loss), with the Pareto rows and the
// Calculate Core picks marked. A row is taken to the input screen as a Pick
// Core design with "Use This Design". The comparison runs on a worker thread.
#pragma once

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "comparison.h"
#include "screen_registry.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineSeries;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QScatterSeries;
class QTableView;
class QThread;
class QTimer;

namespace coredesign::gui {

class CompareFilterModel;
class CompareTableModel;

class frmCompareCores : public QWidget, public FlowScreen {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::CompareCores;
    explicit frmCompareCores(ScreenRegistry& registry);
    ~frmCompareCores() override;

    // The input screen's Compare Cores: the window shown (created the first
    // time) and comparing for the input screen's texts. Texts that fail an
    // input check open no window.
    static void Open(ScreenRegistry& registry);
    // The families to compare for the input screen's texts as they stand:
    // each family with the texts the input screen shows once that family is
    // chosen. When the texts fail an input check, the message box and focus
    // are those Show Results gives, and there is nothing to compare.
    static std::optional<std::vector<ComparedFamily>> CheckedFamilies(ScreenRegistry& registry);

    // Compares again for the input screen's texts as they stand; texts that
    // fail an input check empty the table (false).
    bool Refresh();
    // The comparison is running.
    bool Busy() const { return job_ != nullptr; }
    // The comparison the table shows (none before the first, or after refused texts).
    const Comparison* Shown() const;

    // Takes the row of the comparison at this position to the input screen:
    // its texts, family, Pick Core, the part and the stack, then Show Results.
    void UseDesign(int comparisonRow);

    // Refill: Refresh.
    void Follow(Move move) override;

signals:
    // The table and the chart show a new comparison, or the texts were refused.
    void ComparisonShown();
    // A running comparison was cancelled; the table keeps what it showed.
    void ComparisonCancelled();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Job;

    void BuildControls();
    void Start(std::vector<ComparedFamily> families);
    void Finished(const std::shared_ptr<Job>& job);
    void StopJob();
    void ShowProgress();
    void ShowComparison(std::shared_ptr<const Comparison> comparison);
    void RebuildChart();
    void FilterChanged();
    void PointClicked(const QPointF& point);
    void PointHovered(const QPointF& point, bool entered);
    void SelectionChanged();
    void UseSelected();
    void SaveTable();
    int SelectedRow() const;
    int RowAtPoint(const QPointF& point) const;
    QString RowName(int comparisonRow) const;

    ScreenRegistry& registry_;
    std::shared_ptr<Job> job_;
    QThread* thread_ = nullptr;
    QString savedFile_;
    bool columnsSized_ = false;

    CompareTableModel* model_ = nullptr;
    CompareFilterModel* filter_ = nullptr;
    QLabel* lblInputs_ = nullptr;
    QComboBox* cmbFamily_ = nullptr;
    QCheckBox* chkEveryRow_ = nullptr;
    QLabel* lblCount_ = nullptr;
    QProgressBar* prgCompare_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QTableView* tblCores_ = nullptr;
    QChartView* chtCores_ = nullptr;
    QScatterSeries* fitting_ = nullptr;
    QLineSeries* front_ = nullptr;
    QScatterSeries* picks_ = nullptr;
    QScatterSeries* selected_ = nullptr;
    std::vector<int> fittingRows_;  // the comparison's row of each point of `fitting_`
    QLabel* lblPoint_ = nullptr;
    QPushButton* cmdUse_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdRefresh_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QTimer* progressTimer_ = nullptr;
};

}  // namespace coredesign::gui
