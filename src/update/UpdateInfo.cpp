// SPDX-License-Identifier: MIT
#include "update/UpdateInfo.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One "%x" conversion at `at`: blanks, an optional sign, an optional 0x,
// then at least one hex digit. Moves `at` past it; nullopt when there is
// no number.
std::optional<quint32> scanHex(const QByteArray &text, qsizetype &at)
{
    qsizetype i = at;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // "0x" counts as a prefix only when a hex digit follows it; otherwise
    // the 0 is the number.
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        hexDigit(text[i + 2]) >= 0)
        i += 2;
    if (i >= text.size() || hexDigit(text[i]) < 0)
        return std::nullopt;
    quint32 value = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i)
        value = value * 16 + quint32(hexDigit(text[i])); // wraps like an unsigned conversion
    at = i;
    return negative ? quint32(0) - value : value;
}

} // namespace

QString ProductVersion::Text() const
{
    return u"v%1.%2.%3.%4"_s.arg(major).arg(minor).arg(build).arg(revision);
}

ProductVersion ParseUpdateFile(const QByteArray &bytes)
{
    QByteArray text = bytes.left(UpdateFileReadLimit);
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    ProductVersion version;
    quint16 *const fields[] = {&version.major, &version.minor, &version.build, &version.revision};
    qsizetype at = 0;
    for (int n = 0; n < 4; ++n) {
        if (n > 0) {
            if (at >= text.size() || text[at] != ',')
                break;
            ++at;
        }
        const std::optional<quint32> value = scanHex(text, at);
        if (!value)
            break;
        *fields[n] = quint16(*value & 0xFFFF);
    }
    return version;
}

bool IsNewerVersion(const ProductVersion &remote, const ProductVersion &own)
{
    return remote > own;
}
