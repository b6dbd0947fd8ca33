// SPDX-License-Identifier: MIT
// The shipped time-server list.
#include "firing/ReminderDispatcher.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(ServerList, ShippedListIsSortedCrLfWithoutBlankLines)
{
    QFile file(QStringLiteral(TOCKLY_SHIPPED_SERVER_LIST));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    ASSERT_GE(lines.size(), 4);
    QStringList names;
    for (const QByteArray &line : lines) {
        ASSERT_TRUE(line.endsWith('\r')) << line.constData();
        names << QString::fromLatin1(line.chopped(1));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[a-z0-9]+(\\.[a-z0-9]+)+$")).match(names.last()).hasMatch())
            << line.constData();
    }
    // The settings page lists the names sorted; the synchronisation counts
    // lines in the file. They agree only when the file is in that order.
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(names.removeDuplicates(), 0);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(ReadServerName(file.fileName(), i), names[i]);
}
