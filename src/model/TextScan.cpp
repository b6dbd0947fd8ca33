// SPDX-License-Identifier: MIT
#include "model/TextScan.h"

#include "model/IniDocument.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QList<int> ScanIntegers(QStringView text, const char *format)
{
    QList<int> numbers;
    numbers.reserve(6);
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
            if (i == digitsFrom)
                break;
            numbers.append(ToDecimal(text.mid(start, i - start)));
        } else if (*f == ' ') {
            while (i < text.size() && isBlank(text[i]))
                ++i;
        } else {
            if (i >= text.size() || text[i] != QLatin1Char(*f))
                break;
            ++i;
        }
    }
    return numbers;
}

QList<int> ScanExactly(QStringView text, const char *format, int count)
{
    QList<int> numbers = ScanIntegers(text, format);
    if (numbers.size() != count)
        numbers.clear();
    return numbers;
}
