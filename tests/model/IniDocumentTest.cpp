// SPDX-License-Identifier: MIT
#include "model/IniDocument.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

IniDocument parse(const char *text)
{
    return IniDocument::Parse(QByteArray(text));
}

QString read(const IniDocument &doc, const char *section, const char *key, int buffer = 260)
{
    return doc.ReadString(QString::fromUtf8(section), QString::fromUtf8(key), QStringLiteral("<none>"), buffer);
}

} // namespace

TEST(IniDocument, ReadsLikeTheWindowsProfileFunctions)
{
    const IniDocument doc = parse("; leading comment\r\n"
                                  "  [ Clock Settings ]  \r\n"
                                  "AlwaysOntop = 1\r\n"
                                  "  transparence=  200  \r\n"
                                  "; Quoted=no\r\n"
                                  "Double=\"  spaced  \"\r\n"
                                  "Single='x'\r\n"
                                  "Mismatched=\"x'\r\n"
                                  "Lone=\"\r\n"
                                  "Empty=\r\n"
                                  "NoEquals\r\n"
                                  "AlwaysOntop=0\r\n"
                                  "[clock settings]\r\n"
                                  "Extra=1\r\n");
    EXPECT_EQ(read(doc, "CLOCK SETTINGS", "alwaysontop"), QStringLiteral("1")); // first duplicate key wins
    EXPECT_EQ(read(doc, "Clock Settings", "Transparence"), QStringLiteral("200"));
    EXPECT_EQ(read(doc, "Clock Settings", "; Quoted"), QStringLiteral("<none>"));
    EXPECT_EQ(read(doc, "Clock Settings", "Double"), QStringLiteral("  spaced  "));
    EXPECT_EQ(read(doc, "Clock Settings", "Single"), QStringLiteral("x"));
    EXPECT_EQ(read(doc, "Clock Settings", "Mismatched"), QStringLiteral("\"x'"));
    EXPECT_EQ(read(doc, "Clock Settings", "Lone"), QStringLiteral("\""));
    EXPECT_EQ(read(doc, "Clock Settings", "Empty"), QString());
    EXPECT_EQ(read(doc, "Clock Settings", "NoEquals"), QString());
    EXPECT_EQ(read(doc, "Clock Settings", "Extra"), QStringLiteral("<none>")); // first duplicate section wins
    EXPECT_EQ(read(doc, "Missing", "Key"), QStringLiteral("<none>"));
    EXPECT_EQ(doc.SectionNames(), QStringList {QStringLiteral("Clock Settings")});
}

TEST(IniDocument, BufferLimitsKeepOneLessThanTheirSize)
{
    const QByteArray longValue(5000, 'x');
    const IniDocument doc = IniDocument::Parse("[S]\nK=" + longValue + "\n");
    EXPECT_EQ(read(doc, "S", "K").size(), 259);
    EXPECT_EQ(read(doc, "S", "K", 3900).size(), 3899);
    EXPECT_EQ(doc.ReadString(QStringLiteral("S"), QStringLiteral("none"), QString(300, QLatin1Char('d'))).size(), 259);
}

