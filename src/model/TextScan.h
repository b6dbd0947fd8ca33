// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

// Reads numbers out of a text the way sscanf does with a format made of
// "%d" conversions, literal characters and blanks: "%d" skips leading
// blanks and takes an optional sign and digits, a blank in the format
// matches any run of blanks (also none), and any other character must match
// itself. Returns the numbers read before the first mismatch.
QList<int> ScanIntegers(QStringView text, const char *format);

// The numbers of text read with format, or an empty list unless all
// `count` of them were there.
QList<int> ScanExactly(QStringView text, const char *format, int count);
