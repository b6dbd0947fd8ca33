// SPDX-License-Identifier: MIT
#include "notes/NoteStyle.h"

#include "TestFiles.h"
#include "notes/NoteStylePresets.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class NoteStylePresetsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"layout.ini"_s);
    NoteStylePresets presets {path};
};

NoteStyle sampleLook(Color background, int alpha)
{
    NoteStyle look;
    look.TextColor = 0x123456;
    look.BackColor1 = background;
    look.BackColor2 = 0x00FF00;
    look.BorderColor = 0x0000FF;
    look.Font = {-20, 700, 1, 1, u"黑体"_s};
    look.Alpha = alpha;
    look.Align = NoteStyle::AlignRight;
    look.Grad = NoteStyle::VerticalGradient;
    return look;
}

} // namespace

TEST_F(NoteStylePresetsTest, FreshInstallOffersOnlyTheStandardLookWithTheDefaults)
{
    EXPECT_EQ(presets.Names(), QStringList {u"标准样式"_s});
    const NoteStyle standard = presets.Read(u"标准样式"_s);
    EXPECT_EQ(standard.BorderColor, 0x7F7F7Fu);
    EXPECT_EQ(standard.BackColor1, 0x99FFFFu);
    EXPECT_EQ(standard.BackColor2, 0xFFFFFFu);
    EXPECT_EQ(standard.TextColor, 0u);
    EXPECT_EQ(standard.Font, (NoteFont {-13, 0, 0, 0, u"宋体"_s}));
    EXPECT_EQ(standard.Alpha, 255);
    EXPECT_EQ(standard.Align, NoteStyle::AlignLeft);
    EXPECT_EQ(standard.Grad, NoteStyle::NoGradient);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(NoteStylePresetsTest, SavingOverANameRewritesItsSectionInPlace)
{
    ASSERT_TRUE(presets.Write(u"工作"_s, sampleLook(0x111111, 100)));
    ASSERT_TRUE(presets.Write(u"Home"_s, sampleLook(0x222222, 200)));
    // Names compare as the INI file does, without regard to case.
    ASSERT_TRUE(presets.Write(u"home"_s, sampleLook(0x333333, 30)));
    EXPECT_EQ(presets.Names(), (QStringList {u"标准样式"_s, u"工作"_s, u"Home"_s}));
    EXPECT_EQ(presets.Read(u"Home"_s), sampleLook(0x333333, 30));
    EXPECT_EQ(presets.Read(u"工作"_s), sampleLook(0x111111, 100));
    EXPECT_EQ(ReadTestFile(path).count("[Home]"), 1);
    EXPECT_TRUE(ReadTestFile(path).startsWith("[工作]\r\nBorderColor=255\r\nBackColor1=1118481\r\nBackColor2=65280\r\n"
                                              "TextColor=1193046\r\nFaceName=黑体\r\nFontHeight=-20\r\nItalic=1\r\n"
                                              "Underline=1\r\nWeight=700\r\nAlign=2\r\nAlpha=100\r\nGrad=2\r\n"));

    ASSERT_TRUE(presets.Remove(u"工作"_s));
    EXPECT_EQ(presets.Names(), (QStringList {u"标准样式"_s, u"Home"_s}));

    // A look saved as the standard one is what the standard entry reads,
    // listed once.
    ASSERT_TRUE(presets.Write(u"标准样式"_s, sampleLook(0x444444, 80)));
    EXPECT_EQ(presets.Names(), (QStringList {u"标准样式"_s, u"Home"_s}));
    EXPECT_EQ(presets.Read(u"标准样式"_s).BackColor1, 0x444444u);
}

TEST(NoteStyleRulesTest, PresetNames)
{
    using Problem = NoteStylePresets::NameProblem;
    const struct
    {
        QString typed;
        QString stored;
        Problem problem;
    } cases[] {
        {u""_s, u""_s, Problem::Empty},
        {u"   "_s, u""_s, Problem::Empty},
        {u"1234567890"_s, u"1234567890"_s, Problem::None},
        {u"一二三四五六七八九十"_s, u"一二三四五六七八九十"_s, Problem::None},
        {u"12345678901"_s, u"12345678901"_s, Problem::TooLong},
        {u"  我的样式 \t"_s, u"我的样式"_s, Problem::None},
        {u"a\nb"_s, u"a b"_s, Problem::None},
    };
    for (const auto &c : cases) {
        const QString stored = NoteStylePresets::CleanName(c.typed);
        EXPECT_EQ(stored, c.stored) << c.typed.toStdString();
        EXPECT_EQ(NoteStylePresets::CheckName(stored), c.problem) << c.typed.toStdString();
    }
    EXPECT_FALSE(NoteStylePresets::IsDeletable(u"标准样式"_s));
    EXPECT_FALSE(NoteStylePresets::IsDeletable(u""_s));
    EXPECT_TRUE(NoteStylePresets::IsDeletable(u"工作"_s));
}

TEST(NoteStyleRulesTest, OpacityLabelNeverShowsLessThanTenPercent)
{
    const std::pair<int, const char16_t *> cases[] {{255, u"透明度: 100%"}, {128, u"透明度: 50%"}, {51, u"透明度: 20%"},
                                                    {28, u"透明度: 10%"},   {25, u"透明度: 10%"},  {0, u"透明度: 10%"}};
    for (const auto &[alpha, label] : cases)
        EXPECT_EQ(OpacityLabelText(alpha), QString::fromUtf16(label)) << alpha;
}

TEST(NoteStyleRulesTest, RandomBackgroundPicksWhiteOrBlackTextAroundTheMiddleGrey)
{
    constexpr Color Kept = 0x0000FF;
    const std::pair<Color, Color> cases[] {
        {0x7D7D7C, 0xFFFFFF}, {0x7D7D7D, Kept},     {0x7D7D7E, 0}, {0x000000, 0xFFFFFF},
        {0x7E0000, 0},        {0x7CFFFF, 0xFFFFFF}, {0xFFFFFF, 0},
    };
    for (const auto &[background, text] : cases)
        EXPECT_EQ(TextColorForBackground(background, Kept), text) << std::hex << background;
}
