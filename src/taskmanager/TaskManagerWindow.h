// SPDX-License-Identifier: MIT
#pragma once

#include "model/StableList.h"
#include "platform/Services.h"
#include "taskmanager/TaskRows.h"

#include <QDialog>
#include <array>
#include <memory>
#include <vector>

namespace Ui {
class TaskManagerWindow;
}

class AppData;
class TaskTableModel;

// "提醒任务列表": every reminder, birthday and note the program holds, one
// tab each, with New, Edit and Delete. Modeless; at most one exists, and
// opening it again brings that one forward. It deletes itself when closed.
//
// The window keeps no copy of the data. Each tab's model watches its list,
// so whatever changes a list while the window is open (the editor's Save,
// a popup's Delete, the tick advancing a task) shows in its rows at once.
class TaskManagerWindow final : public QDialog
{
    Q_OBJECT

public:
    enum Tab
    {
        AlarmsTab = 0,
        BirthdaysTab = 1,
        NotesTab = 2
    };

    // Creates the window, centred on the primary screen, or brings the open
    // one forward, and shows it on the reminder tab the first time.
    static TaskManagerWindow *Open(AppData &data, const Services &services);
    // The open window, or nullptr.
    static TaskManagerWindow *Instance();

    ~TaskManagerWindow() override;

    int currentTab() const { return m_tab; }
    const SortState &sortState() const { return m_sort; }
    TaskTableModel *model(int tab) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TaskManagerWindow(AppData &data, const Services &services, QWidget *parent = nullptr);

    void setUpTabs();
    void setUpList();
    void connectControls();
    void centreOnScreen();

    void switchTab(int tab);
    void sortOnColumn(int column);
    void applySort();
    void updateButtons();

    // The selected rows' entries, top to bottom.
    std::vector<EntryHandle> selectedEntries() const;
    TaskTableModel *currentModel() const;

    void newEntry();
    void editSelected();
    void deleteSelected();
    void pinSelectedNote(bool onTop);
    void onDoubleClick();

    std::unique_ptr<Ui::TaskManagerWindow> m_ui;
    AppData &m_data;
    Services m_services;
    std::array<TaskTableModel *, 3> m_models {};
    int m_tab = AlarmsTab;
    SortState m_sort;
    bool m_centred = false;
};
