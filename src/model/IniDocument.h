// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <memory_resource>
#include <optional>
#include <vector>

namespace IniNames {

// Section and key names compare and hash without regard to case. Done
// unit by unit, without building folded copies: the files hold hundreds of
// thousands of names.
bool SameName(QStringView a, QStringView b);

struct NameKey
{
    QString name;
};
inline bool operator==(const NameKey &a, const NameKey &b)
{
    return SameName(a.name, b.name);
}
size_t qHash(const NameKey &key, size_t seed = 0);

} // namespace IniNames

// An INI file held in memory, read and changed the way the Windows profile
// functions do it, so files carried over from Windows read the same:
// - section and key names are matched case-insensitively, names and values
//   are trimmed, and the first of duplicate sections or keys wins;
// - lines starting with ';' are comments; they and blank lines are kept;
// - a value in matching single or double quotes reads without them;
// - a new key goes to the end of its section, a new section to the end.
// The text is decoded from UTF-8 (with or without BOM), UTF-16 (with a BOM,
// or recognised by the zero bytes of its ASCII characters), or GBK (the code
// page of Chinese Windows), chosen line by line in a file that is not valid
// UTF-8 throughout. It is encoded back as UTF-16 with a BOM when it came as
// UTF-16, otherwise as UTF-8 without BOM, with CR LF line ends.
class IniDocument
{
public:
    enum class Encoding
    {
        Utf8,
        Utf16LE,
        Utf16BE,
        Gbk
    };

    // What of the text becomes sections and lines: all of it, or only the
    // lines before the first section, which are all that a document keeps
    // once every section is deleted. Such a document serializes as the whole
    // one would with its sections deleted; when those lines are plain ASCII
    // the rest is not even decoded, so its TextDamaged tells nothing.
    enum class Lines
    {
        All,
        BeforeFirstSection
    };
    IniDocument(); // an empty document
    static IniDocument Parse(const QByteArray &bytes, Lines lines = Lines::All);
    QByteArray Serialize() const;
    // The same into memory of the caller's: room for SerializedCapacity()
    // bytes; returns the end of what was written.
    qsizetype SerializedCapacity() const;
    char *SerializeInto(char *out) const;

    Encoding SourceEncoding() const { return d->encoding; }
    // True when the bytes did not decode cleanly: byte sequences that fit
    // no character (read as U+FFFD), zero bytes in 8-bit text, or lines in
    // both UTF-8 and GBK. Writing such a document back cannot give the same
    // bytes, so the caller may want to keep the original.
    bool TextDamaged() const { return d->textDamaged; }

    // A section looked up once, for reading or writing many of its keys (a
    // record). It stays valid: a section deleted since reads as absent and
    // takes no writes. An absent section gives a null one.
    class SectionRef
    {
        friend class IniDocument;
        int index = -1;

    public:
        explicit operator bool() const { return index >= 0; }
    };
    SectionRef FindSection(const QString &section) const;
    QString ReadString(SectionRef section, const QString &key, const QString &defaultValue,
                       int bufferSize = 260) const;
    QStringView ReadView(SectionRef section, const QString &key, int bufferSize = 260) const;

    // The stored value (quotes kept), or nothing when the key is absent.
    std::optional<QString> RawValue(const QString &section, const QString &key) const;
    // True when the section holds the key.
    bool HasKey(const QString &section, const QString &key) const;
    // Reads like the profile functions: quotes stripped, the default when
    // absent, and at most bufferSize - 1 characters (the terminator's place).
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue,
                       int bufferSize = 260) const;
    // The same without a copy: a view of the value, valid until the document
    // changes; a null view when the key is absent.
    QStringView ReadView(const QString &section, const QString &key, int bufferSize = 260) const;
    bool HasSection(const QString &section) const;

    // Sets a key, creating the section and key as needed. Line breaks in the
    // value would split the line and corrupt the file, so they become blanks.
    void WriteString(const QString &section, const QString &key, QStringView value);
    // Starts a section afresh for writing a record key by key: every
    // section of that name goes, and an empty one is added at the end.
    SectionRef ReplaceSection(const QString &section);
    // WriteString for a section found or made before: no name to look up.
    void WriteString(SectionRef section, const QString &key, QStringView value);
    // Removes every section of that name with all its lines; false if none.
    bool DeleteSection(const QString &section);
    // Names of all sections in file order, each name once.
    QStringList SectionNames() const;

    bool IsModified() const { return d->modified; }
    void ClearModified() { d->modified = false; }

private:
    // Keys, values and lines are views: into the decoded file text for
    // what was read, into the document's memory for what was written. This
    // spares an allocation per key and value.
    struct Line
    {
        // Shadowed: a later duplicate of a key, kept in the file but never
        // read or written, as the first of duplicates wins.
        enum Kind
        {
            Blank,
            Comment,
            Entry,
            Shadowed
        };
        Kind kind = Entry;
        QStringView key;
        QStringView value;
        QStringView raw; // the whole line as it goes back to the file
    };
    struct Section
    {
        explicit Section(std::pmr::memory_resource *memory)
            : lines(memory)
        { }
        QString name;
        bool removed = false;
        // A later section of a name that came before: kept in the file,
        // never read, as the first of duplicates wins.
        bool duplicate = false;
        int nextOfSameName = -1;
        int lastOfSameName = -1; // kept by the first of them
        std::pmr::vector<Line> lines;
        // Where the next lookup starts: readers and writers mostly go through
        // a section's keys in file order, so lookups rarely walk far.
        mutable size_t hint = 0;
    };
    using NameKey = IniNames::NameKey;

    // Everything a document holds, in one place that never moves: its
    // lines point into its text and memory, which moving the document
    // must leave where they are.
    struct Data
    {
        explicit Data(size_t expectedBytes);
        // Lines and written text come from here and go all at once with the
        // document, which lives for one load or one save.
        std::pmr::monotonic_buffer_resource memory;
        QString text; // the decoded file when it needed a string of its own
        // sections[0] holds the lines before the first header; it has no
        // name and no header line.
        std::pmr::vector<Section> sections;
        QHash<NameKey, int> sectionIndex; // name -> its first section
        mutable int lastSection = -1; // the section looked up last
        Encoding encoding = Encoding::Utf8;
        bool textDamaged = false;
        bool modified = false;
    };

    explicit IniDocument(size_t expectedBytes);
    static void shadowDuplicates(Section &section);
    // Decodes the file; the text lives in the document.
    QStringView decodeText(const QByteArray &bytes);
    // Copies "key=value" into the document's memory and points the line at it.
    void rewrite(Line &line, QStringView key, QStringView value);
    static int findLine(const Section &section, QStringView key);
    int sectionIndex(const QString &name) const;
    const Section *findSection(const QString &name) const;
    const Line *findEntry(const QString &section, const QString &key) const;
    const Line *findEntry(SectionRef section, const QString &key) const;
    Section &sectionForWriting(const QString &name);
    void writeEntry(Section &section, const QString &key, QStringView value);
    Section &appendSection(const QString &name);

    std::unique_ptr<Data> d;
};

// Decimal conversion as the C library's atoi does it: leading blanks, an
// optional sign, then digits; anything else ends the number, no digits give
// 0, and values beyond the int range are clamped.
int ToDecimal(QStringView text);
// The same for 64-bit values (times in seconds that reach beyond 1901-2038).
qint64 ToLongDecimal(QStringView text);
