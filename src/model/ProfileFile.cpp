// SPDX-License-Identifier: MIT
#include "model/ProfileFile.h"

#include "model/AtomicFile.h"
#include "model/LargeBlocks.h"
#include "model/TextScan.h"

#include <QFile>
#include <algorithm>
#include <iterator>
#include <limits>

namespace {

// A file's bytes in memory that costs few page faults however large the
// file is (see LargeBlocks): a task file of megabytes is read at every start.
class FileBytes
{
public:
    explicit FileBytes(QFile &file)
        : m_buffer(size_t(std::clamp<qint64>(file.size(), 0, std::numeric_limits<qsizetype>::max())))
    {
        if (m_buffer.capacity() > 0)
            m_size = qsizetype(std::max<qint64>(file.read(m_buffer.data(), qint64(m_buffer.capacity())), 0));
        // A file that grew meanwhile, or one whose size the system does not
        // tell, is read to its end all the same.
        if (const QByteArray rest = file.readAll(); !rest.isEmpty())
            m_whole = m_buffer.view(m_size) + rest;
    }

    QByteArray bytes() const { return m_whole.isNull() ? m_buffer.view(m_size) : m_whole; }

private:
    LargeBuffer m_buffer;
    qsizetype m_size = 0;
    QByteArray m_whole;
};

} // namespace

ProfileFile::ProfileFile(const QString &path, Purpose purpose)
    : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const FileBytes bytes(file);
        m_unreadable = file.error() != QFileDevice::NoError;
        m_document = IniDocument::Parse(
            bytes.bytes(), purpose == Rewrite ? IniDocument::Lines::BeforeFirstSection : IniDocument::Lines::All);
    } else {
        m_unreadable = file.exists();
    }
}

QString ProfileFile::ReadString(const QString &section, const QString &key, const QString &defaultValue,
                                int bufferSize) const
{
    return m_document.ReadString(section, key, defaultValue, bufferSize);
}

int ProfileFile::ReadDecimal(const QString &section, const QString &key, const QString &defaultValue) const
{
    return ToDecimal(ReadString(section, key, defaultValue));
}

void ProfileFile::WriteValue(const QString &section, const QString &key, qint64 number, bool create)
{
    // Formatted on the stack: saves write hundreds of thousands of numbers.
    char16_t digits[24];
    char16_t *const end = digits + std::size(digits);
    WriteValue(section, key, QStringView(DecimalBefore(end, number), end), create);
}

void ProfileFile::WriteValue(SectionRef section, const QString &key, qint64 number)
{
    char16_t digits[24];
    char16_t *const end = digits + std::size(digits);
    m_document.WriteString(section, key, QStringView(DecimalBefore(end, number), end));
}

void ProfileFile::WriteValue(const QString &section, const QString &key, QStringView value, bool create)
{
    if (!create && ReadString(section, key, NoneValue) == NoneValue)
        return;
    m_document.WriteString(section, key, value);
}

bool ProfileFile::DeleteSection(const QString &section)
{
    return m_document.DeleteSection(section);
}

int ProfileFile::GetSectionNames(QStringList &list) const
{
    list = m_document.SectionNames();
    return int(list.size());
}

bool ProfileFile::DeleteAllSections()
{
    QStringList names;
    GetSectionNames(names);
    for (const QString &name : names) {
        if (!DeleteSection(name))
            return false;
    }
    return true;
}

QString ProfileFile::SectionName(const QString &prefix, int number)
{
    // "%05d", by hand: a save names every record of the file.
    char16_t digits[24];
    char16_t *const end = digits + std::size(digits);
    const char16_t *p = DecimalBefore(end, number, number < 0 ? 4 : 5);
    QString name;
    name.reserve(prefix.size() + (end - p));
    name += prefix;
    name += QStringView(p, end);
    return name;
}

std::optional<int> ProfileFile::SectionNumber(const QString &prefix, const QString &name)
{
    // Only the exact spelling the saver writes names a record: at least five
    // digits, and no zero in front of a longer number. Checked by hand, as a
    // load asks this of every section of the file several times.
    const qsizetype digits = name.size() - prefix.size();
    if (digits < 5 || digits > 10 || !name.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    if (digits > 5 && name[prefix.size()] == QLatin1Char('0'))
        return std::nullopt;
    qint64 number = 0;
    for (qsizetype i = prefix.size(); i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c - u'0');
    }
    if (number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

QList<int> ProfileFile::NumberedSections(const QString &prefix, int count) const
{
    QList<int> numbers;
    for (const QString &name : m_document.SectionNames()) {
        const std::optional<int> number = SectionNumber(prefix, name);
        if (number && *number < count)
            numbers.append(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

WriteResult ProfileFile::Save()
{
    if (!m_document.IsModified())
        return {};
    LargeBuffer buffer(size_t(m_document.SerializedCapacity()));
    const qsizetype size = m_document.SerializeInto(buffer.data()) - buffer.data();
    WriteResult result = WriteFileAtomically(m_path, buffer.view(size));
    if (result)
        m_document.ClearModified();
    return result;
}
