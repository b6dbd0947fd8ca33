// SPDX-License-Identifier: MIT
#include "taskmanager/TaskManagerWindow.h"

#include "../editor/EditorFixture.h"
#include "TestFiles.h"
#include "editor/BirthdayDialog.h"
#include "editor/BirthdayInfo.h"
#include "editor/QuickReminderDialog.h"
#include "editor/ReminderEditor.h"
#include "widgets/ColumnMenu.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

class TaskManagerTest : public EditorFixture
{
protected:
    void TearDown() override
    {
        delete TaskManagerWindow::Instance();
        EditorFixture::TearDown();
    }

    TaskManagerWindow *open() { return TaskManagerWindow::Open(data, services); }

    EntryHandle addTask(const QString &description, const DateTime &due, int schedule = AlarmTask::Once,
                        int reportMode = AlarmTask::AtDateTime)
    {
        AlarmTask t = InitAlarmTask(fakes.clock);
        t.Description = description;
        t.DateTime = due;
        t.Schedule = schedule;
        t.ReportMode = reportMode;
        t.Category = 5;
        return data.Alarms.AddTail(t);
    }
    void addBirthday(const QString &name, int age)
    {
        BirthdayEntry b;
        b.FriendName = name;
        b.BornDate = qint32(at(2026 - age, 5, 3).ToUnixTime());
        b.Age = age;
        b.Sign = u"金牛座"_s;
        b.Year = u"马"_s;
        data.Birthdays.AddTail(b);
    }
    void addNote(const QString &text, int shown, const DateTime &changed)
    {
        NoteEntry n = InitNoteEntry(changed);
        n.Message = text;
        n.Display = n.OnTop = shown;
        n.UpdateTime = qint32(changed.ToUnixTime());
        data.Notes.AddTail(n);
    }

    static QTreeView *list(const TaskManagerWindow *w) { return child<QTreeView>(w, "entryList"); }
    // A row's three texts; row -1 gives the headers.
    static QStringList row(const TaskManagerWindow *w, int r)
    {
        const QAbstractItemModel *m = list(w)->model();
        QStringList out;
        for (int c = 0; c < 3; ++c)
            out.append(r < 0 ? m->headerData(c, Qt::Horizontal).toString() : m->index(r, c).data().toString());
        return out;
    }
    static QStringList column0(const TaskManagerWindow *w)
    {
        QStringList out;
        for (int r = 0; r < list(w)->model()->rowCount(); ++r)
            out.append(row(w, r)[0]);
        return out;
    }
    static void clickTab(const TaskManagerWindow *w, int tab)
    {
        auto *tabs = child<QTabBar>(w, "tabBar");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    }
    static void clickHeader(const TaskManagerWindow *w, int section)
    {
        QHeaderView *h = list(w)->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          {h->sectionViewportPosition(section) + h->sectionSize(section) / 2, h->height() / 2});
    }
    static QPoint rowPoint(const TaskManagerWindow *w, int r)
    {
        return list(w)->visualRect(list(w)->model()->index(r, 1)).center();
    }
    // Clicks the first row and ctrl-clicks the others, as a user picks rows.
    static void selectRows(const TaskManagerWindow *w, const std::vector<int> &rows)
    {
        Qt::KeyboardModifiers modifiers;
        for (const int r : rows) {
            QTest::mouseClick(list(w)->viewport(), Qt::LeftButton, modifiers, rowPoint(w, r));
            modifiers = Qt::ControlModifier;
        }
    }
    static void click(const TaskManagerWindow *w, const char *name)
    {
        QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
    }
    // New, Edit, Delete enabled.
    static std::vector<bool> buttons(const TaskManagerWindow *w)
    {
        return {child<QPushButton>(w, "newButton")->isEnabled(), child<QPushButton>(w, "editButton")->isEnabled(),
                child<QPushButton>(w, "deleteButton")->isEnabled()};
    }
    // Types a description into the reminder editor once its modal loop runs, and saves.
    static void saveInEditor(const QString &description, std::function<void(ReminderEditor *)> check = {})
    {
        QTimer::singleShot(0, [=] {
            auto *editor = qobject_cast<ReminderEditor *>(QApplication::activeModalWidget());
            if (!editor) {
                ADD_FAILURE() << "the reminder editor did not open";
                return;
            }
            if (check)
                check(editor);
            auto *edit = child<QLineEdit>(editor, "descriptionEdit");
            edit->clear();
            typeText(edit, description);
            QTest::mouseClick(child<QPushButton>(editor, "saveButton"), Qt::LeftButton);
        });
    }
    // Runs `act` on the dialog of type T once its modal loop runs.
    template<class T> static void runInDialog(std::function<void(T *)> act)
    {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "the dialog did not open";
                return;
            }
            act(dialog);
        });
    }
    QStringList questions() const
    {
        QStringList out;
        for (const MessageBoxes::Request &box : boxes) {
            EXPECT_EQ(box.icon, QMessageBox::Warning);
            EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
            out.append(box.text);
        }
        return out;
    }
};

