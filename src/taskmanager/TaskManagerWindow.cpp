// SPDX-License-Identifier: MIT
#include "taskmanager/TaskManagerWindow.h"

#include "editor/BirthdayDialog.h"
#include "editor/ReminderEditor.h"
#include "model/AppData.h"
#include "model/CategoryTable.h"
#include "notes/NoteWindows.h"
#include "taskmanager/AlarmTableModel.h"
#include "taskmanager/BirthdayTableModel.h"
#include "taskmanager/NoteTableModel.h"
#include "ui_TaskManagerWindow.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

namespace {

QPointer<TaskManagerWindow> s_open;

// The starting widths of each tab's columns.
constexpr std::array<std::array<int, 3>, 3> ColumnWidths {{{125, 125, 125}, {125, 175, 175}, {125, 125, 125}}};

// Thin lines between the cells, the look of a report list with grid lines.
class GridDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        QColor line = option.palette.color(QPalette::Active, QPalette::Dark);
        line.setAlpha(70);
        painter->save();
        painter->setPen(line);
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }
};

// The list's pictures: image n is the icon of category n, then the birthday
// icon. A picture that cannot be loaded stays empty in its place, so that
// the ones after it keep their numbers.
QVariantList imageList()
{
    QVariantList images;
    for (const QString &path : CategoryTable::imageListPaths())
        images.append(QIcon(path));
    return images;
}

} // namespace

TaskManagerWindow::TaskManagerWindow(AppData &data, const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TaskManagerWindow>())
    , m_data(data)
    , m_services(services)
{
    m_ui->setupUi(this);
    setWindowIcon(QIcon(CategoryTable::programIconPath()));
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto *notes = new NoteTableModel(data.Notes, this);
    m_models = {new AlarmTableModel(data.Alarms, *services.clock, this),
                new BirthdayTableModel(data.Birthdays, *services.clock, this), notes};
    const QVariantList images = imageList();
    for (TaskTableModel *model : m_models)
        model->setImages(images);
    setUpList();
    setUpTabs();
    connectControls();
    switchTab(AlarmsTab);
}

TaskManagerWindow::~TaskManagerWindow() = default;

TaskManagerWindow *TaskManagerWindow::Open(AppData &data, const Services &services)
{
    if (!s_open) {
        auto *window = new TaskManagerWindow(data, services);
        window->setAttribute(Qt::WA_DeleteOnClose);
        // The window reads lists the application owns; it goes before they do.
        connect(qApp, &QCoreApplication::aboutToQuit, qApp, [window = QPointer(window)] { delete window; });
        s_open = window;
    }
    if (s_open->isMinimized())
        s_open->showNormal();
    else
        s_open->show();
    s_open->raise();
    s_open->activateWindow();
    return s_open;
}

TaskManagerWindow *TaskManagerWindow::Instance()
{
    return s_open;
}

TaskTableModel *TaskManagerWindow::model(int tab) const
{
    return tab >= AlarmsTab && tab <= NotesTab ? m_models[size_t(tab)] : nullptr;
}

TaskTableModel *TaskManagerWindow::currentModel() const
{
    return m_models[size_t(m_tab)];
}

void TaskManagerWindow::setUpTabs()
{
    QTabBar *tabs = m_ui->tabBar;
    tabs->setDrawBase(false);
    tabs->addTab(QIcon(CategoryTable::alarmTabIconPath()), tr("闹铃提醒"));
    tabs->addTab(QIcon(CategoryTable::birthdayTabIconPath()), tr("生日提醒"));
    tabs->addTab(QIcon(CategoryTable::noteTabIconPath()), tr("便签提醒"));
    tabs->setCurrentIndex(AlarmsTab);
}

void TaskManagerWindow::setUpList()
{
    QTreeView *list = m_ui->entryList;
    list->setItemDelegate(new GridDelegate(list));
    QHeaderView *header = list->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
}

void TaskManagerWindow::connectControls()
{
    connect(m_ui->tabBar, &QTabBar::currentChanged, this, &TaskManagerWindow::switchTab);
    connect(m_ui->entryList->header(), &QHeaderView::sectionClicked, this, &TaskManagerWindow::sortOnColumn);
    connect(m_ui->entryList, &QAbstractItemView::doubleClicked, this, &TaskManagerWindow::onDoubleClick);
    connect(m_ui->newButton, &QPushButton::clicked, this, &TaskManagerWindow::newEntry);
    connect(m_ui->editButton, &QPushButton::clicked, this, &TaskManagerWindow::editSelected);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TaskManagerWindow::deleteSelected);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QWidget::close);
    // The notes' check boxes show and hide the note windows, and the on-top
    // box follows what the note windows change.
    auto *notes = static_cast<NoteTableModel *>(m_models[NotesTab]);
    connect(notes, &NoteTableModel::ShowRequested, this, [](EntryHandle entry, bool shown) {
        if (NoteWindows *windows = NoteWindows::Instance())
            windows->SetShown(entry, shown);
    });
    connect(notes, &QAbstractItemModel::dataChanged, this, &TaskManagerWindow::updateButtons);
    connect(m_ui->onTopCheck, &QCheckBox::clicked, this, &TaskManagerWindow::pinSelectedNote);
    for (TaskTableModel *model : m_models) {
        // Rows that go elsewhere take their selection with them.
        connect(model, &QAbstractItemModel::rowsRemoved, this, &TaskManagerWindow::updateButtons);
        connect(model, &QAbstractItemModel::modelReset, this, &TaskManagerWindow::updateButtons);
    }
}

