// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One resource found in a PE image: its numeric identifier, the language of
// the entry taken, and where its bytes lie in the file.
struct PeResource
{
    quint16 id = 0;
    quint32 language = 0;
    qsizetype offset = 0;
    qsizetype size = 0;
};

// The resources of one named type ("WAVE") in a Windows module (a DLL or
// EXE in the PE/COFF format), read straight from the file's bytes: no
// Windows API, nothing of the module is run.
//
// The reader follows what the format allows rather than what one toolchain
// writes: PE32 and PE32+ headers, the resource tree found through the data
// directory wherever it lies, entries in any order with the named/numeric
// kind taken from each entry, type names compared without regard to case
// (as Windows does), data anywhere in the image mapped through the section
// table. A file is untrusted input: every offset and count is checked
// against the bytes that are there, the walk descends exactly three levels
// and never revisits a table, and nothing is allocated in proportion to a
// number read from the file. A damaged image is rejected whole when its
// headers, section table or resource root are unusable; a damaged entry is
// left out and noted, and the rest of the tree still serves.
class PeResourceTable
{
public:
    // Reads the resources of `typeName` with numeric identifiers, the first
    // language of each; a later entry with an identifier already seen is
    // ignored. The table keeps a (shared) reference to the image.
    static PeResourceTable Read(const QByteArray &image, QStringView typeName);

    // The headers, the section table and the resource root are sound. A
    // valid module may still lack the type or some of its entries.
    bool IsValid() const { return m_valid; }
    // What was wrong with the image or its entries, in the order met.
    const QStringList &Problems() const { return m_problems; }

    const QList<PeResource> &Resources() const { return m_resources; }
    QList<quint16> Ids() const;
    // A copy of one resource's bytes; empty when there is no such resource.
    QByteArray Data(quint16 id) const;

private:
    QByteArray m_image;
    bool m_valid = false;
    QStringList m_problems;
    QList<PeResource> m_resources;

    friend class PeResourceParser;
};
