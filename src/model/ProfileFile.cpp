// SPDX-License-Identifier: MIT
#include "model/ProfileFile.h"

#include "model/AtomicFile.h"

#include <QFile>
#include <algorithm>
#include <iterator>
#include <limits>

ProfileFile::ProfileFile(const QString &path, Purpose purpose)
    : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        m_unreadable = file.error() != QFileDevice::NoError;
        m_document = IniDocument::Parse(
            bytes, purpose == Rewrite ? IniDocument::Lines::BeforeFirstSection : IniDocument::Lines::All);
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
    char16_t *end = digits + std::size(digits);
    char16_t *p = end;
    quint64 magnitude = number < 0 ? 0 - quint64(number) : quint64(number);
    do {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (number < 0)
        *--p = u'-';
    WriteValue(section, key, QStringView(p, end), create);
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
    return prefix + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
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
    WriteResult result = WriteFileAtomically(m_path, m_document.Serialize());
    if (result)
        m_document.ClearModified();
    return result;
}
