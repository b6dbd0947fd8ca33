// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <compare>

// A four-part product version: major, minor, build, revision, each 16 bits.
struct ProductVersion
{
    quint16 major = 0;
    quint16 minor = 0;
    quint16 build = 0;
    quint16 revision = 0;

    bool IsZero() const { return major == 0 && minor == 0 && build == 0 && revision == 0; }
    // "v2.8.0.2"
    QString Text() const;

    // Compared part by part in that order, as one version.
    friend auto operator<=>(const ProductVersion &, const ProductVersion &) = default;
};

// The version this program reports to the update check.
inline constexpr ProductVersion OwnVersion {2, 8, 0, 2};

// At most this many bytes of the update file are read.
inline constexpr int UpdateFileReadLimit = 260;

// The newest version as the update file tkupdate.ini announces it: four
// hexadecimal numbers separated by commas at its very start ("2,8,0,3";
// "a,0,0,1" is 10.0.0.1), read the way sscanf reads "%x,%x,%x,%x". Numbers
// that are missing or do not parse stay 0; each keeps its low 16 bits. A
// UTF-8 byte order mark in front is skipped.
ProductVersion ParseUpdateFile(const QByteArray &bytes);

// Whether `remote` should be offered to a program of version `own`.
bool IsNewerVersion(const ProductVersion &remote, const ProductVersion &own);
