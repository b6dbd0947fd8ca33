// SPDX-License-Identifier: MIT
#include "model/IniDocument.h"

#include "model/LargeBlocks.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <climits>
#include <limits>
#include <optional>

namespace {

using Encoding = IniDocument::Encoding;

// How well a run of bytes reads as UTF-8: well-formed multi-byte sequences
// against bytes that belong to none.
struct Utf8Score
{
    qsizetype good = 0;
    qsizetype bad = 0;
};

Utf8Score scoreUtf8(const char *bytes, qsizetype size)
{
    Utf8Score score;
    for (qsizetype i = 0; i < size;) {
        const uchar lead = uchar(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        uchar low = 0x80;
        uchar high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
            high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        }
        bool ok = length > 0 && i + length <= size;
        for (int k = 1; ok && k < length; ++k) {
            const uchar next = uchar(bytes[i + k]);
            ok = k == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
        }
        if (ok) {
            ++score.good;
            i += length;
        } else {
            ++score.bad;
            ++i;
        }
    }
    return score;
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// A UTF-16 file without a byte-order mark. INI text is mostly ASCII, whose
// characters have a zero high byte; 8-bit text holds no zero bytes at all,
// and a run of zeros left by a crash pairs up as 00 00, which counts for
// neither byte order.
std::optional<Encoding> bomlessUtf16(const QByteArray &bytes)
{
    if (!bytes.contains('\0'))
        return std::nullopt;
    qsizetype little = 0;
    qsizetype big = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const bool lowZero = bytes[i] == 0;
        const bool highZero = bytes[i + 1] == 0;
        if (lowZero != highZero)
            ++(highZero ? little : big);
    }
    const qsizetype units = bytes.size() / 2;
    if (little > 3 * big && little * 8 >= units)
        return Encoding::Utf16LE;
    if (big > 3 * little && big * 8 >= units)
        return Encoding::Utf16BE;
    return std::nullopt;
}

struct Decoded
{
    QString text;
    Encoding encoding = Encoding::Utf8;
    bool damaged = false;
};

Decoded decodeUtf16(QByteArrayView bytes, Encoding encoding)
{
    QStringDecoder decoder(encoding == Encoding::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    Decoded out;
    out.encoding = encoding;
    out.text = decoder(bytes);
    out.damaged = decoder.hasError() || bytes.size() % 2 != 0;
    return out;
}

// 8-bit text is UTF-8 or GBK (the code page of Chinese Windows). A file
// that is valid UTF-8 throughout is UTF-8. Otherwise the encoding is chosen
// line by line, so that one bad byte cannot garble every other line:
// - the file as a whole is GBK when its bytes that fit no UTF-8 sequence
//   outnumber its well-formed multi-byte sequences, and there are at least
//   two (one is a stray byte, as a GBK character has two); a UTF-8 BOM
//   rules GBK out;
// - in a GBK file every line is GBK, except a line that is valid UTF-8 and
//   not valid GBK. Short GBK texts are often valid UTF-8 by chance ("牛" is
//   C5 A3, which UTF-8 reads as "ţ"), so validity alone cannot decide;
// - in a UTF-8 file every line is UTF-8 (a stray byte becomes U+FFFD and the
//   rest of the line stays), except a line made mostly of bytes that fit no
//   UTF-8 sequence, at least two of them, that reads as GBK without error.
// Lines end at CR and LF, which are never part of a multi-byte character in
// either encoding.
Decoded decode8Bit(QByteArrayView bytes, bool utf8Bom)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    Decoded out;
    out.text = utf8(bytes);
    if (!utf8.hasError())
        return out;

    const Utf8Score whole = scoreUtf8(bytes.data(), bytes.size());
    const bool gbkFile = !utf8Bom && whole.bad >= 2 && whole.bad > whole.good;
    out.encoding = gbkFile ? Encoding::Gbk : Encoding::Utf8;
    out.text.clear();
    out.text.reserve(bytes.size());

    QStringDecoder gbk("GBK");
    // A line decoded as GBK; false when it holds something GBK cannot
    // read. Besides U+FFFD, that is a private-use character: the decoder
    // gives one for a lone 0xFF, and real text hardly ever has them. The
    // appended line end flushes a lead byte left without its trail, so that
    // no line's bytes run into the next.
    const auto asGbk = [&gbk](QByteArrayView line, QString &text) {
        QByteArray terminated = line.toByteArray();
        terminated.append('\n');
        text = gbk(terminated);
        text.chop(1);
        return std::none_of(text.begin(), text.end(), [](QChar c) {
            return c == QChar::ReplacementCharacter || (c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF);
        });
    };
    bool sawUtf8 = false;
    bool sawGbk = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView line = bytes.sliced(pos, end - pos);
        if (isAscii(line)) {
            out.text += QLatin1String(line.data(), line.size());
        } else {
            const Utf8Score score = scoreUtf8(line.data(), line.size());
            QString gbkText;
            const bool useGbk = gbkFile ? score.bad > 0 || asGbk(line, gbkText)
                                        : score.bad >= 2 && score.bad > score.good && asGbk(line, gbkText);
            if (useGbk) {
                // A line valid as UTF-8 was decoded above already; another
                // one is decoded now, errors and all.
                if (gbkText.isNull() && !asGbk(line, gbkText))
                    out.damaged = true;
                out.text += gbkText;
                sawGbk = true;
            } else {
                // A U+FEFF at the start of a line is text here, as it is
                // anywhere but at the start of the file.
                QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
                out.text += lineDecoder(line);
                out.damaged = out.damaged || score.bad > 0;
                sawUtf8 = true;
            }
        }
        pos = end;
        while (pos < bytes.size() && (bytes[pos] == '\n' || bytes[pos] == '\r'))
            out.text += QLatin1Char(bytes[pos++]);
    }
    // A file of two encodings was put together from different sources, or
    // some of its lines were guessed wrong: either way it is not the file
    // the writer meant.
    out.damaged = out.damaged || (sawUtf8 && sawGbk);
    return out;
}

