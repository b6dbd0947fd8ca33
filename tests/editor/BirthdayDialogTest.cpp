// SPDX-License-Identifier: MIT
#include "editor/BirthdayDialog.h"

#include "EditorFixture.h"
#include "editor/BirthdayNotice.h"
#include "editor/HyperLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

class BirthdayDialogTest : public EditorFixture
{
protected:
    static QStringList texts(const QWidget *dialog)
    {
        QStringList out;
        for (const char *name : {"ageLabel", "animalLabel", "signLabel"})
            out.append(child<QLabel>(dialog, name)->text());
        return out;
    }
    static QStringList items(const QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out.append(box->itemText(i));
        return out;
    }
    static QAction *find(const QMenu *menu, const QString &text)
    {
        for (QAction *a : menu->actions()) {
            QAction *found = a->menu() ? find(a->menu(), text) : a->text() == text ? a : nullptr;
            if (found)
                return found;
        }
        return nullptr;
    }
    static QAction *action(const QMenu *menu, const QString &text)
    {
        QAction *found = find(menu, text);
        if (!found)
            ADD_FAILURE() << "no menu item " << text.toStdString();
        return found;
    }
    // Path and query of the last address opened in the browser.
    QString lastOpened() const
    {
        if (fakes.shell.opened.isEmpty())
            return {};
        const QUrl url(fakes.shell.opened.last());
        return url.path() + (url.hasQuery() ? u"?"_s + url.query() : QString());
    }
};

} // namespace

TEST_F(BirthdayDialogTest, ShowsAgeAnimalAndSignAsTheDateChangesAndLinksToTheirPages)
{
    BirthdayDialog dialog(data, services);
    EXPECT_EQ(dialog.windowTitle(), u"生日提醒"_s);
    EXPECT_EQ(items(child<QComboBox>(&dialog, "sexCombo")), (QStringList {u"男性"_s, u"女性"_s}));
    EXPECT_EQ(items(child<QComboBox>(&dialog, "bloodCombo")),
              (QStringList {u"O"_s, u"A"_s, u"B"_s, u"AB"_s, u"Other"_s}));
    EXPECT_EQ(child<QLineEdit>(&dialog, "nameEdit")->maxLength(), 20);
    EXPECT_EQ(child<QLineEdit>(&dialog, "remarkEdit")->maxLength(), 50);
    EXPECT_FALSE(child<QCheckBox>(&dialog, "twoWeeksCheck")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&dialog, "oneWeekCheck")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&dialog, "oneDayCheck")->isChecked());

    // Today, with age 0; nothing later, nothing before 1900.
    auto *picker = child<QDateEdit>(&dialog, "birthDateEdit");
    EXPECT_EQ(picker->date(), QDate(2026, 3, 10));
    EXPECT_EQ(texts(&dialog), (QStringList {u"年龄: 0"_s, u"生肖: 马"_s, u"星座: 双鱼"_s}));
    picker->setDate(QDate(2026, 3, 11));
    EXPECT_EQ(picker->date(), QDate(2026, 3, 10));
    picker->setDate(QDate(1899, 12, 31));
    EXPECT_EQ(picker->date(), QDate(1900, 1, 1));

    auto *picture = child<QLabel>(&dialog, "signPicture");
    picker->setDate(QDate(1978, 3, 1));
    EXPECT_EQ(texts(&dialog), (QStringList {u"年龄: 48"_s, u"生肖: 马"_s, u"星座: 双鱼"_s}));
    const QImage pisces = picture->pixmap().toImage();
    ASSERT_FALSE(pisces.isNull());
    picker->setDate(QDate(1950, 6, 15));
    EXPECT_EQ(texts(&dialog), (QStringList {u"年龄: 75"_s, u"生肖: 虎"_s, u"星座: 双子"_s}));
    EXPECT_NE(picture->pixmap().toImage(), pisces);

    QMenu *links = dialog.webLinkMenu();
    action(links, u"本年运势"_s)->trigger();
    EXPECT_EQ(lastOpened(), u"/8866/yuncheng/index.html?func=year2026&star=03"_s);
    action(links, u"本月运程 "_s)->trigger();
    EXPECT_EQ(lastOpened(), u"/8866/yuncheng/index.html?func=month&star=03"_s);
    action(links, u"当前生肖档案"_s)->trigger();
    EXPECT_EQ(lastOpened(), u"/sxwh/sxwh_s/sxml-sxda/9.htm"_s);
    action(links, u"血型手册"_s)->trigger();
    EXPECT_EQ(lastOpened(), u"/sxwh/sxwh_s/sxml-xxsc.html"_s);
    EXPECT_TRUE(fakes.shell.opened.last().startsWith(u"https://"_s));

    // A click on the year lets the year be typed over.
    dialog.show();
    auto *pickerText = picker->findChild<QLineEdit *>();
    QTest::mouseClick(pickerText, Qt::LeftButton, {}, QPoint(4, pickerText->height() / 2));
    QCoreApplication::processEvents();
    QTest::keyClicks(picker, u"1966"_s);
    EXPECT_EQ(picker->date(), QDate(1966, 6, 15));
}