TEST_F(TaskManagerTest, ReminderRowsOpenSortedDescendingOnTheDescription)
{
    addTask(u"b晨跑"_s, at(2026, 3, 10, 13, 0, 0));
    addTask(u"A会议"_s, at(2026, 3, 10, 12, 30, 0), AlarmTask::Hourly, AlarmTask::AtFirstStart);
    addTask(u"c到期"_s, fakes.clock.Now()); // due within the current second
    addTask(u"D启动"_s, at(2026, 3, 11, 8, 0, 0), AlarmTask::Once, AlarmTask::AtEveryStart);
    addTask(u"e首次"_s, at(2026, 3, 11, 8, 0, 0), AlarmTask::Daily, AlarmTask::AtFirstStart);
    addTask(u"坏"_s, DateTime::Invalid());

    TaskManagerWindow *w = open();
    EXPECT_EQ(w->windowTitle(), u"提醒任务列表"_s);
    EXPECT_EQ(row(w, -1), (QStringList {u"描述"_s, u"频率"_s, u"下次提醒"_s}));
    ASSERT_EQ(list(w)->model()->rowCount(), 5);
    EXPECT_EQ(row(w, 0), (QStringList {u"e首次"_s, u"每天"_s, u"程序启动时(第一次)"_s}));
    EXPECT_EQ(row(w, 1), (QStringList {u"D启动"_s, u"执行一次"_s, u"程序启动时(每一次)"_s}));
    EXPECT_EQ(row(w, 2), (QStringList {u"c到期"_s, u"执行一次"_s, u"执行于 2026-03-10 12:00:30"_s}));
    EXPECT_EQ(row(w, 3), (QStringList {u"b晨跑"_s, u"执行一次"_s, u"2026-03-10 13:00:00"_s}));
    EXPECT_EQ(row(w, 4), (QStringList {u"A会议"_s, u"每小时"_s, u"2026-03-10 12:30:00"_s}));
    EXPECT_FALSE(qvariant_cast<QIcon>(list(w)->model()->index(0, 0).data(Qt::DecorationRole)).pixmap(16).isNull());

    const QHeaderView *header = list(w)->header();
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(list(w)->columnWidth(1), 125);
    const auto *tabs = child<QTabBar>(w, "tabBar");
    EXPECT_EQ(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2), u"闹铃提醒生日提醒便签提醒"_s);
    EXPECT_FALSE(child<QCheckBox>(w, "onTopCheck")->isVisible());
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, false, false}));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((w->frameGeometry().center() - screen.center()).manhattanLength(), 1);
}

