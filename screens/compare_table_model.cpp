#include "compare_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <cmath>
#include <limits>

#include "compare_screen.h"
#include "numtext.h"

namespace coredesign::gui {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// A run that produced a winding: its figures mean something.
bool HasDesign(const ComparisonRow& row) {
    return row.outcome == Outcome::Results || row.outcome == Outcome::FillWarning;
}

QString Rounded(double value, int places) {
    return std::isnan(value) ? QString() : QString::fromStdString(FormatRounded(value, places));
}

const QColor kParetoGreen(214, 240, 214);

}  // namespace

QString VerdictText(Outcome outcome, bool temperatureAlarm) {
    return QString::fromStdString(CompareScreen::VerdictText(outcome, temperatureAlarm));
}

QString FamilyText(bool gapped) {
    return QString::fromStdString(CompareScreen::FamilyText(gapped));
}

CompareTableModel::CompareTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void CompareTableModel::SetComparison(std::shared_ptr<const Comparison> comparison) {
    beginResetModel();
    comparison_ = std::move(comparison);
    picks_.assign(comparison_ ? comparison_->rows.size() : 0, false);
    if (comparison_) {
        for (std::size_t k = 0; k < comparison_->calculateCore.size(); ++k) {
            const int row = CalculateCoreRow(*comparison_, k);
            if (row >= 0) picks_[static_cast<std::size_t>(row)] = true;
        }
    }
    endResetModel();
}

bool CompareTableModel::IsCalculateCorePick(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < picks_.size() && picks_[static_cast<std::size_t>(row)];
}

int CompareTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !comparison_ ? 0 : static_cast<int>(comparison_->rows.size());
}

int CompareTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CompareTableModel::Value(int index, int column, bool forSorting) const {
    const ComparisonRow& row = Row(index);
    const DesignRecord& r = row.record;
    const bool design = HasDesign(row);
    auto figure = [&](double value, int places) -> QVariant {
        const double shown = design ? value : kNone;
        return forSorting ? QVariant(shown) : QVariant(Rounded(shown, places));
    };
    switch (column) {
        case Family: return FamilyText(row.gapped);
        case Part: return QString::fromStdString(row.part);
        case Stack: return forSorting ? QVariant(row.stack) : QVariant(QString::number(row.stack));
        case Verdict: return VerdictText(row.outcome, row.temperatureAlarm);
        case Marked: return QString::fromStdString(CompareScreen::MarkedText(IsCalculateCorePick(index), row.pareto));
        case Turns: return figure(r.Turns, 0);
        case Awg: return figure(r.WireSize, 0);
        case InductanceFullLoad: return figure(r.InductanceFullLoad, 1);
        case Deviation: {
            const double entered = r.InductanceEntered * 1000000;  // uH
            return figure((r.InductanceFullLoad - entered) / entered * 100, 1);
        }
        case FillFactor: return figure(r.ActualFillFactor, 3);
        case CopperLoss: return figure(r.CopperLossAtTemp, 3);
        case CoreLoss: return figure(r.CoreLoss, 4);
        case TotalLoss: return figure(r.TotalLoss, 3);
        case TempRise: return figure(r.TempRise, 1);
        case TotalTemp: return figure(r.AmbientTemp + r.TempRise, 1);
        case Volume: return forSorting ? QVariant(row.volume) : QVariant(Rounded(row.volume, 2));
        case Mass: return forSorting ? QVariant(row.mass) : QVariant(Rounded(row.mass, 1));
        default: return QVariant();
    }
}

QVariant CompareTableModel::data(const QModelIndex& index, int role) const {
    if (!comparison_ || !index.isValid() || index.row() >= rowCount()) return QVariant();
    const ComparisonRow& row = Row(index.row());
    switch (role) {
        case Qt::DisplayRole: return Value(index.row(), index.column(), false);
        case SortRole: return Value(index.row(), index.column(), true);
        case Qt::TextAlignmentRole:
            return index.column() == Stack || (index.column() >= Volume && index.column() <= TotalTemp)
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::FontRole:
            if (IsCalculateCorePick(index.row())) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return QVariant();
        case Qt::BackgroundRole: return row.pareto ? QVariant(QBrush(kParetoGreen)) : QVariant();
        case Qt::ForegroundRole: return row.fits ? QVariant() : QVariant(QBrush(QColor(128, 0, 0)));
        default: return QVariant();
    }
}

QVariant CompareTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
    const std::vector<std::string>& headings = CompareScreen::ColumnHeadings();
    return section >= 0 && section < ColumnCount ? QString::fromStdString(headings[static_cast<std::size_t>(section)])
                                                 : QVariant();
}

CompareFilterModel::CompareFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(CompareTableModel::SortRole);
}

void CompareFilterModel::SetFamilies(Families families) {
    families_ = families;
    invalidateFilter();
}

void CompareFilterModel::SetEveryRow(bool every) {
    everyRow_ = every;
    invalidateFilter();
}

bool CompareFilterModel::FamilyShown(const ComparisonRow& row) const {
    return families_ == Families::Both || row.gapped == (families_ == Families::Gapped);
}

bool CompareFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* model = static_cast<const CompareTableModel*>(sourceModel());
    const ComparisonRow& row = model->Row(sourceRow);
    return FamilyShown(row) && (everyRow_ || row.fits);
}

bool CompareFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole()), b = right.data(sortRole());
    if (a.typeId() == QMetaType::QString) return a.toString() < b.toString();
    const double x = a.toDouble(), y = b.toDouble();
    const bool emptyX = std::isnan(x), emptyY = std::isnan(y);
    if (emptyX || emptyY) {
        // Empty cells last, whichever way the column is sorted (a descending
        // sort puts the "greater" cell first).
        if (emptyX == emptyY) return false;
        return sortOrder() == Qt::AscendingOrder ? emptyY : emptyX;
    }
    return x < y;
}

}  // namespace coredesign::gui
