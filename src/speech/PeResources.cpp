// SPDX-License-Identifier: MIT
#include "speech/PeResources.h"

#include <QtEndian>
#include <algorithm>
#include <bitset>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr qsizetype DosHeaderSize = 64;
constexpr qsizetype NewHeaderOffsetField = 0x3C;
constexpr qsizetype FileHeaderSize = 20;
constexpr quint16 Pe32Magic = 0x10B;
constexpr quint16 Pe32PlusMagic = 0x20B;
constexpr quint32 ResourceDirectoryIndex = 2;
constexpr qsizetype SectionHeaderSize = 40;
constexpr qsizetype DirectoryHeaderSize = 16;
constexpr qsizetype DirectoryEntrySize = 8;
constexpr qsizetype DataEntrySize = 16;
constexpr quint32 HighBit = 0x80000000u;
// Enough to tell what is wrong with a file; a hostile one could otherwise
// earn a note per entry.
constexpr int MaxProblems = 16;

struct Section
{
    quint32 address = 0;
    quint64 span = 0; // bytes of address space it claims
    qsizetype fileOffset = 0;
    quint64 backed = 0; // bytes of that span the file really holds
};

// A byte range of the file, [begin, end).
struct Range
{
    qsizetype begin = 0;
    qsizetype end = 0;
    bool overlaps(const Range &other) const { return begin < other.end && other.begin < end; }
};

// What a problem is about: a part of the tree, or the resource of an id.
struct Subject
{
    const char *part;
    int id = -1;
    QString text() const { return id < 0 ? QLatin1String(part) : QStringLiteral("resource %1").arg(id); }
};

} // namespace

class PeResourceParser
{
public:
    PeResourceParser(PeResourceTable &table, QStringView typeName)
        : m_table(table)
        , m_bytes(reinterpret_cast<const uchar *>(table.m_image.constData()))
        , m_size(table.m_image.size())
        , m_typeName(typeName)
    { }

    void run()
    {
        if (!readHeaders())
            return;
        m_table.m_valid = true;
        readTree();
    }

private:
    // Whether `length` bytes at `offset` lie inside the file.
    bool inFile(quint64 offset, quint64 length) const
    {
        return offset <= quint64(m_size) && length <= quint64(m_size) - offset;
    }
    quint16 u16(qsizetype at) const { return qFromLittleEndian<quint16>(m_bytes + at); }
    quint32 u32(qsizetype at) const { return qFromLittleEndian<quint32>(m_bytes + at); }

    void problem(const Subject &subject, const char *what)
    {
        if (m_table.m_problems.size() > MaxProblems)
            return;
        problem(subject.text() + QStringLiteral(": ") + QLatin1String(what));
    }

    void problem(const QString &what)
    {
        if (m_table.m_problems.size() < MaxProblems)
            m_table.m_problems.append(what);
        else if (m_table.m_problems.size() == MaxProblems)
            m_table.m_problems.append(QStringLiteral("further problems not listed"));
    }

    bool fail(const QString &what)
    {
        problem(what);
        return false;
    }

