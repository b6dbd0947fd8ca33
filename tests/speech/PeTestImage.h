// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>
#include <utility>

// A tiny RIFF WAVE image whose one sample tells which clip it is.
inline QByteArray TestWave(quint16 tag, quint32 sampleRate = 8000)
{
    QByteArray w(46, '\0');
    auto *b = reinterpret_cast<uchar *>(w.data());
    w.replace(0, 4, "RIFF");
    qToLittleEndian<quint32>(38, b + 4);
    w.replace(8, 8, "WAVEfmt ");
    qToLittleEndian<quint32>(16, b + 16);
    qToLittleEndian<quint16>(1, b + 20); // PCM
    qToLittleEndian<quint16>(1, b + 22); // mono
    qToLittleEndian<quint32>(sampleRate, b + 24);
    qToLittleEndian<quint32>(sampleRate * 2, b + 28);
    qToLittleEndian<quint16>(2, b + 32);
    qToLittleEndian<quint16>(16, b + 34);
    w.replace(36, 4, "data");
    qToLittleEndian<quint32>(2, b + 40);
    qToLittleEndian<quint16>(tag, b + 44);
    return w;
}

// A Windows module holding resources of a named type, laid out the way a
// resource compiler other than ours might: a numeric type beside the named
// one, two languages for the first resource (the first listed is taken),
// and optionally PE32+ headers or the data in a section of its own. It
// records where each structure lies, so tests can damage one of them.
struct PeTestImage
{
    struct Options
    {
        QList<std::pair<quint16, QByteArray>> resources;
        QString typeName = QStringLiteral("WAVE");
        bool pe32Plus = false;
        bool dataInOwnSection = false;
    };

    QByteArray bytes;
    qsizetype sectionTable = 0; // file offset of the first section header
    qsizetype root = 0; // file offset of the resource root table
    qsizetype idTable = 0; // of the named type's table of identifiers
    QList<qsizetype> languageTables;
    QList<qsizetype> dataEntries;
    quint32 rootRva = 0x1000;

    static constexpr qsizetype RawStart = 0x200;

    void put16(qsizetype at, quint16 v) { qToLittleEndian(v, reinterpret_cast<uchar *>(bytes.data()) + at); }
    void put32(qsizetype at, quint32 v) { qToLittleEndian(v, reinterpret_cast<uchar *>(bytes.data()) + at); }
    quint32 get32(qsizetype at) const { return qFromLittleEndian<quint32>(bytes.constData() + at); }
    // The resource-tree offset of a file offset, as directory entries hold it.
    quint32 treeOffset(qsizetype fileOffset) const { return quint32(fileOffset - root); }