// Centred once, when first shown: only then has the layout settled the size.
void TaskManagerWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!std::exchange(m_centred, true))
        centreOnScreen();
}

void TaskManagerWindow::centreOnScreen()
{
    const QScreen *desktop = QGuiApplication::primaryScreen();
    if (!desktop)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(desktop->availableGeometry().center());
    move(frame.topLeft());
}

// A tab shows its list afresh: the entries in list order, then sorted as
// the header says; nothing is selected.
void TaskManagerWindow::switchTab(int tab)
{
    if (tab < AlarmsTab || tab > NotesTab)
        return;
    m_tab = tab;
    TaskTableModel *model = currentModel();
    model->reload();
    QTreeView *list = m_ui->entryList;
    QItemSelectionModel *previous = list->selectionModel();
    list->setModel(model);
    if (previous && previous != list->selectionModel())
        delete previous;
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TaskManagerWindow::updateButtons,
            Qt::UniqueConnection);
    for (int column = 0; column < TaskTableModel::ColumnCount; ++column)
        list->setColumnWidth(column, ColumnWidths[size_t(tab)][size_t(column)]);
    m_ui->onTopCheck->setVisible(tab == NotesTab);
    applySort();
    updateButtons();
}

void TaskManagerWindow::sortOnColumn(int column)
{
    m_sort.Click(column);
    applySort();
}

void TaskManagerWindow::applySort()
{
    currentModel()->sortRows(m_sort);
    m_ui->entryList->header()->setSortIndicator(m_sort.column,
                                                m_sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

// New and Edit reach the reminder editor, the birthday dialog and the note
// windows. Delete works on every tab. "顶端显示" shows and changes whether
// the one selected note stays on top.
void TaskManagerWindow::updateButtons()
{
    const QItemSelectionModel *selection = m_ui->entryList->selectionModel();
    const qsizetype selected = selection ? selection->selectedRows().size() : 0;
    const bool notes = m_tab == NotesTab && NoteWindows::Instance();
    const bool editable = m_tab == AlarmsTab || m_tab == BirthdaysTab || notes;
    m_ui->newButton->setEnabled(editable);
    m_ui->editButton->setEnabled(editable && selected == 1);
    m_ui->deleteButton->setEnabled(selected > 0);
    const NoteEntry *note = notes && selected == 1 ? m_data.Notes.Find(selectedEntries().front()) : nullptr;
    m_ui->onTopCheck->setEnabled(note != nullptr);
    m_ui->onTopCheck->setChecked(note && note->OnTop != 0);
}

std::vector<EntryHandle> TaskManagerWindow::selectedEntries() const
{
    const QItemSelectionModel *selection = m_ui->entryList->selectionModel();
    if (!selection)
        return {};
    QModelIndexList rows = selection->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<EntryHandle> entries;
    entries.reserve(size_t(rows.size()));
    for (const QModelIndex &row : rows)
        entries.push_back(currentModel()->entryAt(row.row()));
    return entries;
}

void TaskManagerWindow::newEntry()
{
    if (m_tab == AlarmsTab)
        ReminderEditor::OpenModal(m_data, m_services, {}, -1, this);
    else if (m_tab == BirthdaysTab)
        BirthdayDialog::OpenModal(m_data, m_services, {}, this);
    else if (NoteWindows *windows = NoteWindows::Instance(); windows && m_tab == NotesTab)
        windows->NewNote();
}

void TaskManagerWindow::editSelected()
{
    const std::vector<EntryHandle> entries = selectedEntries();
    if (entries.size() != 1)
        return;
    if (NoteWindows *windows = NoteWindows::Instance(); windows && m_tab == NotesTab) {
        windows->Edit(entries.front());
        return;
    }
    // A row whose entry went meanwhile opens nothing.
    const EntryHandle entry = entries.front();
    if (m_tab == AlarmsTab)
        ReminderEditor::OpenModal(m_data, m_services, entry, currentModel()->rowOf(entry), this);
    else if (m_tab == BirthdaysTab)
        BirthdayDialog::OpenModal(m_data, m_services, entry, this);
}

// One question per selected row, from the last row up; only Yes deletes.
// While a question is open the lists may change elsewhere (the tick, a
// popup), so each entry is looked up again before it is asked about.
void TaskManagerWindow::deleteSelected()
{
    const std::vector<EntryHandle> entries = selectedEntries();
    const QPointer<TaskManagerWindow> alive(this);
    TaskTableModel *model = currentModel();
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!model->containsEntry(*entry))
            continue;
        const bool yes = MessageBoxes::ConfirmWarning(this, model->deleteQuestion(*entry));
        if (!alive)
            return;
        if (yes)
            model->removeEntry(*entry);
    }
    updateButtons();
}

void TaskManagerWindow::pinSelectedNote(bool onTop)
{
    const std::vector<EntryHandle> entries = selectedEntries();
    NoteWindows *windows = NoteWindows::Instance();
    if (m_tab == NotesTab && windows && entries.size() == 1)
        windows->SetOnTop(entries.front(), onTop);
}

void TaskManagerWindow::onDoubleClick()
{
    if (selectedEntries().size() == 1)
        editSelected();
}