Decoded decode(const QByteArray &bytes)
{
    Decoded out;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        out = decodeUtf16(QByteArrayView(bytes).sliced(2),
                          bytes.startsWith("\xFF\xFE") ? Encoding::Utf16LE : Encoding::Utf16BE);
    } else if (const std::optional<Encoding> utf16 = bomlessUtf16(bytes)) {
        out = decodeUtf16(bytes, *utf16);
    } else {
        const bool bom = bytes.startsWith("\xEF\xBB\xBF");
        QByteArrayView body = QByteArrayView(bytes).sliced(bom ? 3 : 0);
        // Zero bytes are no text in an 8-bit file; they are what a crash
        // leaves in a file whose blocks were never written. Dropping them
        // also keeps what is written back from reading as UTF-16.
        QByteArray withoutZeros;
        if (body.contains('\0')) {
            withoutZeros = body.toByteArray();
            withoutZeros.removeIf([](char c) { return c == 0; });
            body = withoutZeros;
        }
        out = decode8Bit(body, bom);
        out.damaged = out.damaged || !withoutZeros.isNull();
    }
    // Byte-order marks beyond the first are no text either. The writer puts
    // at most one back, so a file read, written and read again keeps its
    // first line (a U+FEFF in front of a section header would hide it).
    qsizetype marks = 0;
    while (marks < out.text.size() && out.text[marks] == QChar::ByteOrderMark)
        ++marks;
    out.text.remove(0, marks);
    return out;
}

bool hasLineBreak(QStringView value)
{
    for (const QChar c : value) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return true;
    }
    return false;
}

