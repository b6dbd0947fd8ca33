// SPDX-License-Identifier: MIT
#pragma once

#include "model/StableList.h"
#include "taskmanager/TaskRows.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariantList>
#include <vector>

// One tab of the task list: the rows of one of the program's lists, each row
// addressed by the entry handle of the entry it shows. The model keeps no
// copy of the data; it reads the entry each time a cell is asked for, and
// follows the list as other windows (and the tick) add, change and remove
// entries while it is open.
class TaskTableModel : public QAbstractTableModel, public ListObserver
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 3;

    ~TaskTableModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The entry a row shows; null outside the rows.
    EntryHandle entryAt(int row) const;
    // The row of an entry, -1 when it has none.
    int rowOf(EntryHandle entry) const;
    // Whether the entry a handle names is still in the list.
    virtual bool containsEntry(EntryHandle entry) const = 0;

    // The row's three texts, as shown and as sorting compares them.
    virtual RowTexts rowTexts(EntryHandle entry) const = 0;
    // The question Delete asks before removing the entry.
    virtual QString deleteQuestion(EntryHandle entry) const = 0;
    // Removes the entry from its list (the row goes with it); false when
    // it is gone already.
    virtual bool removeEntry(EntryHandle entry) = 0;

    // All entries again, in list order.
    void reload();
    // Sorts the rows; selections and other persistent indexes follow.
    void sortRows(const SortState &sort);
    // Moves an entry's row to the top, where a window that just added it
    // wants it seen.
    void moveToFirstRow(EntryHandle entry);

    // The pictures of the image list, as decorations; image n is shown for
    // image index n. Kept as variants so that this model needs no GUI.
    void setImages(QVariantList images);

protected:
    // Where a row for an entry added elsewhere goes.
    enum class NewRows
    {
        Last,
        First
    };

    TaskTableModel(QStringList headers, NewRows placement, QObject *parent);

    // The entries that get a row, in list order.
    virtual std::vector<EntryHandle> entriesWithRows() const = 0;
    virtual bool hasRow(EntryHandle entry) const = 0;
    virtual int imageIndex(EntryHandle entry) const = 0;
    // The row's check box; none unless a tab has them.
    virtual QVariant checkState(EntryHandle) const { return {}; }
    virtual Qt::Alignment columnAlignment(int) const { return Qt::AlignLeft | Qt::AlignVCenter; }

    void EntryAdded(EntryHandle entry) override;
    void EntryChanged(EntryHandle entry) override;
    void EntryRemoving(EntryHandle entry) override;
    void ListReset() override;

private:
    void addRowFor(EntryHandle entry);
    void dropRow(int row);

    QStringList m_headers;
    NewRows m_placement;
    std::vector<EntryHandle> m_rows;
    QVariantList m_images;
};
