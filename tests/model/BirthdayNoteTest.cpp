// SPDX-License-Identifier: MIT
#include "model/BirthdayNote.h"

#include "TestFiles.h"
#include "model/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const ScreenRect Desktop {0, 0, 1920, 1080};

class BirthdayNoteTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("alarms.lst"));

    void writeRaw(const QByteArray &bytes) { ASSERT_TRUE(WriteTestFile(path, bytes)); }
};

} // namespace

TEST_F(BirthdayNoteTest, BirthdaysRoundTripAndNeedEveryValueButTheNote)
{
    BirthdayList list;
    list.AddTail({QStringLiteral(u"小明"), 631152000, QStringLiteral(u"喜欢蛋糕"), 36, 1, 2, QStringLiteral(u"马"),
                  QStringLiteral(u"摩羯"), 1, 0, 1});
    // Born before 1970, and before what 32 bits of seconds reach.
    BirthdayEntry elder = list.At(list.GetHeadPosition());
    elder.FriendName = QStringLiteral(u"老张");
    elder.BornDate = -2208988800LL;
    list.AddTail(elder);
    {
        ProfileFile file(path);
        SaveBirthdays(file, list);
        ASSERT_TRUE(file.Save());
        EXPECT_EQ(file.ReadString(QStringLiteral("Birthday00001"), QStringLiteral("BornDate"), {}),
                  QStringLiteral("-2208988800"));
    }
    BirthdayList back;
    LoadBirthdays(ProfileFile(path), back);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.At(back.GetHeadPosition()), list.At(list.GetHeadPosition()));
    EXPECT_EQ(back.At(back.GetTailPosition()), list.At(list.GetTailPosition()));

    writeRaw("[Common]\r\nNumofBirthday=2\r\n"
             "[Birthday00000]\r\nBornDate=0\r\nFriendName=a\r\nSex=0\r\nBlood=0\r\nYear=x\r\nAge=1\r\nSign=y\r\n"
             "TwoWeeks=0\r\nOneWeeks=1\r\nOneDay=1\r\n"
             "[Birthday00001]\r\nBornDate=0\r\nFriendName=b\r\nSex=0\r\nBlood=0\r\nYear=x\r\nAge=1\r\n"
             "TwoWeeks=0\r\nOneWeeks=1\r\nOneDay=1\r\nNote=n\r\n");
    LoadBirthdays(ProfileFile(path), back);
    ASSERT_EQ(back.GetCount(), 1); // the second lacks its sign
    EXPECT_EQ(back.At(back.GetHeadPosition()).FriendName, QStringLiteral("a"));
    EXPECT_EQ(back.At(back.GetHeadPosition()).Note, QString());
}

TEST_F(BirthdayNoteTest, TheLunarFlagFollowsTheNoteAndOnlyWhenSet)
{
    BirthdayList list;
    BirthdayEntry entry {QStringLiteral(u"小明"), 633369600, {}, 36, 1, 2, QStringLiteral(u"马"),
                         QStringLiteral(u"水瓶"), 1,         0,  1};
    list.AddTail(entry);
    entry.Lunar = 1;
    list.AddTail(entry);
    {
        ProfileFile file(path);
        SaveBirthdays(file, list);
        ASSERT_TRUE(file.Save());
    }
    const QByteArray bytes = ReadTestFile(path);
    EXPECT_TRUE(bytes.contains("OneDay=1\r\nNote=\r\n[Birthday00001]")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("OneDay=1\r\nNote=\r\nLunar=1\r\n")) << bytes.constData();
    EXPECT_EQ(bytes.count("Lunar="), 1);
    BirthdayList back;
    LoadBirthdays(ProfileFile(path), back);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.At(back.GetHeadPosition()).Lunar, 0);
    EXPECT_EQ(back.At(back.GetTailPosition()).Lunar, 1);

    // Unreadable text counts as a Gregorian birthday, not as damage.
    writeRaw("[Common]\r\nNumofBirthday=1\r\n"
             "[Birthday00000]\r\nBornDate=0\r\nFriendName=a\r\nSex=0\r\nBlood=0\r\nYear=x\r\nAge=1\r\nSign=y\r\n"
             "TwoWeeks=0\r\nOneWeeks=1\r\nOneDay=1\r\nLunar=yes\r\n");
    LoadBirthdays(ProfileFile(path), back);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.At(back.GetHeadPosition()).Lunar, 0);
}

TEST_F(BirthdayNoteTest, NotesRoundTripWithTheirPlacementRules)
{
    NoteEntry note = InitNoteEntry(DateTime::FromParts(2026, 3, 10, 9, 0, 0));
    EXPECT_EQ(note.BackColor1, 0x99FFFFu);
    EXPECT_EQ(note.Font.FontHeight, -13);
    EXPECT_EQ(note.Font.FaceName, QStringLiteral(u"宋体"));
    EXPECT_EQ(note.UpdateTime, DateTime::FromParts(2026, 3, 10, 9, 0, 0).ToUnixTime());
    note.Message = QStringLiteral(u"买牛奶\r\n交电费");
    note.Position = {10, 20, 210, 220};
    note.Font.Weight = 700;
    note.Font.Italic = 1;
    note.Alpha = 200;
    NoteList list;
    list.AddTail(note);
    {
        ProfileFile file(path);
        SaveNotes(file, list);
        ASSERT_TRUE(file.Save());
    }
    const ProfileFile file(path);
    EXPECT_EQ(file.ReadString(QStringLiteral("Note00000"), QStringLiteral("Position"), {}),
              QStringLiteral("10,20,220,210"));
    EXPECT_EQ(file.ReadString(QStringLiteral("Note00000"), QStringLiteral("Message"), {}),
              QStringLiteral(u"买牛奶##交电费"));
    NoteList back;
    LoadNotes(file, back, Desktop);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.At(back.GetHeadPosition()), note);

    ProfileFile moved(path);
    moved.WriteValue(QStringLiteral("Note00000"), QStringLiteral("Position"), QStringLiteral("-50,20,220,210"));
    LoadNotes(moved, back, Desktop);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.At(back.GetHeadPosition()).Position.left, 400);
    EXPECT_EQ(back.At(back.GetHeadPosition()).Position.top, 20);

    moved.WriteValue(QStringLiteral("Note00000"), QStringLiteral("Weight"), QString());
    LoadNotes(moved, back, Desktop);
    EXPECT_EQ(back.GetCount(), 0);
}
