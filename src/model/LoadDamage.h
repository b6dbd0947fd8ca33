// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

// What loading one data file could not take in as it stood. The file is
// written afresh from what did load, so all of this would be gone after the
// next save; the caller keeps a copy of the file first.
struct LoadDamage
{
    // Bytes that did not decode cleanly, or a file that could not be read.
    bool textDamaged = false;
    // A record count that is negative or no number.
    bool badCount = false;
    // Sections whose contents no record took in: unreadable records,
    // records beyond their count, sections of no known kind.
    QStringList droppedSections;

    bool Any() const { return textDamaged || badCount || !droppedSections.isEmpty(); }
};