QString withoutLineBreaks(QStringView value)
{
    QString out = value.toString();
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QStringView stripQuotes(QStringView value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

char16_t foldedUnit(char16_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? char16_t(c + ('a' - 'A')) : c;
    return QChar(c).toCaseFolded().unicode();
}

quint64 foldedHash(QStringView name, quint64 seed)
{
    quint64 h = seed ^ quint64(name.size());
    for (const QChar c : name)
        h = h * 31 + foldedUnit(c.unicode());
    // Numbered sections differ only in their last digits; mix the bits so
    // that they do not land in neighbouring buckets.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

// The length of an 8-bit file's lines before its first section header,
// when they are plain ASCII: they then decode alike whatever the rest of
// the file is (UTF-8 or GBK), and the rest need not be decoded at all.
// Nothing for UTF-16, zero bytes or anything else that needs the whole file.
// Lines are split and trimmed as Parse does it.
std::optional<qsizetype> asciiHead(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.contains('\0'))
        return std::nullopt;
    const qsizetype size = bytes.size();
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < size) {
        qsizetype i = pos;
        while (i < size && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\v' || bytes[i] == '\f'))
            ++i;
        if (i < size && bytes[i] == '[')
            return pos;
        for (; i < size && bytes[i] != '\n' && bytes[i] != '\r'; ++i) {
            if (uchar(bytes[i]) >= 0x80)
                return std::nullopt;
        }
        const qsizetype end = i;
        if (i < size && bytes[i] == '\r')
            ++i;
        if (i < size && bytes[i] == '\n' && (i == end || bytes[i - 1] == '\r'))
            ++i;
        pos = i;
    }
    return size;
}

// Appends text as UTF-8 the way QString::toUtf8 writes it, a lone
// surrogate as '?'; out has room for three bytes per unit.
char *appendUtf8(char *out, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        const char16_t c = *p++;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
            const char32_t u = QChar::surrogateToUcs4(c, *p++);
            *out++ = char(0xF0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3F));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            *out++ = '?';
        }
    }
    return out;
}

// QStringView::trimmed, without the library call for the usual text that
// begins and ends with a printable ASCII character (none of which is a
// space): a large file has hundreds of thousands of names and values.
QStringView trimmedView(QStringView text)
{
    const auto plain = [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7F; };
    if (text.isEmpty() || (plain(text.front()) && plain(text.back())))
        return text;
    return text.trimmed();
}

// The usual file, 8-bit and valid UTF-8 throughout, decoded straight into
// memory: without the intermediate string that decode() builds. Nothing when
// the file needs anything more (UTF-16, zero bytes, stray bytes), for
// decode() to handle; what it gives is the same.
std::optional<QStringView> decodeCleanUtf8(const QByteArray &bytes, std::pmr::memory_resource &memory)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.contains('\0'))
        return std::nullopt;
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArrayView body = QByteArrayView(bytes).sliced(bom ? 3 : 0);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const qsizetype space = utf8.requiredSpace(body.size());
    auto *start = static_cast<QChar *>(memory.allocate(size_t(space) * sizeof(QChar), alignof(QChar)));
    const QChar *end = utf8.appendToBuffer(start, body);
    if (utf8.hasError())
        return std::nullopt;
    QStringView text(start, end);
    // Further byte-order marks are no text, as decode() has it.
    while (!text.isEmpty() && text.front() == QChar::ByteOrderMark)
        text = text.sliced(1);
    return text;
}

} // namespace

bool IniNames::SameName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && foldedUnit(a[i].unicode()) != foldedUnit(b[i].unicode()))
            return false;
    }
    return true;
}

size_t IniNames::qHash(const NameKey &key, size_t seed)
{
    return size_t(foldedHash(key.name, seed));
}

IniDocument::Data::Data(size_t expectedBytes)
    : memory(std::max<size_t>(expectedBytes, 1024), &LargeBlocks())
    , sections(&memory)
{ }

IniDocument::IniDocument()
    : IniDocument(0)
{ }

IniDocument::IniDocument(size_t expectedBytes)
    : d(std::make_unique<Data>(expectedBytes))
{ }

