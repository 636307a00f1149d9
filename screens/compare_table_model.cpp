#include "compare_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "compare_screen.h"

namespace coredesign::gui {
namespace {

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
    table_.reset();
    if (comparison_) table_.emplace(*comparison_);
    endResetModel();
}

bool CompareTableModel::IsCalculateCorePick(int row) const {
    return table_ && row >= 0 && table_->IsCalculateCorePick(static_cast<std::size_t>(row));
}

int CompareTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !comparison_ ? 0 : static_cast<int>(comparison_->rows.size());
}

int CompareTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CompareTableModel::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid() || index.row() >= rowCount()) return QVariant();
    const auto row = static_cast<std::size_t>(index.row());
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(table_->CellText(row, column));
        case SortRole:
            return CompareTable::SortsByText(column) ? QVariant(QString::fromStdString(table_->CellText(row, column)))
                                                     : QVariant(table_->SortKey(row, column));
        case Qt::TextAlignmentRole:
            return CompareTable::RightAligned(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::FontRole:
            if (table_->Bold(row)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return QVariant();
        case Qt::BackgroundRole: return table_->Shaded(row) ? QVariant(QBrush(kParetoGreen)) : QVariant();
        case Qt::ForegroundRole: return table_->Dimmed(row) ? QVariant(QBrush(QColor(128, 0, 0))) : QVariant();
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
    return CompareTable::FamilyShown(row, families_);
}

bool CompareFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* model = static_cast<const CompareTableModel*>(sourceModel());
    const ComparisonRow& row = model->Row(sourceRow);
    return FamilyShown(row) && (everyRow_ || row.fits);
}

bool CompareFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const CompareTable& table = static_cast<const CompareTableModel*>(sourceModel())->Table();
    const auto a = static_cast<std::size_t>(left.row()), b = static_cast<std::size_t>(right.row());
    // The proxy asks lessThan(a, b) to put a first in an ascending sort, and
    // lessThan(b, a) in a descending one.
    return sortOrder() == Qt::AscendingOrder ? table.Before(a, b, left.column(), true)
                                             : table.Before(b, a, left.column(), false);
}

}  // namespace coredesign::gui
