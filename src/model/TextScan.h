// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <span>

// Reads numbers out of a text the way sscanf does with a format made of
// "%d" conversions, literal characters and blanks: "%d" skips leading
// blanks and takes an optional sign and digits, a blank in the format
// matches any run of blanks (also none), and any other character must match
// itself. Returns the numbers read before the first mismatch.
QList<int> ScanIntegers(QStringView text, const char *format);

// The numbers of text read with format, or an empty list unless all
// `count` of them were there.
QList<int> ScanExactly(QStringView text, const char *format, int count);
// The same into numbers, without allocating (records hold several dates
// each): true when all numbers.size() of them were there.
bool ScanExactly(QStringView text, const char *format, std::span<int> numbers);

// Writes number in decimal ("-" and at least `width` digits) so that it
// ends just before end, which has room for 21 units; returns where it
// begins. Saves write hundreds of thousands of numbers.
char16_t *DecimalBefore(char16_t *end, qint64 number, int width = 1);