void IniDocument::rewrite(Line &line, QStringView key, QStringView value)
{
    const qsizetype size = key.size() + 1 + value.size();
    auto *out = static_cast<char16_t *>(d->memory.allocate(size_t(size) * sizeof(char16_t), alignof(char16_t)));
    // key may point into older memory of the document: copying never overlaps.
    std::copy(key.utf16(), key.utf16() + key.size(), out);
    out[key.size()] = u'=';
    std::copy(value.utf16(), value.utf16() + value.size(), out + key.size() + 1);
    line.raw = QStringView(out, size);
    line.key = line.raw.left(key.size());
    line.value = line.raw.mid(key.size() + 1);
}

QStringView IniDocument::decodeText(const QByteArray &bytes)
{
    if (const std::optional<QStringView> text = decodeCleanUtf8(bytes, d->memory))
        return *text;
    Decoded decoded = decode(bytes);
    d->text = std::move(decoded.text);
    d->encoding = decoded.encoding;
    d->textDamaged = decoded.damaged;
    return d->text;
}

IniDocument IniDocument::Parse(const QByteArray &bytes, Lines lines)
{
    if (lines == Lines::BeforeFirstSection) {
        if (const std::optional<qsizetype> head = asciiHead(bytes))
            return Parse(bytes.left(*head), Lines::All);
    }
    // Room for the decoded text and its lines at the first go: a file's
    // lines average a few dozen bytes, and a line takes a few dozen bytes
    // of memory besides its text.
    IniDocument doc(size_t(bytes.size()) * 6);
    const QStringView text = doc.decodeText(bytes);
    Data &data = *doc.d;
    data.sections.emplace_back(&data.memory); // lines before the first header
    Section *current = &data.sections.back();

    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        const QStringView rawLine = text.mid(pos, end - pos);
        pos = end;
        if (pos < size && text[pos] == QLatin1Char('\r'))
            ++pos;
        if (pos < size && text[pos] == QLatin1Char('\n') && (pos == end || text[pos - 1] == QLatin1Char('\r')))
            ++pos;

        const QStringView line = trimmedView(rawLine);
        if (line.startsWith(QLatin1Char('['))) {
            if (lines == Lines::BeforeFirstSection)
                break;
            qsizetype close = line.lastIndexOf(QLatin1Char(']'));
            if (close < 0)
                close = line.size();
            // Sections of a file are much alike: room for as many lines as
            // the one before spares growing each one step by step.
            const size_t expectedLines = current->lines.size();
            current = &doc.appendSection(trimmedView(line.mid(1, close - 1)).toString());
            current->lines.reserve(expectedLines);
            continue;
        }
        Line entry;
        entry.raw = rawLine;
        if (line.isEmpty()) {
            entry.kind = Line::Blank;
        } else if (line.startsWith(QLatin1Char(';'))) {
            entry.kind = Line::Comment;
        } else {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            entry.key = trimmedView(eq < 0 ? line : line.left(eq));
            if (eq >= 0)
                entry.value = trimmedView(line.mid(eq + 1));
        }
        current->lines.push_back(entry);
    }
    for (Section &section : data.sections)
        shadowDuplicates(section);
    return doc;
}

IniDocument::Section &IniDocument::appendSection(const QString &name)
{
    Data &data = *d;
    if (data.sections.empty())
        data.sections.emplace_back(&data.memory);
    const int index = int(data.sections.size());
    data.sections.emplace_back(&data.memory);
    Section &section = data.sections.back();
    section.name = name;
    // The first of duplicate sections wins; later ones are chained to it,
    // so that deleting the name deletes them all.
    const auto first = data.sectionIndex.constFind(NameKey {name});
    if (first == data.sectionIndex.constEnd()) {
        data.sectionIndex.insert(NameKey {name}, index);
    } else {
        section.duplicate = true;
        Section &head = data.sections[size_t(first.value())];
        const int last = head.lastOfSameName >= 0 ? head.lastOfSameName : first.value();
        data.sections[size_t(last)].nextOfSameName = index;
        head.lastOfSameName = index;
    }
    return section;
}