TEST_F(TaskManagerTest, BirthdayAndNoteTabs)
{
    addBirthday(u"小王"_s, 30);
    addBirthday(u"阿李"_s, 7);
    addNote(u"买菜\r\n做饭"_s, 1, at(2026, 3, 9, 8, 5, 9));
    addNote(u"交电费"_s, 0, at(2026, 3, 1, 20, 0, 0));
    TaskManagerWindow *w = open();

    clickTab(w, TaskManagerWindow::BirthdaysTab);
    EXPECT_EQ(row(w, -1), (QStringList {u"姓名"_s, u"生日"_s, u"备注"_s}));
    EXPECT_EQ(row(w, 0), (QStringList {u"阿李"_s, u"2019-5-3"_s, u"年龄:7 星座:金牛座 生肖:马"_s}));
    EXPECT_EQ(row(w, 1), (QStringList {u"小王"_s, u"1996-5-3"_s, u"年龄:30 星座:金牛座 生肖:马"_s}));
    EXPECT_EQ(list(w)->columnWidth(1), 175);
    selectRows(w, {1});
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, true, true}));
    click(w, "deleteButton");
    EXPECT_EQ(column0(w), (QStringList {u"阿李"_s}));

    clickTab(w, TaskManagerWindow::NotesTab);
    EXPECT_EQ(row(w, -1), (QStringList {u"显示"_s, u"顶端"_s, u"最后修改"_s}));
    EXPECT_EQ(row(w, 0), (QStringList {u"交电费"_s, u"否"_s, u"2026-03-01 20:00:00"_s}));
    EXPECT_EQ(row(w, 1), (QStringList {u"买菜 做饭"_s, u"是"_s, u"2026-03-09 08:05:09"_s}));
    const QAbstractItemModel *m = list(w)->model();
    EXPECT_EQ(m->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(m->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(m->index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    auto *onTop = child<QCheckBox>(w, "onTopCheck");
    EXPECT_TRUE(onTop->isVisible());
    EXPECT_FALSE(onTop->isEnabled());
    selectRows(w, {0});
    click(w, "deleteButton");
    EXPECT_EQ(questions(), (QStringList {u"你确定删除您朋友'小王'的生日提醒吗?"_s, u"您确定删除便签'交电费'吗?"_s}));
    EXPECT_EQ(data.Notes.GetCount(), 1);

    clickTab(w, TaskManagerWindow::AlarmsTab);
    EXPECT_FALSE(onTop->isVisible());
}

TEST_F(TaskManagerTest, HeaderClicksSortTheNextRunColumnAroundUnparsableTexts)
{
    addTask(u"a"_s, at(2026, 3, 12, 9, 0, 0), AlarmTask::Weekly);
    addTask(u"b"_s, at(2026, 3, 1, 9, 0, 0)); // "执行于 ..."
    addTask(u"c"_s, at(2026, 3, 10, 18, 0, 0), AlarmTask::Daily);
    addTask(u"d"_s, at(2026, 3, 11, 9, 0, 0), AlarmTask::Once, AlarmTask::AtFirstStart);
    addTask(u"e"_s, at(2026, 3, 15, 9, 0, 0), AlarmTask::Monthly);
    TaskManagerWindow *w = open();
    const QHeaderView *header = list(w)->header();

    clickHeader(w, 2); // a new column sorts ascending
    EXPECT_EQ(column0(w), (QStringList {u"c"_s, u"d"_s, u"a"_s, u"b"_s, u"e"_s}));
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    clickHeader(w, 2); // the same one again flips
    EXPECT_EQ(column0(w), (QStringList {u"e"_s, u"d"_s, u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    selectRows(w, {0}); // the selection moves with its row
    clickHeader(w, 1);
    EXPECT_EQ(column0(w), (QStringList {u"d"_s, u"b"_s, u"a"_s, u"c"_s, u"e"_s}));
    EXPECT_EQ(w->sortState(), (SortState {1, true}));
    EXPECT_EQ(list(w)->selectionModel()->selectedRows().value(0).row(), 4);

    // Another tab opens with the same sort.
    addBirthday(u"甲"_s, 40);
    addBirthday(u"乙"_s, 3);
    clickTab(w, TaskManagerWindow::BirthdaysTab);
    EXPECT_EQ(row(w, 0)[1], u"1986-5-3"_s);
}

TEST_F(TaskManagerTest, DeleteAsksOncePerRowFromTheBottomAndNoKeepsThatRow)
{
    for (const QString &name : {u"丁"_s, u"丙"_s, u"乙"_s, u"甲"_s})
        addTask(name, at(2026, 4, 1, 9, 0, 0));
    TaskManagerWindow *w = open();
    ASSERT_EQ(column0(w), (QStringList {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}));
    selectRows(w, {1});
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, true, true}));
    selectRows(w, {0, 1, 3});
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, false, true}));
    MessageBoxes::SetAnswerer([this](const MessageBoxes::Request &request) {
        boxes.push_back(request);
        return boxes.size() == 2 ? QMessageBox::No : QMessageBox::Yes;
    });
    click(w, "deleteButton");
    EXPECT_EQ(questions(),
              (QStringList {u"您确定删除该提醒任务'丁'吗? "_s, u"您确定删除该提醒任务'乙'吗? "_s,
                            u"您确定删除该提醒任务'甲'吗? "_s}));
    EXPECT_EQ(column0(w), (QStringList {u"乙"_s, u"丙"_s}));
    EXPECT_EQ(data.Alarms.GetCount(), 2);
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, true, true})); // "乙" is still selected
}

