// SPDX-License-Identifier: MIT
#include "editor/QuickReminderDialog.h"

#include "EditorFixture.h"
#include "widgets/ColumnMenu.h"

#include <QDateEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

using namespace Qt::StringLiterals;

namespace {

class QuickReminderTest : public EditorFixture
{
protected:
    static QAction *command(const QuickReminderDialog &dialog, int id)
    {
        for (const ColumnMenu *menu : dialog.quickMenu()->findChildren<ColumnMenu *>()) {
            for (QAction *action : menu->commands()) {
                if (action->data().toInt() == id)
                    return action;
            }
        }
        ADD_FAILURE() << "no command " << id;
        return nullptr;
    }
};

} // namespace

TEST_F(QuickReminderTest, QuickMenuHoldsEveryChoiceInColumnsThatFitASmallScreen)
{
    QuickReminderDialog dialog(data, services);
    QStringList outline;
    QList<ColumnMenu *> menus;
    for (QAction *item : dialog.quickMenu()->actions()) {
        outline.append(item->isSeparator() ? u"-"_s : item->text());
        if (auto *menu = qobject_cast<ColumnMenu *>(item->menu()))
            menus.append(menu);
    }
    EXPECT_EQ(outline, (QStringList {u"在...之后"_s, u"在...时候"_s, u"-"_s, u"在...之后"_s, u"下一个"_s}));
    ASSERT_EQ(menus.size(), 4);

    // Every command in menu order with its number; a line per column.
    QStringList columns;
    for (const ColumnMenu *menu : menus) {
        QStringList column;
        int current = 0;
        for (const QAction *action : menu->commands()) {
            if (menu->columnOf(action) != current) {
                columns.append(column.join(u' '));
                column.clear();
                current = menu->columnOf(action);
            }
            column.append(u"%1=%2"_s.arg(action->text()).arg(action->data().toInt()));
        }
        columns.append(column.join(u' '));
        // Two columns of twelve at most: well inside a 768-pixel screen.
        EXPECT_LT(menu->sizeHint().height(), 768 / 2) << menu->title().toStdString();
    }
    EXPECT_EQ(columns,
              (QStringList {u"1 分钟=32879 5 分钟=32880 10 分钟=32881 15 分钟=32882 20 分钟=32883 25 分钟=32884 "
                            u"30 分钟=32885 45 分钟=32886"_s,
                            u"1 小时=32887 2 小时=32888 3 小时=32889 6 小时=32890 9 小时=32891 12 小时=32892 "
                            u"15 小时=32893 18 小时=32894"_s,
                            u"00:00=32895 01:00=32896 02:00=32897 03:00=32898 04:00=32899 05:00=32900 06:00=32901 "
                            u"07:00=32902 08:00=32903 09:00=32904 10:00=32905 11:00=32906"_s,
                            u"12:00=32907 13:00=32908 14:00=32909 15:00=32910 16:00=32911 17:00=32912 18:00=32913 "
                            u"19:00=32914 20:00=32915 21:00=32916 22:00=32917 23:00=32918"_s,
                            u"明天=32919 2 天=32920 3 天=32921 4 天=32922 5 天=32923 6 天=32924"_s,
                            u"1 周=32925 2 周=32926 3 周=32927 1 月=32928 2 月=32929 3 月=32930"_s,
                            u"星期一=32931 星期二=32932 星期三=32933 星期四=32934 星期五=32935 星期六=32936 "
                            u"星期天=32937"_s}));
}

TEST_F(QuickReminderTest, ChoicesMoveTheDateAndTimeByMouseOrKeyboard)
{
    QuickReminderDialog dialog(data, services);
    auto *date = child<QDateEdit>(&dialog, "dateEdit");
    auto *time = child<QTimeEdit>(&dialog, "timeEdit");
    EXPECT_EQ(dialog.moment(), at(2026, 3, 10, 12, 0, 30));
    EXPECT_EQ(date->text(), u"2026年3月10日星期二"_s);

    command(dialog, 32937)->trigger(); // next week's Sunday
    EXPECT_EQ(date->date(), QDate(2026, 3, 22));
    command(dialog, 32894)->trigger(); // 18 hours on, into the Monday
    EXPECT_EQ(dialog.moment(), at(2026, 3, 23, 6, 0, 30));

    // Keyboard: down to "00:00", across to "12:00" beside it, Enter.
    auto *hours = dialog.quickMenu()->findChild<ColumnMenu *>(u"atHourMenu"_s);
    hours->popup(QPoint(100, 100));
    QWidget *columns = QApplication::focusWidget();
    ASSERT_NE(columns, nullptr);
    QTest::keyClick(columns, Qt::Key_Down);
    EXPECT_EQ(hours->highlightedCommand()->text(), u"00:00"_s);
    QTest::keyClick(columns, Qt::Key_Right);
    QTest::keyClick(columns, Qt::Key_Up);
    QTest::keyClick(columns, Qt::Key_Down);
    EXPECT_EQ(hours->highlightedCommand()->text(), u"12:00"_s);
    QTest::keyClick(columns, Qt::Key_Return);
    EXPECT_FALSE(hours->isVisible());
    EXPECT_EQ(time->time(), QTime(12, 0, 0));
    EXPECT_EQ(date->date(), QDate(2026, 3, 23));
}

TEST_F(QuickReminderTest, AMessageIsNeededAndKeptWithinWhatTheFileHolds)
{
    QuickReminderDialog dialog(data, services);
    command(dialog, 32919)->trigger(); // tomorrow
    QTest::mouseClick(child<QPushButton>(&dialog, "saveButton"), Qt::LeftButton);
    auto *message = child<QPlainTextEdit>(&dialog, "messageEdit");
    expectTip(&dialog, message, u"请输入提醒的内容！"_s);
    EXPECT_EQ(data.Alarms.GetCount(), 0);

    // Text set at once keeps its beginning; each line break takes two
    // characters in the file.
    const QString lines = u"ab\n"_s.repeated(1400);
    message->setPlainText(lines);
    EXPECT_EQ(message->toPlainText(), lines.left(974 * 3 + 2));
    // Typing at the end stops there; a paste in the middle loses its own tail.
    message->setPlainText(QString(QuickReminderDialog::MessageLimit - 1, u'x'));
    message->moveCursor(QTextCursor::End);
    typeText(message, u"yz"_s);
    EXPECT_TRUE(message->toPlainText().endsWith(u"xy"_s));
    message->moveCursor(QTextCursor::Start);
    message->insertPlainText(u"PASTE"_s);
    EXPECT_EQ(message->toPlainText().size(), QuickReminderDialog::MessageLimit);
    EXPECT_TRUE(message->toPlainText().startsWith(u"xxx"_s));
}