void IniDocument::shadowDuplicates(Section &section)
{
    if (section.lines.size() < 2)
        return;
    // Sort the entries by a cheap signature of their key (its length and
    // its first and last units, folded); duplicates end up side by side,
    // and of each group the earliest line stays live.
    static thread_local std::vector<std::pair<quint64, size_t>> bySignature;
    bySignature.clear();
    for (size_t i = 0; i < section.lines.size(); ++i) {
        const Line &line = section.lines[i];
        if (line.kind != Line::Entry)
            continue;
        const QStringView key = line.key;
        const quint64 signature = key.isEmpty()
            ? 0
            : quint64(key.size()) << 32 | quint64(foldedUnit(key.front().unicode())) << 16 |
                foldedUnit(key.back().unicode());
        bySignature.emplace_back(signature, i);
    }
    std::sort(bySignature.begin(), bySignature.end());
    for (size_t a = 0; a < bySignature.size(); ++a) {
        Line &first = section.lines[bySignature[a].second];
        for (size_t b = a + 1; b < bySignature.size() && bySignature[b].first == bySignature[a].first; ++b) {
            Line &later = section.lines[bySignature[b].second];
            if (first.kind == Line::Entry && later.kind == Line::Entry && IniNames::SameName(first.key, later.key))
                later.kind = Line::Shadowed; // its raw text stays in the file
        }
    }
}

int IniDocument::findLine(const Section &section, QStringView key)
{
    // Keys are unique among the live entries of a section, so the walk can
    // start anywhere; starting after the last match makes reading a
    // section's keys in file order cost one step each.
    const size_t count = section.lines.size();
    const size_t start = section.hint < count ? section.hint : 0;
    const auto matches = [&](size_t i) {
        const Line &line = section.lines[i];
        return line.kind == Line::Entry && line.key.size() == key.size() && IniNames::SameName(line.key, key);
    };
    for (size_t i = start; i < count; ++i) {
        if (matches(i)) {
            section.hint = i + 1;
            return int(i);
        }
    }
    for (size_t i = 0; i < start; ++i) {
        if (matches(i)) {
            section.hint = i + 1;
            return int(i);
        }
    }
    return -1;
}

namespace {

bool isUtf16(IniDocument::Encoding encoding)
{
    return encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE;
}

QStringEncoder utf16Encoder(IniDocument::Encoding encoding)
{
    return QStringEncoder(encoding == Encoding::Utf16LE ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                          QStringEncoder::Flag::WriteBom);
}

} // namespace

qsizetype IniDocument::SerializedCapacity() const
{
    qsizetype units = 0;
    for (size_t s = 0; s < d->sections.size(); ++s) {
        const Section &section = d->sections[s];
        if (section.removed)
            continue;
        if (s > 0)
            units += section.name.size() + 4;
        for (const Line &line : section.lines)
            units += line.raw.size() + 2;
    }
    return isUtf16(d->encoding) ? utf16Encoder(d->encoding).requiredSpace(units) : 3 * units;
}

char *IniDocument::SerializeInto(char *end) const
{
    // Encoded line by line straight into the output: a file of several
    // megabytes is not first gathered as UTF-16 text.
    const bool utf16 = isUtf16(d->encoding);
    QStringEncoder encoder = utf16Encoder(d->encoding);
    const auto append = [&](char *out, QStringView text) {
        return utf16 ? encoder.appendToBuffer(out, text) : appendUtf8(out, text);
    };
    if (utf16)
        end = encoder.appendToBuffer(end, QStringView()); // the byte-order mark, even of an empty file
    for (size_t s = 0; s < d->sections.size(); ++s) {
        const Section &section = d->sections[s];
        if (section.removed)
            continue;
        if (s > 0) {
            end = append(end, u"[");
            end = append(end, section.name);
            end = append(end, u"]\r\n");
        }
        for (const Line &line : section.lines) {
            end = append(end, line.raw);
            end = append(end, u"\r\n");
        }
    }
    return end;
}

