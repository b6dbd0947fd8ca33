// SPDX-License-Identifier: MIT
#include "model/CategoryTable.h"

namespace {

QString icon(const char16_t *file)
{
    return QStringLiteral(":/icons/") + QString::fromUtf16(file) + QStringLiteral(".svg");
}

struct Entry
{
    const char16_t *name;
    const char16_t *icon;
};

// List order is the stored Category value: never reorder.
constexpr Entry Entries[CategoryTable::Count] = {
    {u"周年纪念", u"category-anniversary"},
    {u"约会", u"category-appointment"},
    {u"散步", u"category-walk"},
    {u"任务", u"category-task"},
    {u"还款日", u"category-repayment-day"},
    {u"早餐", u"category-breakfast"},
    {u"商业", u"category-business"},
    {u"电话", u"category-telephone"},
    {u"聊天", u"category-chat"},
    {u"上课", u"category-class"},
    {u"俱乐部", u"category-club"},
    {u"音乐会", u"category-concert"},
    {u"晚餐", u"category-dinner"},
    {u"毕业典礼", u"category-graduation"},
    {u"休闲娱乐", u"category-leisure"},
    {u"保健", u"category-health-care"},
    {u"节日", u"category-festival"},
    {u"接见", u"category-reception"},
    {u"午餐", u"category-lunch"},
    {u"会议", u"category-meeting"},
    {u"电影", u"category-film"},
    {u"网络", u"category-internet"},
    {u"社交", u"category-social"},
    {u"表演", u"category-performance"},
    {u"团聚", u"category-reunion"},
    {u"学校", u"category-school"},
    {u"运动", u"category-sport"},
    {u"旅行", u"category-travel"},
    {u"电视", u"category-television"},
    {u"假期", u"category-holiday"},
    {u"婚礼", u"category-wedding"},
    {u"工作", u"category-work"},
    {u"其它", u"note"}, // the note icon stands for "other"
};

} // namespace

const QList<CategoryTable::Row> &CategoryTable::rows()
{
    static const QList<Row> table = [] {
        QList<Row> out;
        out.reserve(Count);
        for (int i = 0; i < Count; ++i)
            out.append(Row {i, QString::fromUtf16(Entries[i].name), icon(Entries[i].icon)});
        return out;
    }();
    return table;
}

QString CategoryTable::name(int category)
{
    return contains(category) ? rows().at(category).name : QString();
}

QString CategoryTable::iconPath(int category)
{
    return contains(category) ? rows().at(category).iconPath : QString();
}

QStringList CategoryTable::names()
{
    QStringList out;
    out.reserve(Count);
    for (const Row &row : rows())
        out.append(row.name);
    return out;
}

QStringList CategoryTable::imageListPaths()
{
    QStringList out;
    out.reserve(Count + 1);
    for (const Row &row : rows())
        out.append(row.iconPath);
    out.append(birthdayIconPath());
    return out;
}

QString CategoryTable::programIconPath()
{
    return icon(u"alarm-clock");
}

QString CategoryTable::ringingIconPath()
{
    return icon(u"alarm-clock-ringing");
}

QString CategoryTable::birthdayIconPath()
{
    return icon(u"birthday-cake");
}

QString CategoryTable::noteIconPath()
{
    return icon(u"note");
}

QString CategoryTable::alarmTabIconPath()
{
    return icon(u"tab-alarm-reminders");
}

QString CategoryTable::birthdayTabIconPath()
{
    return icon(u"tab-birthday-reminders");
}

QString CategoryTable::noteTabIconPath()
{
    return icon(u"tab-note-reminders");
}
