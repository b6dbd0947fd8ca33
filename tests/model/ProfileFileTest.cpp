// SPDX-License-Identifier: MIT
#include "model/ProfileFile.h"

#include "TestFiles.h"
#include "model/AtomicFile.h"
#include "model/TextScan.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString &path)
{
    return ReadTestFile(path);
}

void write(const QString &path, const QByteArray &data)
{
    ASSERT_TRUE(WriteTestFile(path, data));
}

class ProfileFileTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("test.ini"));
};

} // namespace

TEST_F(ProfileFileTest, WriteWithoutCreateOnlyChangesExistingKeys)
{
    write(path, "[S]\r\nPresent=\r\n");
    ProfileFile file(path);
    file.WriteValue(QStringLiteral("S"), QStringLiteral("Absent"), QStringLiteral("1"), false);
    EXPECT_TRUE(file.Save());
    EXPECT_EQ(contents(path), QByteArray("[S]\r\nPresent=\r\n"));
    file.WriteValue(QStringLiteral("S"), QStringLiteral("Present"), QStringLiteral("2"), false);
    file.WriteValue(QStringLiteral("S"), QStringLiteral("Created"), QStringLiteral("3"), true);
    EXPECT_TRUE(file.Save());
    EXPECT_EQ(contents(path), QByteArray("[S]\r\nPresent=2\r\nCreated=3\r\n"));
}

TEST_F(ProfileFileTest, ListsAndDeletesEverySection)
{
    write(path, "[A]\r\n[B]\r\nk=v\r\n[C]\r\n");
    ProfileFile file(path);
    QStringList names {QStringLiteral("stale")};
    EXPECT_EQ(file.GetSectionNames(names), 3);
    EXPECT_EQ(names, (QStringList {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));

    // Far more names than a 2048-character listing holds: all must go.
    ProfileFile big(dir.filePath(QStringLiteral("big.ini")));
    for (int i = 0; i < 3000; ++i)
        big.WriteValue(ProfileFile::SectionName(QStringLiteral("Alarm"), i), QStringLiteral("ReportMode"),
                       QStringLiteral("0"));
    ASSERT_TRUE(big.Save());
    ProfileFile reread(big.Path());
    EXPECT_EQ(reread.GetSectionNames(names), 3000);
    EXPECT_TRUE(reread.DeleteAllSections());
    EXPECT_TRUE(reread.Save());
    EXPECT_EQ(contents(big.Path()), QByteArray());
}

TEST_F(ProfileFileTest, ReadingAndDeletingNothingCreatesNoFile)
{
    ProfileFile file(path);
    QStringList names;
    EXPECT_EQ(file.GetSectionNames(names), 0);
    EXPECT_TRUE(file.DeleteAllSections());
    EXPECT_EQ(file.ReadString(QStringLiteral("S"), QStringLiteral("K"), ProfileFile::NoneValue),
              ProfileFile::NoneValue);
    EXPECT_TRUE(file.Save());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ProfileFileTest, NumberedSectionsFollowTheSaverSpelling)
{
    write(path,
          "[Alarm00002]\r\n[alarm00000]\r\n[Alarm7]\r\n[Alarm000001]\r\n[Alarm00009]\r\n[Alarm2000000000]\r\n"
          "[Alarm3000000000]\r\n[Alarm0001x]\r\n[Alarm-0001]\r\n");
    const ProfileFile file(path);
    EXPECT_EQ(file.NumberedSections(QStringLiteral("Alarm"), 5), (QList<int> {0, 2}));
    EXPECT_EQ(file.NumberedSections(QStringLiteral("Alarm"), INT_MAX), (QList<int> {0, 2, 9, 2000000000}));
    EXPECT_TRUE(file.NumberedSections(QStringLiteral("Alarm"), 0).isEmpty());
}

TEST_F(ProfileFileTest, ASaveInterruptedBeforeTheRenameLeavesTheOldFile)
{
    write(path, "[S]\r\nK=old\r\n");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(WriteFileAtomically(path, "[S]\r\nK=new\r\n", [] { std::_Exit(3); }), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ProfileFile(path).ReadString(QStringLiteral("S"), QStringLiteral("K"), {}), QStringLiteral("old"));
    EXPECT_TRUE(WriteFileAtomically(path, "[S]\r\nK=new\r\n"));
    EXPECT_EQ(ProfileFile(path).ReadString(QStringLiteral("S"), QStringLiteral("K"), {}), QStringLiteral("new"));
}

// A file opened to be written afresh gives the same bytes as one read whole
// whose sections are then all deleted: the lines before the first section,
// the encoding (with a lone surrogate written as '?'), and the new text.
TEST_F(ProfileFileTest, ARewriteKeepsWhatDeletingEverySectionKeeps)
{
    const QByteArray utf16 = QByteArray("\xFF\xFE", 2) + QByteArray("[\0A\0]\0\r\0\n\0x\0=\0\x31\0", 16);
    const QByteArray files[] = {
        "",
        "; note\r\n\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n",
        "  [A]\r\nx=1\r\n",
        "\xEF\xBB\xBF;\xE4\xB8\xAD\r\n[A]\r\n",
        "; \xD6\xD0\xCE\xC4\r\n[\xB0\xA1]\r\nk=\xC4\xE3\r\n",
        "; x\r\n[\xB0\xA1]\r\nk=\xC4\xE3\r\n",
        "; a\r; b\n\n\r\n\v[A]\r\n",
        "; no sections\r\n",
        utf16,
    };
    const QString lone = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    for (const QByteArray &bytes : files) {
        write(path, bytes);
        ProfileFile whole(path);
        whole.DeleteAllSections();
        ProfileFile rewrite(path, ProfileFile::Rewrite);
        for (ProfileFile *file : {&whole, &rewrite}) {
            file->WriteValue(QStringLiteral("Alarm00000"), QStringLiteral("Message"), lone);
            file->WriteValue(QStringLiteral("Common"), QStringLiteral("NumofAlarms"), 1);
        }
        EXPECT_TRUE(whole.Save());
        const QByteArray expected = contents(path);
        write(path, bytes);
        EXPECT_TRUE(rewrite.Save());
        EXPECT_EQ(contents(path), expected) << bytes.toHex().constData();
        EXPECT_TRUE(expected.contains("a?b") || expected.startsWith("\xFF\xFE")) << expected.constData();
    }
}

TEST(TextScan, ReadsNumbersLikeSscanf)
{
    EXPECT_EQ(ScanIntegers(QStringLiteral("2008-05-01 08:30:00"), "%d-%d-%d %d:%d:%d"),
              (QList<int> {2008, 5, 1, 8, 30, 0}));
    EXPECT_EQ(ScanIntegers(QStringLiteral("2008-5-1   8:3:0"), "%d-%d-%d %d:%d:%d"),
              (QList<int> {2008, 5, 1, 8, 3, 0}));
    EXPECT_EQ(ScanIntegers(QStringLiteral("-20, 50,300,400"), "%d,%d,%d,%d"), (QList<int> {-20, 50, 300, 400}));
    EXPECT_EQ(ScanIntegers(QStringLiteral("2008/05/01"), "%d-%d-%d"), (QList<int> {2008}));
    EXPECT_TRUE(ScanExactly(QStringLiteral("12:30"), "%d:%d:%d", 3).isEmpty());
    EXPECT_TRUE(ScanIntegers(QStringLiteral("x"), "%d").isEmpty());
}