QByteArray IniDocument::Serialize() const
{
    QByteArray out(SerializedCapacity(), Qt::Uninitialized);
    out.truncate(SerializeInto(out.data()) - out.data());
    return out;
}

int IniDocument::sectionIndex(const QString &name) const
{
    const QStringView trimmed = trimmedView(name);
    // Reads and writes come in runs on one section: check the last one
    // before hashing the name.
    const int last = d->lastSection;
    if (last > 0 && size_t(last) < d->sections.size() && !d->sections[size_t(last)].removed &&
        IniNames::SameName(d->sections[size_t(last)].name, trimmed))
        return last;
    const auto it = d->sectionIndex.constFind(NameKey {trimmed.size() == name.size() ? name : trimmed.toString()});
    if (it == d->sectionIndex.constEnd())
        return -1;
    d->lastSection = it.value();
    return d->lastSection;
}

const IniDocument::Section *IniDocument::findSection(const QString &name) const
{
    const int i = sectionIndex(name);
    return i < 0 ? nullptr : &d->sections[size_t(i)];
}

const IniDocument::Line *IniDocument::findEntry(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    const int line = findLine(*s, trimmedView(key));
    return line < 0 ? nullptr : &s->lines[size_t(line)];
}

const IniDocument::Line *IniDocument::findEntry(SectionRef section, const QString &key) const
{
    if (section.index < 0 || size_t(section.index) >= d->sections.size())
        return nullptr;
    const Section &s = d->sections[size_t(section.index)];
    if (s.removed)
        return nullptr;
    const int line = findLine(s, trimmedView(key));
    return line < 0 ? nullptr : &s.lines[size_t(line)];
}

IniDocument::SectionRef IniDocument::FindSection(const QString &section) const
{
    SectionRef ref;
    ref.index = sectionIndex(section);
    return ref;
}

std::optional<QString> IniDocument::RawValue(const QString &section, const QString &key) const
{
    const Line *line = findEntry(section, key);
    return line ? std::optional<QString>(line->value.toString()) : std::nullopt;
}

bool IniDocument::HasKey(const QString &section, const QString &key) const
{
    return findEntry(section, key) != nullptr;
}

namespace {

// What a read gives for a line (null when absent), as the profile functions
// give it: quotes stripped, the default when absent, and at most
// bufferSize - 1 characters (the terminator's place).
QString readString(QStringView value, bool found, const QString &defaultValue, int bufferSize)
{
    if (bufferSize <= 0)
        return {};
    return (found ? stripQuotes(value) : QStringView(defaultValue)).left(bufferSize - 1).toString();
}

QStringView readView(QStringView value, bool found, int bufferSize)
{
    if (!found || bufferSize <= 0)
        return {};
    const QStringView stripped = stripQuotes(value);
    // Never null for a key that is there, even with an empty value.
    return stripped.isNull() ? QStringView(u"") : stripped.left(bufferSize - 1);
}

} // namespace

QString IniDocument::ReadString(const QString &section, const QString &key, const QString &defaultValue,
                                int bufferSize) const
{
    const Line *line = findEntry(section, key);
    return readString(line ? line->value : QStringView(), line, defaultValue, bufferSize);
}

QString IniDocument::ReadString(SectionRef section, const QString &key, const QString &defaultValue,
                                int bufferSize) const
{
    const Line *line = findEntry(section, key);
    return readString(line ? line->value : QStringView(), line, defaultValue, bufferSize);
}

QStringView IniDocument::ReadView(const QString &section, const QString &key, int bufferSize) const
{
    const Line *line = findEntry(section, key);
    return readView(line ? line->value : QStringView(), line, bufferSize);
}