    explicit PeTestImage(const Options &o)
    {
        const int n = int(o.resources.size());
        // The tree: root (two entries), an empty numeric type, the named
        // type's identifiers, a language table per resource (the first with
        // two languages), the data entries, the type's name, then the data.
        const qsizetype rootSize = 16 + 2 * 8;
        const qsizetype emptyType = rootSize;
        const qsizetype ids = emptyType + 16;
        qsizetype at = ids + 16 + 8 * n;
        QList<qsizetype> languages;
        for (int i = 0; i < n; ++i) {
            languages << at;
            at += 16 + 8 * (i == 0 ? 2 : 1);
        }
        QList<qsizetype> entries;
        for (int i = 0; i <= n; ++i) { // one more: the second language of the first
            entries << at;
            at += 16;
        }
        const qsizetype name = at;
        at += 2 + 2 * o.typeName.size();
        at = (at + 7) & ~7;
        const qsizetype treeSize = at;
        QList<qsizetype> data;
        qsizetype dataAt = o.dataInOwnSection ? 0 : treeSize;
        for (const auto &r : o.resources) {
            data << dataAt;
            dataAt = (dataAt + r.second.size() + 7) & ~7;
        }
        const qsizetype firstSize = o.dataInOwnSection ? treeSize : dataAt;
        const qsizetype secondStart = RawStart + ((firstSize + 0x1FF) & ~0x1FF);
        const quint32 secondRva = 0x1000 + quint32((firstSize + 0xFFF) & ~0xFFF);
        const qsizetype end = o.dataInOwnSection ? secondStart + ((dataAt + 0x1FF) & ~0x1FF) : secondStart;
        bytes = QByteArray(end, '\0');

        // DOS header, PE signature, file header, optional header.
        bytes.replace(0, 2, "MZ");
        put32(0x3C, 0x40);
        bytes.replace(0x40, 4, QByteArray("PE\0\0", 4));
        const qsizetype optionalSize = o.pe32Plus ? 240 : 224;
        put16(0x44, o.pe32Plus ? 0x8664 : 0x14C);
        put16(0x46, o.dataInOwnSection ? 2 : 1);
        put16(0x54, quint16(optionalSize));
        put16(0x56, 0x2102); // a DLL
        const qsizetype optional = 0x58;
        put16(optional, o.pe32Plus ? 0x20B : 0x10B);
        const qsizetype directories = optional + (o.pe32Plus ? 112 : 96);
        put32(directories - 4, 16);
        put32(directories + 16, rootRva);
        put32(directories + 20, quint32(treeSize));

        sectionTable = optional + optionalSize;
        auto section = [this](int index, const char *label, quint32 rva, qsizetype size, qsizetype raw) {
            const qsizetype h = sectionTable + 40 * index;
            bytes.replace(h, int(qstrlen(label)), label);
            put32(h + 8, quint32(size));
            put32(h + 12, rva);
            put32(h + 16, quint32((size + 0x1FF) & ~0x1FF));
            put32(h + 20, quint32(raw));
        };
        section(0, ".rsrc", rootRva, firstSize, RawStart);
        if (o.dataInOwnSection)
            section(1, ".rdata", secondRva, dataAt, secondStart);

        root = RawStart;
        idTable = root + ids;
        auto header = [this](qsizetype offset, int named, int numbered) {
            put16(root + offset + 12, quint16(named));
            put16(root + offset + 14, quint16(numbered));
        };
        auto entry = [this](qsizetype table, int i, quint32 nameField, quint32 target) {
            put32(root + table + 16 + 8 * i, nameField);
            put32(root + table + 16 + 8 * i + 4, target);
        };
        header(0, 1, 1);
        entry(0, 0, 0x80000000u | quint32(name), 0x80000000u | quint32(ids));
        entry(0, 1, 10, 0x80000000u | quint32(emptyType));
        header(ids, 0, n);
        put16(root + name, quint16(o.typeName.size()));
        for (qsizetype i = 0; i < o.typeName.size(); ++i)
            put16(root + name + 2 + 2 * i, o.typeName[i].unicode());

        int nextEntry = 0;
        for (int i = 0; i < n; ++i) {
            entry(ids, i, o.resources[i].first, 0x80000000u | quint32(languages[i]));
            const int languageCount = i == 0 ? 2 : 1;
            header(languages[i], 0, languageCount);
            for (int l = 0; l < languageCount; ++l) {
                // The second language of the first resource holds the data
                // of the last one: taking it would show.
                const int source = l == 0 ? i : n - 1;
                const qsizetype e = entries[nextEntry++];
                entry(languages[i], l, l == 0 ? 0x404 : 0x804, quint32(e));
                const quint32 rva =
                    o.dataInOwnSection ? secondRva + quint32(data[source]) : rootRva + quint32(data[source]);
                put32(root + e, rva);
                put32(root + e + 4, quint32(o.resources[source].second.size()));
                if (l == 0)
                    dataEntries << root + e;
            }
            languageTables << root + languages[i];
            const qsizetype file = (o.dataInOwnSection ? secondStart : root) + data[i];
            bytes.replace(file, int(o.resources[i].second.size()), o.resources[i].second);
        }
    }
};
