// SPDX-License-Identifier: MIT
#include "settings/SettingsRules.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SettingsRules, OpacityAndVolumeLabels)
{
    const struct
    {
        int value;
        QString text;
    } opacity[] = {{255, u"透明度: 100%"_s}, {254, u"透明度: 99%"_s}, {128, u"透明度: 50%"_s},
                   {26, u"透明度: 10%"_s},   {25, u"透明度: 10%"_s},  {0, u"透明度: 10%"_s}};
    for (const auto &c : opacity)
        EXPECT_EQ(OpacityTitle(c.value), c.text) << c.value;
    EXPECT_EQ(VolumeText(0), u"音量: 0%"_s);
    EXPECT_EQ(VolumeText(100), u"音量: 100%"_s);
}

TEST(SettingsRules, ServerListSortedWithoutBlankLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SNTP.dat"_s);
    EXPECT_TRUE(SortedServerNames(path).isEmpty()); // no file, no servers
    ASSERT_TRUE(WriteTestFile(path, "time.b.org\r\n\r\nTime.A.org\r\n  \r\n127.0.0.1:1234\r\nntp.c.org"));
    EXPECT_EQ(SortedServerNames(path),
              (QStringList {u"127.0.0.1:1234"_s, u"ntp.c.org"_s, u"Time.A.org"_s, u"time.b.org"_s}));
}