QStringView IniDocument::ReadView(SectionRef section, const QString &key, int bufferSize) const
{
    const Line *line = findEntry(section, key);
    return readView(line ? line->value : QStringView(), line, bufferSize);
}

bool IniDocument::HasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

IniDocument::Section &IniDocument::sectionForWriting(const QString &name)
{
    const int existing = sectionIndex(name);
    if (existing >= 0)
        return d->sections[size_t(existing)];
    const QStringView trimmed = trimmedView(name);
    Section &section = appendSection(trimmed.size() == name.size() ? name : trimmed.toString());
    d->lastSection = int(d->sections.size() - 1);
    return section;
}

void IniDocument::WriteString(const QString &section, const QString &key, QStringView value)
{
    writeEntry(sectionForWriting(section), key, value);
}

void IniDocument::WriteString(SectionRef section, const QString &key, QStringView value)
{
    if (section.index < 0 || size_t(section.index) >= d->sections.size())
        return;
    Section &s = d->sections[size_t(section.index)];
    if (!s.removed)
        writeEntry(s, key, value);
}

IniDocument::SectionRef IniDocument::ReplaceSection(const QString &section)
{
    DeleteSection(section);
    SectionRef ref;
    ref.index = int(&sectionForWriting(section) - d->sections.data());
    d->modified = true;
    return ref;
}

void IniDocument::writeEntry(Section &s, const QString &key, QStringView value)
{
    QString cleaned;
    if (hasLineBreak(value)) {
        cleaned = withoutLineBreaks(value);
        value = cleaned;
    }
    // Reading trims a value and strips one pair of quotes around it: a value
    // that either would change goes in quotes, so that it reads back as
    // written (the Windows profile functions read such a line the same way).
    if (value.trimmed().size() != value.size() || stripQuotes(value).size() != value.size()) {
        QString quoted;
        quoted.reserve(value.size() + 2);
        quoted += QLatin1Char('"');
        quoted += value;
        quoted += QLatin1Char('"');
        cleaned = std::move(quoted);
        value = cleaned;
    }
    const QStringView trimmedKey = trimmedView(key);
    d->modified = true;
    const int existing = findLine(s, trimmedKey);
    if (existing >= 0) {
        // The key keeps the spelling it has in the file.
        Line &line = s.lines[size_t(existing)];
        rewrite(line, line.key, value);
        return;
    }
    // A new key follows the section's last entry, ahead of trailing blank
    // lines and comments.
    size_t at = s.lines.size();
    while (at > 0 && s.lines[at - 1].kind != Line::Entry && s.lines[at - 1].kind != Line::Shadowed)
        --at;
    Line line;
    rewrite(line, trimmedKey, value);
    s.lines.insert(s.lines.begin() + qsizetype(at), line);
    s.hint = at + 1;
}

bool IniDocument::DeleteSection(const QString &section)
{
    const auto it = d->sectionIndex.constFind(NameKey {section.trimmed()});
    if (it == d->sectionIndex.constEnd())
        return false;
    for (int i = it.value(); i >= 0;) {
        Section &s = d->sections[size_t(i)];
        s.removed = true;
        s.lines = std::pmr::vector<Line>(&d->memory);
        i = s.nextOfSameName;
    }
    d->sectionIndex.erase(it);
    d->modified = true;
    return true;
}

QStringList IniDocument::SectionNames() const
{
    QStringList names;
    for (size_t i = 1; i < d->sections.size(); ++i) {
        const Section &s = d->sections[i];
        if (!s.removed && !s.duplicate)
            names.append(s.name);
    }
    return names;
}

qint64 ToLongDecimal(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Accumulated as a negative number, whose range reaches one further.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        const int digit = text[i].unicode() - '0';
        if (value < (lowest + digit) / 10) {
            value = lowest;
            break;
        }
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    return value == lowest ? std::numeric_limits<qint64>::max() : -value;
}

int ToDecimal(QStringView text)
{
    return int(std::clamp<qint64>(ToLongDecimal(text), INT_MIN, INT_MAX));
}