TEST(IniDocument, WritesAppendKeysToTheirSectionAndSectionsToTheEnd)
{
    IniDocument doc = parse("; keep me\n[A]\nOne = 1\n\n; about B\n[B]\nTwo=2\n");
    EXPECT_FALSE(doc.IsModified());
    doc.WriteString(QStringLiteral("a"), QStringLiteral("Three"), QStringLiteral("3"));
    doc.WriteString(QStringLiteral("A"), QStringLiteral("ONE"), QStringLiteral("uno"));
    doc.WriteString(QStringLiteral("C"), QStringLiteral("Four"), QStringLiteral("4"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(QString::fromUtf8(doc.Serialize()),
              QStringLiteral("; keep me\r\n[A]\r\nOne=uno\r\nThree=3\r\n\r\n; about B\r\n[B]\r\nTwo=2\r\n"
                             "[C]\r\nFour=4\r\n"));
}

TEST(IniDocument, LineBreaksInAValueCannotSplitTheLine)
{
    IniDocument doc;
    doc.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\r\n[Evil]\nb"));
    const IniDocument reread = IniDocument::Parse(doc.Serialize());
    EXPECT_EQ(reread.SectionNames(), QStringList {QStringLiteral("S")});
    EXPECT_EQ(read(reread, "S", "K"), QStringLiteral("a  [Evil] b"));
}

TEST(IniDocument, DeletesSectionsWithTheirDuplicates)
{
    IniDocument doc = parse("[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n");
    EXPECT_TRUE(doc.DeleteSection(QStringLiteral("A")));
    EXPECT_FALSE(doc.DeleteSection(QStringLiteral("A")));
    EXPECT_EQ(doc.SectionNames(), QStringList {QStringLiteral("B")});
    doc.WriteString(QStringLiteral("A"), QStringLiteral("fresh"), QStringLiteral("1"));
    EXPECT_EQ(QString::fromUtf8(doc.Serialize()), QStringLiteral("[B]\r\ny=2\r\n[A]\r\nfresh=1\r\n"));
}

TEST(IniDocument, DecodesEveryEncodingAndKeepsUtf16)
{
    const QString text = QStringLiteral(u"[闹钟]\r\n描述=起床\r\n");
    QStringEncoder gbk("GBK");
    const IniDocument fromGbk = IniDocument::Parse(gbk(text));
    EXPECT_EQ(fromGbk.SourceEncoding(), IniDocument::Encoding::Gbk);
    EXPECT_EQ(fromGbk.ReadString(QStringLiteral(u"闹钟"), QStringLiteral(u"描述"), {}), QStringLiteral(u"起床"));
    // GBK files are written back as UTF-8.
    EXPECT_EQ(fromGbk.Serialize(), text.toUtf8());

    const IniDocument withBom = IniDocument::Parse("\xEF\xBB\xBF" + text.toUtf8());
    EXPECT_EQ(withBom.ReadString(QStringLiteral(u"闹钟"), QStringLiteral(u"描述"), {}), QStringLiteral(u"起床"));
    EXPECT_EQ(withBom.Serialize(), text.toUtf8());

    for (const auto encoding : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE}) {
        QStringEncoder utf16(encoding, QStringEncoder::Flag::WriteBom);
        const QByteArray bytes = utf16(text);
        IniDocument doc = IniDocument::Parse(bytes);
        EXPECT_EQ(doc.ReadString(QStringLiteral(u"闹钟"), QStringLiteral(u"描述"), {}), QStringLiteral(u"起床"));
        doc.WriteString(QStringLiteral(u"闹钟"), QStringLiteral(u"描述"), QStringLiteral(u"睡觉"));
        QStringEncoder again(encoding, QStringEncoder::Flag::WriteBom);
        EXPECT_EQ(doc.Serialize(), again(QStringLiteral(u"[闹钟]\r\n描述=睡觉\r\n")));
    }
}

TEST(IniDocument, DecimalConversionLikeAtoi)
{
    EXPECT_EQ(ToDecimal(QStringLiteral("42")), 42);
    EXPECT_EQ(ToDecimal(QStringLiteral("  -7abc")), -7);
    EXPECT_EQ(ToDecimal(QStringLiteral("+3")), 3);
    EXPECT_EQ(ToDecimal(QStringLiteral("abc")), 0);
    EXPECT_EQ(ToDecimal(QString()), 0);
    EXPECT_EQ(ToDecimal(QStringLiteral("99999999999")), INT_MAX);
    EXPECT_EQ(ToDecimal(QStringLiteral("-99999999999")), INT_MIN);
    EXPECT_EQ(ToDecimal(QStringLiteral("-2147483648")), INT_MIN);
    EXPECT_EQ(ToLongDecimal(QStringLiteral(" -2208988800;")), -2208988800LL);
    EXPECT_EQ(ToLongDecimal(QStringLiteral("9223372036854775807")), LLONG_MAX);
    EXPECT_EQ(ToLongDecimal(QStringLiteral("99999999999999999999")), LLONG_MAX);
    EXPECT_EQ(ToLongDecimal(QStringLiteral("-9223372036854775808")), LLONG_MIN);
    EXPECT_EQ(ToLongDecimal(QStringLiteral("-99999999999999999999")), LLONG_MIN);
}

// Whatever the bytes, every line that was valid in its own encoding reads
// as written, and only real damage is reported as such.
TEST(IniDocument, DecidesTheEncodingLineByLine)
{
    const QString text = QStringLiteral(u"[Alarm00000]\r\nDescription=任务0\r\nYear=牛\r\nSign=白羊\r\n"
                                        "Message=记得问候##周末回家吃饭\r\n");
    QStringEncoder gbk("GBK");
    const QByteArray gbkBytes = gbk(text);
    QByteArray strayByte = text.toUtf8();
    strayByte.insert(strayByte.indexOf("Sign=") + 5, '\xB0'); // one byte that fits no UTF-8 sequence
    QByteArray mixed = text.toUtf8();
    mixed.replace(QStringLiteral(u"白羊").toUtf8(), gbk(QStringLiteral(u"白羊")) + gbk(QStringLiteral(u"座")));
    QByteArray zeros = text.toUtf8();
    zeros.insert(zeros.indexOf("Year"), QByteArray(4096, '\0')); // a block a crash left unwritten
    QStringEncoder utf16le(QStringEncoder::Utf16LE);
    QStringEncoder utf16be(QStringEncoder::Utf16BE);

    const struct
    {
        const char *name;
        QByteArray bytes;
        IniDocument::Encoding encoding;
        bool damaged;
        QString sign;
    } cases[] = {
        {"utf-8", text.toUtf8(), IniDocument::Encoding::Utf8, false, QStringLiteral(u"白羊")},
        // "牛" in GBK is C5 A3, valid UTF-8 on its own: the file decides.
        {"gbk", gbkBytes, IniDocument::Encoding::Gbk, false, QStringLiteral(u"白羊")},
        {"stray byte", strayByte, IniDocument::Encoding::Utf8, true, QStringLiteral(u"\uFFFD白羊")},
        {"one gbk line", mixed, IniDocument::Encoding::Utf8, true, QStringLiteral(u"白羊座")},
        {"zero block", zeros, IniDocument::Encoding::Utf8, true, QStringLiteral(u"白羊")},
        {"utf-16le without bom", utf16le(text), IniDocument::Encoding::Utf16LE, false, QStringLiteral(u"白羊")},
        {"utf-16be without bom", utf16be(text), IniDocument::Encoding::Utf16BE, false, QStringLiteral(u"白羊")},
    };
    for (const auto &c : cases) {
        const IniDocument doc = IniDocument::Parse(c.bytes);
        const auto value = [&doc](const char *key) {
            return doc.ReadString(QStringLiteral("Alarm00000"), QString::fromLatin1(key), QStringLiteral("<none>"));
        };
        EXPECT_EQ(doc.SourceEncoding(), c.encoding) << c.name;
        EXPECT_EQ(doc.TextDamaged(), c.damaged) << c.name;
        EXPECT_EQ(value("Description"), QStringLiteral(u"任务0")) << c.name;
        EXPECT_EQ(value("Year"), QStringLiteral(u"牛")) << c.name;
        EXPECT_EQ(value("Sign"), c.sign) << c.name;
        EXPECT_EQ(value("Message"), QStringLiteral(u"记得问候##周末回家吃饭")) << c.name;
        // What is written back reads back the same, and cleanly.
        const IniDocument again = IniDocument::Parse(doc.Serialize());
        EXPECT_FALSE(again.TextDamaged()) << c.name;
        EXPECT_EQ(again.ReadString(QStringLiteral("Alarm00000"), QStringLiteral("Sign"), {}), c.sign) << c.name;
    }
}

// Marks beyond the first are dropped on reading, so that writing one mark
// back cannot turn a line into a section header (or back).
TEST(IniDocument, ExtraByteOrderMarksAreDroppedTheSameWayEveryTime)
{
    const QByteArray utf16 = QByteArray::fromBase64("//7//v/+WwBdeGlibTMwMQ0AW//+Cv9rAD14aSoADWJtMTUACgAwAA==");
    const QByteArray utf8 = "\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nk=v\r\n";
    for (const QByteArray &bytes : {utf16, utf8}) {
        const IniDocument doc = IniDocument::Parse(bytes);
        const IniDocument again = IniDocument::Parse(doc.Serialize());
        EXPECT_EQ(again.SectionNames(), doc.SectionNames());
        EXPECT_EQ(again.Serialize(), doc.Serialize());
    }
    EXPECT_EQ(IniDocument::Parse(utf8).SectionNames(), QStringList {QStringLiteral("A")});
}

// Reading trims values and strips a pair of quotes: the writer quotes the
// values that would not survive that.
TEST(IniDocument, EveryValueReadsBackAsWritten)
{
    for (const QString &value :
         {QStringLiteral("  spaced  "), QStringLiteral("\"quoted\""), QStringLiteral("'x'"), QStringLiteral("\""),
          QStringLiteral("a \"b\""), QStringLiteral("\t"), QString(), QStringLiteral(u"\u3000全角\u3000")}) {
        IniDocument doc;
        doc.WriteString(QStringLiteral("S"), QStringLiteral("K"), value);
        EXPECT_EQ(read(IniDocument::Parse(doc.Serialize()), "S", "K"), value) << value.toStdString();
    }
    IniDocument plain;
    plain.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a \"b\""));
    EXPECT_EQ(plain.Serialize(), QByteArray("[S]\r\nK=a \"b\"\r\n")); // quotes only where needed
}