TEST_F(BirthdayDialogTest, NoticesSayWhenAndLinkToGreetingSitesManyAtOnce)
{
    fakes.clock.Set(at(2025, 12, 25, 9, 30, 0));
    BirthdayEntry entry;
    entry.FriendName = u"小明"_s;
    entry.BornDate = BornDateOf(at(1990, 1, 3));
    const QPointer<BirthdayNotice> first = BirthdayNotice::Open(entry, true, services);
    entry.FriendName = u"阿兰"_s;
    entry.Note = u"喜欢蛋糕"_s;
    entry.BornDate = BornDateOf(at(1985, 12, 26));
    const QPointer<BirthdayNotice> second = BirthdayNotice::Open(entry, false, services);

    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    EXPECT_NE(first->pos(), second->pos());
    EXPECT_EQ(first->windowTitle(), u"你朋友小明的生日"_s);
    EXPECT_EQ(first->messageText(),
              u"2026-1-3 是您的朋友 小明 的生日(9 天后).\n\n备注:无\n\n"
              u"如果您想为他/她送去您的祝福\n可以使用如下服务."_s);
    EXPECT_TRUE(second->messageText().startsWith(u"2025-12-26 是您的朋友 阿兰 的生日(1 天后).\n\n备注:喜欢蛋糕"_s));

    QStringList labels;
    QStringList addresses;
    for (HyperLink *link : first->links()) {
        labels.append(link->text());
        addresses.append(link->address());
        EXPECT_TRUE(link->address().startsWith(u"https://"_s)) << link->address().toStdString();
    }
    EXPECT_EQ(labels,
              (QStringList {u"网易贺卡站"_s, u"Tom 贺卡站"_s, u"卡秀CardShow"_s, u"腾讯QQ无线站"_s, u"网易无线站"_s,
                            u"QQ礼品店"_s, u"淘宝网"_s, u"易趣网eBay"_s}));
    addresses.removeDuplicates();
    EXPECT_EQ(addresses.size(), BirthdayNotice::LinkCount);

    HyperLink *taobao = first->links()[6];
    EXPECT_EQ(taobao->palette().color(QPalette::WindowText), HyperLink::NormalColor);
    QTest::mouseClick(taobao, Qt::LeftButton);
    QTest::keyClick(first->links()[0], Qt::Key_Space);
    EXPECT_EQ(fakes.shell.opened, (QStringList {taobao->address(), first->links()[0]->address()}));
    EXPECT_EQ(taobao->palette().color(QPalette::WindowText), HyperLink::VisitedColor);

    // Each closes on its own and goes.
    QTest::mouseClick(child<QPushButton>(first, "okButton"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
    delete second.data();
}

TEST_F(BirthdayDialogTest, ALunarBirthdayShowsItsLunarDateAndStoresTheLunarYearsAnimal)
{
    BirthdayDialog dialog(data, services);
    auto *lunar = child<QCheckBox>(&dialog, "lunarCheck");
    EXPECT_EQ(lunar->text(), u"农历生日"_s);
    EXPECT_FALSE(lunar->isChecked());
    auto *picker = child<QDateEdit>(&dialog, "birthDateEdit");
    picker->setDate(QDate(1990, 1, 20));
    EXPECT_EQ(texts(&dialog)[1], u"生肖: 马"_s);
    EXPECT_EQ(child<QLabel>(&dialog, "lunarDateLabel")->text(), QString());

    // Born before that lunar New Year: a snake.
    lunar->setChecked(true);
    EXPECT_EQ(texts(&dialog)[1], u"生肖: 蛇"_s);
    EXPECT_EQ(child<QLabel>(&dialog, "lunarDateLabel")->text(), u"己巳蛇年腊月廿四"_s);

    // Before the lunar tables begin the box cannot be ticked.
    picker->setDate(QDate(1900, 1, 10));
    EXPECT_FALSE(lunar->isEnabled());
    EXPECT_EQ(texts(&dialog)[1], u"生肖: 鼠"_s);
    picker->setDate(QDate(1990, 1, 20));
    EXPECT_TRUE(lunar->isEnabled());

    child<QLineEdit>(&dialog, "nameEdit")->setText(u"小明"_s);
    QTest::mouseClick(child<QPushButton>(&dialog, "saveButton"), Qt::LeftButton);
    ASSERT_EQ(data.Birthdays.GetCount(), 1);
    const BirthdayEntry saved = data.Birthdays.At(data.Birthdays.GetHeadPosition());
    EXPECT_EQ(saved.Lunar, 1);
    EXPECT_EQ(saved.Year, u"蛇"_s);
    EXPECT_EQ(saved.BornDate, BornDateOf(at(1990, 1, 20)));

    // Opened again, it is a lunar birthday still.
    BirthdayDialog again(data, services, data.Birthdays.GetHeadPosition());
    EXPECT_TRUE(child<QCheckBox>(&again, "lunarCheck")->isChecked());
    EXPECT_EQ(texts(&again)[1], u"生肖: 蛇"_s);
}
