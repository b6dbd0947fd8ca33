// SPDX-License-Identifier: MIT
#include "model/NameTables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// List index + 1 is the stored value, so the order is part of the file format.
TEST(NameTables, OrderMatchesTheStoredValues)
{
    ASSERT_EQ(WeekdayNames().size(), 7);
    EXPECT_EQ(WeekdayNames().front(), u"星期一"_s);
    EXPECT_EQ(WeekdayNames().at(6), u"星期天"_s);
    ASSERT_EQ(WeekOrderNames().size(), 5);
    EXPECT_EQ(WeekOrderNames().at(4), u"最后一个"_s);
    ASSERT_EQ(MonthNames().size(), 12);
    EXPECT_EQ(MonthNames().at(0), u"一月"_s);
    EXPECT_EQ(MonthNames().at(10), u"十一月"_s);
    EXPECT_EQ(MonthNames().at(11), u"十二月"_s);
}
