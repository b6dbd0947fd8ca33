// SPDX-License-Identifier: MIT
#include "model/TextScan.h"

#include "model/IniDocument.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

namespace {

// Reads up to numbers.size() numbers; returns how many it read.
qsizetype scan(QStringView text, const char *format, std::span<int> numbers)
{
    qsizetype count = 0;
    qsizetype i = 0;
    for (const char *f = format; *f; ++f) {
        if (f[0] == '%' && f[1] == 'd') {
            ++f;
            while (i < text.size() && isBlank(text[i]))
                ++i;
            const qsizetype start = i;
            if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
                ++i;
            const qsizetype digitsFrom = i;
            while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
                ++i;
            if (i == digitsFrom || count == qsizetype(numbers.size()))
                break;
            numbers[size_t(count++)] = ToDecimal(text.mid(start, i - start));
        } else if (*f == ' ') {
            while (i < text.size() && isBlank(text[i]))
                ++i;
        } else {
            if (i >= text.size() || text[i] != QLatin1Char(*f))
                break;
            ++i;
        }
    }
    return count;
}

qsizetype conversions(const char *format)
{
    qsizetype count = 0;
    for (const char *f = format; *f; ++f) {
        if (f[0] == '%' && f[1] == 'd')
            ++count;
    }
    return count;
}

} // namespace

QList<int> ScanIntegers(QStringView text, const char *format)
{
    QList<int> numbers(conversions(format));
    numbers.resize(scan(text, format, numbers));
    return numbers;
}

QList<int> ScanExactly(QStringView text, const char *format, int count)
{
    QList<int> numbers = ScanIntegers(text, format);
    if (numbers.size() != count)
        numbers.clear();
    return numbers;
}

bool ScanExactly(QStringView text, const char *format, std::span<int> numbers)
{
    return conversions(format) == qsizetype(numbers.size()) && scan(text, format, numbers) == qsizetype(numbers.size());
}

char16_t *DecimalBefore(char16_t *end, qint64 number, int width)
{
    char16_t *p = end;
    quint64 magnitude = number < 0 ? 0 - quint64(number) : quint64(number);
    do {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    while (end - p < width)
        *--p = u'0';
    if (number < 0)
        *--p = u'-';
    return p;
}