    bool readHeaders()
    {
        if (!inFile(0, DosHeaderSize) || m_bytes[0] != 'M' || m_bytes[1] != 'Z')
            return fail(QStringLiteral("not a Windows module: no DOS header"));
        const quint32 peOffset = u32(NewHeaderOffsetField);
        if (!inFile(peOffset, 4 + FileHeaderSize) || u32(peOffset) != 0x00004550u)
            return fail(QStringLiteral("no PE header"));
        const qsizetype fileHeader = qsizetype(peOffset) + 4;
        const quint16 sectionCount = u16(fileHeader + 2);
        const quint16 optionalSize = u16(fileHeader + 16);
        const qsizetype optional = fileHeader + FileHeaderSize;
        if (!inFile(optional, optionalSize) || optionalSize < 2)
            return fail(QStringLiteral("optional header truncated"));

        qsizetype directories = 0;
        qsizetype countField = 0;
        switch (u16(optional)) {
        case Pe32Magic:
            countField = 92;
            directories = 96;
            break;
        case Pe32PlusMagic:
            countField = 108;
            directories = 112;
            break;
        default:
            return fail(QStringLiteral("unknown optional header kind"));
        }
        const qsizetype resourceField = directories + ResourceDirectoryIndex * 8;
        if (optionalSize < resourceField + 8 || u32(optional + countField) <= ResourceDirectoryIndex)
            return fail(QStringLiteral("no resource directory in the data directory"));
        const quint32 resourceRva = u32(optional + resourceField);
        if (resourceRva == 0)
            return fail(QStringLiteral("the module holds no resources"));

        const qsizetype sectionTable = optional + optionalSize;
        if (!inFile(sectionTable, quint64(sectionCount) * SectionHeaderSize))
            return fail(QStringLiteral("section table truncated"));
        m_sections.reserve(sectionCount);
        for (int i = 0; i < sectionCount; ++i) {
            const qsizetype at = sectionTable + i * SectionHeaderSize;
            const quint32 virtualSize = u32(at + 8);
            const quint32 rawSize = u32(at + 16);
            const quint32 rawOffset = u32(at + 20);
            Section section;
            section.address = u32(at + 12);
            // A virtual size of 0 means the raw size (some linkers leave it
            // out); only bytes within both the virtual and the raw size are
            // loaded from the file, the rest of a section is zeroes.
            section.span = virtualSize ? virtualSize : rawSize;
            section.fileOffset = rawOffset;
            const quint64 inFileBytes = rawOffset <= quint64(m_size) ? quint64(m_size) - rawOffset : 0;
            section.backed = std::min({section.span, quint64(rawSize), inFileBytes});
            m_sections.push_back(section);
        }
        // Each address belongs to one section at most.
        std::vector<Section> byAddress = m_sections;
        std::sort(byAddress.begin(), byAddress.end(),
                  [](const Section &a, const Section &b) { return a.address < b.address; });
        for (size_t i = 1; i < byAddress.size(); ++i) {
            if (quint64(byAddress[i - 1].address) + byAddress[i - 1].span > byAddress[i].address)
                return fail(QStringLiteral("sections overlap"));
        }

        const auto root = map(resourceRva, DirectoryHeaderSize);
        if (!root)
            return fail(QStringLiteral("resource directory outside the module's sections"));
        m_root = root->begin;
        m_treeEnd = root->end;
        return true;
    }

    // The file bytes of `length` bytes of address space at `rva`: they must
    // lie in the part of one section that the file holds. For the resource
    // root, `end` is where that part ends (the tree may not reach further).
    struct Mapped
    {
        qsizetype begin;
        qsizetype end;
    };
    std::optional<Mapped> map(quint32 rva, quint64 length) const
    {
        for (const Section &s : m_sections) {
            if (rva < s.address || rva - s.address >= s.span)
                continue;
            const quint64 delta = rva - s.address;
            if (delta > s.backed || length > s.backed - delta)
                return std::nullopt;
            return Mapped {qsizetype(s.fileOffset + delta), qsizetype(s.fileOffset + s.backed)};
        }
        return std::nullopt;
    }

    // A structure of the tree at an offset from the resource root.
    std::optional<Range> inTree(quint32 offset, quint64 length) const
    {
        const quint64 begin = quint64(m_root) + offset;
        if (begin > quint64(m_treeEnd) || length > quint64(m_treeEnd) - begin)
            return std::nullopt;
        return Range {qsizetype(begin), qsizetype(begin + length)};
    }

    // A directory table: its header and entries must fit in the tree.
    std::optional<Range> table(quint32 offset, const Subject &subject)
    {
        const auto header = inTree(offset, DirectoryHeaderSize);
        if (!header) {
            problem(subject, "directory table outside the resource section");
            return std::nullopt;
        }
        const quint64 entries = quint64(u16(header->begin + 12)) + u16(header->begin + 14);
        const auto whole = inTree(offset, DirectoryHeaderSize + entries * DirectoryEntrySize);
        if (!whole)
            problem(subject, "directory table runs past the resource section");
        return whole;
    }

    static int entryCount(const Range &table) { return int((table.end - table.begin - DirectoryHeaderSize) / 8); }
    qsizetype entry(const Range &table, int i) const { return table.begin + DirectoryHeaderSize + i * 8; }

