// The table of Compare Cores: one line per compared core and stack, and the
// filter and sort order the window shows it in.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <memory>
#include <optional>

#include "compare_screen.h"
#include "comparison.h"

namespace coredesign::gui {

// The verdict on a run in words: "Fits", "Too hot", "Overfills the window",
// "Saturates (DC bias)", "Inductance not reached", "No wire large enough".
QString VerdictText(Outcome outcome, bool temperatureAlarm);

// "100 Perm" or "245 Perm", as the input screen names the families.
QString FamilyText(bool gapped);

// The table's cells are the engine's (CompareTable); this model only hands
// them to the view.
class CompareTableModel : public QAbstractTableModel, public CompareColumns {
    Q_OBJECT
public:
    // The number behind a cell, for sorting: NaN where the cell is empty.
    static constexpr int SortRole = Qt::UserRole;

    explicit CompareTableModel(QObject* parent = nullptr);

    // Shows this comparison (none: an empty table).
    void SetComparison(std::shared_ptr<const Comparison> comparison);
    const Comparison* Data() const { return comparison_.get(); }
    // The cells of the comparison shown (there must be one).
    const CompareTable& Table() const { return *table_; }
    const ComparisonRow& Row(int row) const { return comparison_->rows[static_cast<std::size_t>(row)]; }
    // The Calculate Core pick of one of the compared families.
    bool IsCalculateCorePick(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const Comparison> comparison_;
    std::optional<CompareTable> table_;
};

// The rows the window shows: only those that fit unless every row is asked
// for, of both families or one; empty cells sort after every number.
class CompareFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using Families = FamilyFilter;

    explicit CompareFilterModel(QObject* parent = nullptr);

    void SetFamilies(Families families);
    void SetEveryRow(bool every);
    // Whether a row of the comparison passes the family filter.
    bool FamilyShown(const ComparisonRow& row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    FamilyFilter families_ = FamilyFilter::Both;
    bool everyRow_ = false;
};

}  // namespace coredesign::gui