// While a question is open the tick or a popup may delete a task; its row is
// then skipped, not asked about.
TEST_F(TaskManagerTest, DeleteSkipsAnEntryRemovedWhileAsking)
{
    const EntryHandle first = addTask(u"b"_s, at(2026, 4, 1, 9, 0, 0));
    addTask(u"a"_s, at(2026, 4, 1, 9, 0, 0));
    TaskManagerWindow *w = open();
    selectRows(w, {0, 1});
    MessageBoxes::SetAnswerer([this, first](const MessageBoxes::Request &request) {
        boxes.push_back(request);
        data.Alarms.RemoveAt(first);
        return QMessageBox::Yes;
    });
    click(w, "deleteButton");
    EXPECT_EQ(questions(), (QStringList {u"您确定删除该提醒任务'a'吗? "_s}));
    EXPECT_TRUE(data.Alarms.IsEmpty());
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, false, false}));
}

TEST_F(TaskManagerTest, OpeningAgainBringsTheSameWindowForward)
{
    TaskManagerWindow *first = open();
    first->showMinimized();
    EXPECT_EQ(open(), first);
    EXPECT_FALSE(first->isMinimized());
    int windows = 0;
    for (const QWidget *top : QApplication::topLevelWidgets())
        windows += qobject_cast<const TaskManagerWindow *>(top) ? 1 : 0;
    EXPECT_EQ(windows, 1);

    const QPointer<TaskManagerWindow> closed(first);
    click(first, "closeButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(TaskManagerWindow::Instance(), nullptr);
}

TEST_F(TaskManagerTest, TasksSavedInTheEditorShowAtOnce)
{
    addTask(u"b"_s, at(2026, 4, 1, 9, 0, 0));
    addTask(u"a"_s, at(2026, 4, 1, 9, 0, 0));
    TaskManagerWindow *w = open();
    saveInEditor(u"新的"_s, [](ReminderEditor *editor) { EXPECT_FALSE(editor->isEditing()); });
    click(w, "newButton");
    EXPECT_EQ(row(w, 2), (QStringList {u"新的"_s, u"执行一次"_s, u"2026-03-10 12:01:00"_s}));

    // A double click edits, and so does Edit; the row changes where it is.
    saveInEditor(u"改过"_s, [](ReminderEditor *editor) { EXPECT_EQ(editor->taskListRow(), 1); });
    QTest::mouseClick(list(w)->viewport(), Qt::LeftButton, {}, rowPoint(w, 1));
    QTest::mouseDClick(list(w)->viewport(), Qt::LeftButton, {}, rowPoint(w, 1));
    EXPECT_EQ(column0(w), (QStringList {u"b"_s, u"改过"_s, u"新的"_s}));
    selectRows(w, {0});
    saveInEditor(u"再改"_s);
    click(w, "editButton");
    EXPECT_EQ(column0(w), (QStringList {u"再改"_s, u"改过"_s, u"新的"_s}));
    EXPECT_EQ(data.Alarms.GetCount(), 3);
}

TEST_F(TaskManagerTest, BirthdaysSavedInTheDialogShowAtTheTopAndEditsInPlace)
{
    addBirthday(u"甲"_s, 3);
    TaskManagerWindow *w = open();
    clickTab(w, TaskManagerWindow::BirthdaysTab);

    // An empty name is refused with the tip; then a friend born before 1970.
    runInDialog<BirthdayDialog>([this](BirthdayDialog *dialog) {
        EXPECT_FALSE(dialog->isEditing());
        auto *name = child<QLineEdit>(dialog, "nameEdit");
        typeText(name, u"  "_s);
        QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
        expectTip(dialog, name, u"请输入你朋友的姓名！"_s);
        EXPECT_EQ(data.Birthdays.GetCount(), 1);
        typeText(name, u"小明"_s);
        child<QDateEdit>(dialog, "birthDateEdit")->setDate(QDate(1950, 6, 15));
        child<QLineEdit>(dialog, "remarkEdit")->setText(u"爱喝茶"_s);
        QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
    });
    click(w, "newButton");
    EXPECT_EQ(row(w, 0), (QStringList {u"小明"_s, u"1950-6-15"_s, u"年龄:75 星座:双子 生肖:虎"_s}));
    const BirthdayEntry saved = data.Birthdays.At(data.Birthdays.GetTailPosition());
    EXPECT_EQ(saved.BornDate, BornDateOf(at(1950, 6, 15)));
    EXPECT_LT(saved.BornDate, 0);
    EXPECT_EQ(saved.Note, u"爱喝茶"_s);
    EXPECT_EQ((std::vector<int> {saved.TwoWeeks, saved.OneWeeks, saved.OneDay}), (std::vector<int> {0, 1, 1}));

    // A double click edits. A notice that cleared a flag meanwhile keeps it
    // cleared unless the box was changed.
    runInDialog<BirthdayDialog>([this](BirthdayDialog *dialog) {
        EXPECT_TRUE(dialog->isEditing());
        auto *name = child<QLineEdit>(dialog, "nameEdit");
        EXPECT_EQ(name->text(), u"小明"_s);
        EXPECT_EQ(child<QDateEdit>(dialog, "birthDateEdit")->date(), QDate(1950, 6, 15));
        BirthdayEntry ticked = data.Birthdays.At(data.Birthdays.GetTailPosition());
        ticked.OneWeeks = 0;
        data.Birthdays.SetAt(data.Birthdays.GetTailPosition(), ticked);
        child<QCheckBox>(dialog, "oneDayCheck")->setChecked(false);
        name->end(false);
        typeText(name, u"明"_s);
        QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
    });
    QTest::mouseClick(list(w)->viewport(), Qt::LeftButton, {}, rowPoint(w, 0));
    QTest::mouseDClick(list(w)->viewport(), Qt::LeftButton, {}, rowPoint(w, 0));
    EXPECT_EQ(column0(w), (QStringList {u"小明明"_s, u"甲"_s}));
    const BirthdayEntry edited = data.Birthdays.At(data.Birthdays.GetTailPosition());
    EXPECT_EQ((std::vector<int> {edited.TwoWeeks, edited.OneWeeks, edited.OneDay}), (std::vector<int> {0, 0, 0}));
    EXPECT_EQ(data.Birthdays.GetCount(), 2);
}

TEST_F(TaskManagerTest, QuickRemindersInThePastAreRefusedAndNewOnesComeFirst)
{
    addTask(u"b"_s, at(2026, 4, 1, 9, 0, 0));
    addTask(u"a"_s, at(2026, 4, 1, 9, 0, 0));
    TaskManagerWindow *w = open();
    runInDialog<QuickReminderDialog>([this](QuickReminderDialog *dialog) {
        const auto choose = [dialog](const char *menu, const QString &text) {
            for (QAction *action : dialog->quickMenu()->findChild<ColumnMenu *>(QLatin1String(menu))->commands()) {
                if (action->text() == text)
                    action->trigger();
            }
        };
        typeText(child<QPlainTextEdit>(dialog, "messageEdit"), u"交报告"_s);
        choose("atHourMenu", u"00:00"_s); // today, gone by
        QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text,
                  u"快捷报时的设定日期/时间必须大于当前日期/时间,请检查你的日期/时间设置是否符合要求!"_s);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(data.Alarms.GetCount(), 2);
        choose("afterDaysMenu", u"明天"_s);
        QTest::mouseClick(child<QPushButton>(dialog, "saveButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(QuickReminderDialog::OpenModal(data, services, {}, w));
    EXPECT_EQ(row(w, 0), (QStringList {u"快捷提醒"_s, u"执行一次"_s, u"2026-03-11 00:00:00"_s}));
    EXPECT_EQ(column0(w), (QStringList {u"快捷提醒"_s, u"b"_s, u"a"_s}));
    const AlarmTask task = data.Alarms.At(data.Alarms.GetTailPosition());
    EXPECT_EQ(task.SelfPosition, data.Alarms.GetTailPosition());
    EXPECT_EQ(task.Category, 31);
    EXPECT_EQ(task.MessageFont.FontHeight, 240);
    EXPECT_EQ(task.MessageFont.FontFaceName, u"宋体"_s);

    // What exit saves.
    struct : ClockWindowState
    {
        ScreenRect WindowRect() const override { return {}; }
        bool AlwaysOnTopChecked() const override { return false; }
        bool AutoSmallChecked() const override { return false; }
    } clockWindow;
    ASSERT_TRUE(data.SaveAll(clockWindow).isEmpty());
    const QString file = QString::fromUtf8(ReadTestFile(data.FilePath(AlarmFileName)));
    for (const char16_t *line : {u"Description=快捷提醒\r\n", u"DateTime=2026-03-11 00:00:00\r\n",
                                 u"Message=交报告\r\n", u"Category=31\r\n", u"Countdownsec=30\r\n"})
        EXPECT_TRUE(file.contains(QString::fromUtf16(line))) << QString::fromUtf16(line).toStdString();
}

TEST_F(TaskManagerTest, ChangesMadeElsewhereShowAtOnce)
{
    const EntryHandle gone = addTask(u"b"_s, at(2026, 4, 1, 9, 0, 0));
    const EntryHandle ticked = addTask(u"a"_s, at(2026, 3, 11, 9, 0, 0), AlarmTask::Daily);
    addBirthday(u"甲"_s, 3);
    addNote(u"旧"_s, 1, at(2026, 3, 1));
    TaskManagerWindow *w = open();

    selectRows(w, {0});
    data.Alarms.RemoveAt(gone); // a popup's Delete: the row and its selection go
    EXPECT_EQ(column0(w), (QStringList {u"a"_s}));
    EXPECT_EQ(buttons(w), (std::vector<bool> {true, false, false}));
    AlarmTask t = data.Alarms.At(ticked);
    t.DateTime = at(2026, 3, 12, 9, 0, 0); // the tick advancing it: updated in place
    data.Alarms.SetAt(ticked, t);
    EXPECT_EQ(row(w, 0), (QStringList {u"a"_s, u"每天"_s, u"2026-03-12 09:00:00"_s}));
    addTask(u"z"_s, at(2026, 5, 1, 9, 0, 0));
    EXPECT_EQ(column0(w), (QStringList {u"a"_s, u"z"_s}));
    fakes.clock.Set(at(2026, 3, 12, 9, 0, 0));
    EXPECT_EQ(row(w, 0)[2], u"执行于 2026-03-12 09:00:00"_s);
    // A due moment gone invalid takes the row away; a valid one brings it back last.
    t.DateTime = DateTime::Invalid();
    data.Alarms.SetAt(ticked, t);
    EXPECT_EQ(column0(w), (QStringList {u"z"_s}));
    t.DateTime = at(2026, 3, 13, 9, 0, 0);
    data.Alarms.SetAt(ticked, t);
    EXPECT_EQ(column0(w), (QStringList {u"z"_s, u"a"_s}));
    data.Alarms.RemoveAll();
    EXPECT_EQ(list(w)->model()->rowCount(), 0);

    // Birthdays and notes come in at the top.
    clickTab(w, TaskManagerWindow::BirthdaysTab);
    addBirthday(u"乙"_s, 5);
    EXPECT_EQ(column0(w), (QStringList {u"乙"_s, u"甲"_s}));
    clickTab(w, TaskManagerWindow::NotesTab);
    addNote(u"新"_s, 1, at(2026, 3, 10));
    EXPECT_EQ(column0(w), (QStringList {u"新"_s, u"旧"_s}));
}

} // namespace