    bool nameMatches(quint32 nameOffset)
    {
        const auto length = inTree(nameOffset, 2);
        if (!length) {
            problem({"type name"}, "outside the resource section");
            return false;
        }
        if (u16(length->begin) != m_typeName.size())
            return false;
        const auto text = inTree(nameOffset, 2 + quint64(m_typeName.size()) * 2);
        if (!text) {
            problem({"type name"}, "runs past the resource section");
            return false;
        }
        for (qsizetype i = 0; i < m_typeName.size(); ++i) {
            if (QChar(u16(text->begin + 2 + 2 * i)).toUpper() != m_typeName[i].toUpper())
                return false;
        }
        return true;
    }

    // A table below `ancestors` that neither is nor overlaps one of them:
    // otherwise the tree loops back on itself.
    std::optional<Range> childTable(quint32 field, std::initializer_list<Range> ancestors, const Subject &subject)
    {
        auto child = table(field & ~HighBit, subject);
        if (child &&
            std::any_of(ancestors.begin(), ancestors.end(), [&](const Range &a) { return a.overlaps(*child); })) {
            problem(subject, "directory loops back into its parents");
            return std::nullopt;
        }
        return child;
    }

    void readTree()
    {
        const auto root = table(0, {"resource root"});
        if (!root) {
            m_table.m_valid = false;
            return;
        }
        std::optional<Range> types;
        for (int i = 0; i < entryCount(*root) && !types; ++i) {
            const qsizetype at = entry(*root, i);
            if (!(u32(at) & HighBit) || !nameMatches(u32(at) & ~HighBit))
                continue;
            // Like Windows, the first entry of that name is the type.
            if (!(u32(at + 4) & HighBit)) {
                problem({"type entry"}, "not a directory");
                return;
            }
            types = childTable(u32(at + 4), {*root}, {"type directory"});
            if (!types)
                return;
        }
        if (!types)
            return;

        auto seen = std::make_unique<std::bitset<65536>>();
        for (int i = 0; i < entryCount(*types); ++i) {
            const qsizetype at = entry(*types, i);
            const quint32 name = u32(at);
            const quint32 target = u32(at + 4);
            if (name & HighBit)
                continue; // a named resource; the clips are numbered
            const auto id = quint16(name);
            const Subject what {nullptr, id};
            if (seen->test(id))
                continue;
            if (!(target & HighBit)) {
                problem(what, "no language directory");
                continue;
            }
            const auto languages = childTable(target, {*root, *types}, what);
            if (!languages)
                continue;
            if (entryCount(*languages) == 0) {
                problem(what, "no language");
                continue;
            }
            const qsizetype first = entry(*languages, 0);
            if (u32(first + 4) & HighBit) {
                problem(what, "directory where its data should be");
                continue;
            }
            const auto dataEntry = inTree(u32(first + 4), DataEntrySize);
            if (!dataEntry) {
                problem(what, "data entry outside the resource section");
                continue;
            }
            const auto data = map(u32(dataEntry->begin), u32(dataEntry->begin + 4));
            if (!data) {
                problem(what, "data outside the module's sections or past the end of the file");
                continue;
            }
            const Range bytes {data->begin, data->begin + qsizetype(u32(dataEntry->begin + 4))};
            const Range structures[] = {*root, *types, *languages, *dataEntry};
            if (std::any_of(std::begin(structures), std::end(structures),
                            [&](const Range &r) { return r.overlaps(bytes); })) {
                problem(what, "data overlaps the resource directory");
                continue;
            }
            seen->set(id);
            m_table.m_resources.append({id, u32(first), bytes.begin, bytes.end - bytes.begin});
        }
    }

    PeResourceTable &m_table;
    const uchar *m_bytes;
    qsizetype m_size;
    QStringView m_typeName;
    std::vector<Section> m_sections;
    qsizetype m_root = 0;
    qsizetype m_treeEnd = 0;
};

PeResourceTable PeResourceTable::Read(const QByteArray &image, QStringView typeName)
{
    PeResourceTable table;
    table.m_image = image;
    PeResourceParser(table, typeName).run();
    return table;
}

QList<quint16> PeResourceTable::Ids() const
{
    QList<quint16> ids;
    ids.reserve(m_resources.size());
    for (const PeResource &r : m_resources)
        ids.append(r.id);
    return ids;
}

QByteArray PeResourceTable::Data(quint16 id) const
{
    for (const PeResource &r : m_resources) {
        if (r.id == id)
            return m_image.mid(r.offset, r.size);
    }
    return {};
}
