// SPDX-License-Identifier: MIT
#include "update/UpdateInfo.h"

#include <gtest/gtest.h>

TEST(UpdateInfo, ReadsFourHexNumbersLikeScanf)
{
    const struct
    {
        QByteArray text;
        ProductVersion version;
    } cases[] = {
        {"2,8,0,3", {2, 8, 0, 3}},
        {"a,0,0,1", {10, 0, 0, 1}},
        {"2,8,0,2\r\n; newest", {2, 8, 0, 2}},
        {" 3, 0x1F, 0X0,+4", {3, 31, 0, 4}},
        {"\xEF\xBB\xBF"
         "2,9,0,0",
         {2, 9, 0, 0}},
        {"2,8", {2, 8, 0, 0}}, // what is missing stays 0
        {"2 ,8,0,3", {2, 0, 0, 0}}, // a blank before the comma ends it
        {"1,fffff,0,0", {1, 0xFFFF, 0, 0}}, // 16 bits each
        {"[Update]\r\nVersion=2,9,0,0\r\n", {}},
        {"<html>404</html>", {}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseUpdateFile(c.text), c.version) << c.text.constData();

    // Only the first 260 bytes count: here they end after "2,8,".
    EXPECT_EQ(ParseUpdateFile(QByteArray(256, ' ') + "2,8,0,3"), (ProductVersion {2, 8, 0, 0}));
}

TEST(UpdateInfo, ComparesTheFourNumbersAsOneVersion)
{
    const ProductVersion own {2, 8, 0, 2};
    const struct
    {
        ProductVersion remote;
        bool newer;
    } cases[] = {
        {{2, 8, 0, 3}, true},  {{2, 8, 0, 2}, false}, {{10, 0, 0, 1}, true},
        {{2, 7, 0, 9}, false}, // older, though its build and revision words are larger
        {{3, 0, 0, 0}, true}, // newer, though its build and revision are 0
        {{2, 9, 0, 0}, true},  {{2, 8, 1, 0}, true},  {{0, 0, 0, 1}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsNewerVersion(c.remote, own), c.newer) << qPrintable(c.remote.Text());
    EXPECT_EQ(own.Text(), QStringLiteral("v2.8.0.2"));
}
