// SPDX-License-Identifier: MIT
#include "model/NameTables.h"

using namespace Qt::StringLiterals;

const QStringList &WeekdayNames()
{
    static const QStringList names {u"星期一"_s, u"星期二"_s, u"星期三"_s, u"星期四"_s,
                                    u"星期五"_s, u"星期六"_s, u"星期天"_s};
    return names;
}

const QStringList &WeekOrderNames()
{
    static const QStringList names {u"第一个"_s, u"第二个"_s, u"第三个"_s, u"第四个"_s, u"最后一个"_s};
    return names;
}

const QStringList &MonthNames()
{
    static const QStringList names {u"一月"_s, u"二月"_s, u"三月"_s, u"四月"_s, u"五月"_s,   u"六月"_s,
                                    u"七月"_s, u"八月"_s, u"九月"_s, u"十月"_s, u"十一月"_s, u"十二月"_s};
    return names;
}
