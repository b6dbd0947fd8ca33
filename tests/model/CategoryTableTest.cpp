// SPDX-License-Identifier: MIT
#include "model/CategoryTable.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(CategoryTable, HasThirtyThreeRowsIndexedInListOrder)
{
    ASSERT_EQ(CategoryTable::Count, 33);
    const auto &rows = CategoryTable::rows();
    ASSERT_EQ(rows.size(), CategoryTable::Count);
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].index, i);
        EXPECT_EQ(CategoryTable::name(i), rows[i].name);
        EXPECT_EQ(CategoryTable::iconPath(i), rows[i].iconPath);
    }
    EXPECT_EQ(CategoryTable::names().size(), CategoryTable::Count);
    EXPECT_EQ(CategoryTable::names().first(), rows.first().name);
    EXPECT_EQ(CategoryTable::names().last(), rows.last().name);
}

TEST(CategoryTable, NamesAreTheStoredCategoryNames)
{
    EXPECT_EQ(CategoryTable::name(0), QStringLiteral(u"周年纪念"));
    EXPECT_EQ(CategoryTable::name(3), QStringLiteral(u"任务"));
    EXPECT_EQ(CategoryTable::name(4), QStringLiteral(u"还款日"));
    EXPECT_EQ(CategoryTable::name(14), QStringLiteral(u"休闲娱乐"));
    EXPECT_EQ(CategoryTable::name(16), QStringLiteral(u"节日"));
    EXPECT_EQ(CategoryTable::name(17), QStringLiteral(u"接见"));
    EXPECT_EQ(CategoryTable::name(19), QStringLiteral(u"会议"));
    EXPECT_EQ(CategoryTable::name(30), QStringLiteral(u"婚礼"));
    EXPECT_EQ(CategoryTable::name(31), QStringLiteral(u"工作"));
    EXPECT_EQ(CategoryTable::name(CategoryTable::Other), QStringLiteral(u"其它"));
}

TEST(CategoryTable, NamesAndIconsAreUnique)
{
    QSet<QString> names, icons;
    for (const auto &row : CategoryTable::rows()) {
        EXPECT_FALSE(row.name.isEmpty());
        EXPECT_FALSE(names.contains(row.name)) << row.name.toStdString();
        names.insert(row.name);
        EXPECT_TRUE(row.iconPath.startsWith(QStringLiteral(":/icons/"))) << row.iconPath.toStdString();
        EXPECT_TRUE(row.iconPath.endsWith(QStringLiteral(".svg"))) << row.iconPath.toStdString();
        EXPECT_FALSE(icons.contains(row.iconPath)) << row.iconPath.toStdString();
        icons.insert(row.iconPath);
    }
}

TEST(CategoryTable, OutOfRangeCategoriesHaveNoNameOrIcon)
{
    for (int category : {-1, CategoryTable::Count, 255}) {
        EXPECT_FALSE(CategoryTable::contains(category));
        EXPECT_TRUE(CategoryTable::name(category).isEmpty());
        EXPECT_TRUE(CategoryTable::iconPath(category).isEmpty());
    }
    EXPECT_TRUE(CategoryTable::contains(0));
    EXPECT_TRUE(CategoryTable::contains(CategoryTable::Other));
}

TEST(CategoryTable, ImageListIsTheCategoryIconsThenTheBirthdayIcon)
{
    const QStringList images = CategoryTable::imageListPaths();
    ASSERT_EQ(images.size(), 34);
    for (int i = 0; i < CategoryTable::Count; ++i)
        EXPECT_EQ(images[i], CategoryTable::iconPath(i));
    EXPECT_EQ(images[CategoryTable::BirthdayImage], CategoryTable::birthdayIconPath());
    // Note rows show the icon of the last category.
    EXPECT_EQ(images[CategoryTable::NoteImage], CategoryTable::noteIconPath());
}

TEST(CategoryTable, SharedIconsAreDistinctFromEachOther)
{
    const QStringList shared = {
        CategoryTable::programIconPath(), CategoryTable::ringingIconPath(),  CategoryTable::birthdayIconPath(),
        CategoryTable::noteIconPath(),    CategoryTable::alarmTabIconPath(), CategoryTable::birthdayTabIconPath(),
        CategoryTable::noteTabIconPath(),
    };
    EXPECT_EQ(QSet<QString>(shared.begin(), shared.end()).size(), shared.size());
    for (const QString &path : shared)
        EXPECT_TRUE(path.startsWith(QStringLiteral(":/icons/")) && path.endsWith(QStringLiteral(".svg")))
            << path.toStdString();
}
