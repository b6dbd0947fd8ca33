// SPDX-License-Identifier: MIT
#include "taskmanager/TaskTableModel.h"

#include <algorithm>

TaskTableModel::TaskTableModel(QStringList headers, NewRows placement, QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers(std::move(headers))
    , m_placement(placement)
{ }

TaskTableModel::~TaskTableModel() = default;

int TaskTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TaskTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TaskTableModel::data(const QModelIndex &index, int role) const
{
    const EntryHandle entry = entryAt(index.row());
    if (!index.isValid() || !containsEntry(entry))
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return rowTexts(entry)[size_t(column)];
    case Qt::DecorationRole:
        return column == 0 ? m_images.value(imageIndex(entry)) : QVariant();
    case Qt::CheckStateRole:
        return column == 0 ? checkState(entry) : QVariant();
    case Qt::TextAlignmentRole:
        return int(columnAlignment(column));
    default:
        return {};
    }
}

QVariant TaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_headers.value(section);
    if (role == Qt::TextAlignmentRole)
        return int(columnAlignment(section));
    return {};
}

Qt::ItemFlags TaskTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

EntryHandle TaskTableModel::entryAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)] : EntryHandle {};
}

int TaskTableModel::rowOf(EntryHandle entry) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), entry);
    return found == m_rows.end() ? -1 : int(found - m_rows.begin());
}

void TaskTableModel::reload()
{
    beginResetModel();
    m_rows = entriesWithRows();
    endResetModel();
}

void TaskTableModel::sortRows(const SortState &sort)
{
    if (sort.column < 0 || sort.column >= ColumnCount)
        return;
    QStringList texts;
    texts.reserve(qsizetype(m_rows.size()));
    for (const EntryHandle entry : m_rows)
        texts.append(rowTexts(entry)[size_t(sort.column)]);
    const std::vector<int> order = SortedRowOrder(texts, sort);

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<EntryHandle> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newRowOf(m_rows.size());
    for (size_t place = 0; place < order.size(); ++place) {
        sorted.push_back(m_rows[size_t(order[place])]);
        newRowOf[size_t(order[place])] = int(place);
    }
    m_rows = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(this->index(newRowOf[size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TaskTableModel::moveToFirstRow(EntryHandle entry)
{
    const int row = rowOf(entry);
    if (row <= 0 || !beginMoveRows({}, row, row, {}, 0))
        return;
    m_rows.erase(m_rows.begin() + row);
    m_rows.insert(m_rows.begin(), entry);
    endMoveRows();
}

void TaskTableModel::setImages(QVariantList images)
{
    m_images = std::move(images);
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void TaskTableModel::EntryAdded(EntryHandle entry)
{
    if (hasRow(entry))
        addRowFor(entry);
}

// A changed entry keeps its row; one that no longer qualifies for a row
// (a task whose due moment went invalid) loses it, and one that now
// qualifies gets one where new rows go.
void TaskTableModel::EntryChanged(EntryHandle entry)
{
    const int row = rowOf(entry);
    const bool wanted = hasRow(entry);
    if (row < 0) {
        if (wanted)
            addRowFor(entry);
        return;
    }
    if (!wanted) {
        dropRow(row);
        return;
    }
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void TaskTableModel::EntryRemoving(EntryHandle entry)
{
    if (const int row = rowOf(entry); row >= 0)
        dropRow(row);
}

void TaskTableModel::ListReset()
{
    reload();
}

void TaskTableModel::addRowFor(EntryHandle entry)
{
    const int row = m_placement == NewRows::First ? 0 : int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, entry);
    endInsertRows();
}

void TaskTableModel::dropRow(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}
