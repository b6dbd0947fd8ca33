// SPDX-License-Identifier: MIT
// signgen OUTDIR
// Writes the star-sign pictures of the birthday dialog into OUTDIR, one SVG
// file per sign: sign-00.svg (Capricorn) .. sign-11.svg (Sagittarius), in the
// order of the program's sign table. Each is a round badge in the colours of
// the sign's element with the sign's symbol drawn in white strokes; being
// vector art, it stays sharp at every scale of the screen.
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Palette
{
    const char *light;
    const char *dark;
    const char *rim;
};

constexpr Palette Fire {"#ffc27a", "#d2452c", "#9c2f1c"};
constexpr Palette Earth {"#c5e08a", "#4c8a3c", "#33632a"};
constexpr Palette Air {"#a9ddff", "#3d80cf", "#2a5c9a"};
constexpr Palette Water {"#b7b2ff", "#4b3ca6", "#342984"};

struct Sign
{
    const char *name;
    Palette colours;
    // The symbol on a 100 x 100 grid: stroked paths and stroked circles
    // (cx, cy, r).
    QStringList paths;
    std::vector<std::array<int, 3>> circles;
};

// In the order of the sign table, Capricorn first.
std::array<Sign, 12> signs()
{
    return {{
        {"capricorn",
         Earth,
         {u"M19 31 C23 26 29 27 31 34 L40 72 L48 40 C51 28 61 28 62 40 L62 63 C62 75 73 79 78 70 C82 62 75 55 68 58 "
          u"C61 61 58 72 51 80"_s},
         {}},
        {"aquarius",
         Air,
         {u"M19 46 L31 36 L43 46 L55 36 L67 46 L79 36"_s, u"M21 66 L33 56 L45 66 L57 56 L69 66 L81 56"_s},
         {}},
        {"pisces", Water, {u"M31 22 C45 36 45 64 31 78"_s, u"M69 22 C55 36 55 64 69 78"_s, u"M24 50 L76 50"_s}, {}},
        {"aries",
         Fire,
         {u"M50 79 L50 45"_s, u"M50 47 C50 31 45 22 36 22 C27 22 22 29 22 36 C22 42 26 46 31 46"_s,
          u"M50 47 C50 31 55 22 64 22 C73 22 78 29 78 36 C78 42 74 46 69 46"_s},
         {}},
        {"taurus", Earth, {u"M23 23 C28 40 38 46 50 46 C62 46 72 40 77 23"_s}, {{50, 62, 16}}},
        {"gemini",
         Air,
         {u"M25 24 C42 32 58 32 75 24"_s, u"M25 76 C42 68 58 68 75 76"_s, u"M40 29 L40 71"_s, u"M60 29 L60 71"_s},
         {}},
        {"cancer", Water, {u"M32 31 C48 20 68 22 79 34"_s, u"M68 69 C52 80 32 78 21 66"_s}, {{32, 40, 9}, {68, 60, 9}}},
        {"leo",
         Fire,
         {u"M40 52 C34 40 36 24 52 22 C66 20 72 32 66 46 C60 58 58 72 68 76 C74 78 78 74 79 70"_s},
         {{32, 58, 10}}},
        {"virgo",
         Earth,
         {u"M18 32 C22 28 28 29 28 36 L28 76"_s, u"M28 40 C28 30 42 30 42 40 L42 76"_s,
          u"M42 40 C42 30 56 30 56 40 L56 64 C56 76 68 80 74 72 C80 64 76 52 68 54 C60 56 58 70 50 80"_s},
         {}},
        {"libra", Air, {u"M21 76 L79 76"_s, u"M21 62 L36 62 C30 56 29 35 50 34 C71 35 70 56 64 62 L79 62"_s}, {}},
        {"scorpio",
         Water,
         {u"M17 32 C21 28 27 29 27 36 L27 72"_s, u"M27 40 C27 30 41 30 41 40 L41 72"_s,
          u"M41 40 C41 30 55 30 55 40 L55 66 C55 73 60 76 68 73 L79 68"_s, u"M70 62 L80 68 L73 77"_s},
         {}},
        {"sagittarius", Fire, {u"M25 75 L75 25"_s, u"M51 25 L75 25 L75 49"_s, u"M33 49 L51 67"_s}, {}},
    }};
}

// Three small stars on the band between the symbol and the rim, placed a
// little differently on each badge.
QString sparkles(int index)
{
    QString out;
    for (int k = 0; k < 3; ++k) {
        const double angle = (index * 47 + k * 118 + 20) * M_PI / 180.0;
        const double x = 50 + 41 * std::cos(angle);
        const double y = 50 + 41 * std::sin(angle);
        out += u"  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"#ffffff\" fill-opacity=\"0.75\"/>\n"_s.arg(x, 0, 'f', 1)
                   .arg(y, 0, 'f', 1)
                   .arg(k == 0 ? 1.8 : 1.3);
    }
    return out;
}

QString symbol(const Sign &sign, const char *colour, const char *extra)
{
    QString out;
    for (const QString &path : sign.paths)
        out += u"    <path d=\"%1\"/>\n"_s.arg(path);
    for (const auto &c : sign.circles)
        out += u"    <circle cx=\"%1\" cy=\"%2\" r=\"%3\"/>\n"_s.arg(c[0]).arg(c[1]).arg(c[2]);
    return u"  <g fill=\"none\" stroke=\"%1\" stroke-width=\"6.5\" stroke-linecap=\"round\" "
           u"stroke-linejoin=\"round\"%2>\n%3  </g>\n"_s.arg(QLatin1String(colour), QLatin1String(extra), out);
}

QString picture(const Sign &sign, int index)
{
    const Palette &p = sign.colours;
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           u"<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" width=\"72\" height=\"72\" "
           u"viewBox=\"0 0 100 100\">\n"
           u"  <title>%1</title>\n"
           u"  <defs>\n"
           u"    <radialGradient id=\"face\" cx=\"38\" cy=\"30\" r=\"78\" gradientUnits=\"userSpaceOnUse\">\n"
           u"      <stop offset=\"0\" stop-color=\"%2\"/>\n"
           u"      <stop offset=\"1\" stop-color=\"%3\"/>\n"
           u"    </radialGradient>\n"
           u"  </defs>\n"
           u"  <circle cx=\"50\" cy=\"50\" r=\"47\" fill=\"url(#face)\" stroke=\"%4\" stroke-width=\"2.5\"/>\n"
           u"  <circle cx=\"50\" cy=\"50\" r=\"36\" fill=\"none\" stroke=\"#ffffff\" stroke-opacity=\"0.22\" "
           u"stroke-width=\"1.2\"/>\n"
           u"%5%6%7"
           u"</svg>\n"_s.arg(QLatin1String(sign.name), QLatin1String(p.light), QLatin1String(p.dark),
                             QLatin1String(p.rim), sparkles(index),
                             symbol(sign, p.rim, " stroke-opacity=\"0.45\" transform=\"translate(1.2,1.8)\""),
                             symbol(sign, "#ffffff", ""));
}

int fail(const QString &message)
{
    std::fprintf(stderr, "signgen: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return fail(u"usage: signgen OUTDIR"_s);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(u"."_s))
        return fail(u"cannot create %1"_s.arg(out.path()));
    const auto all = signs();
    for (int i = 0; i < int(all.size()); ++i) {
        const QString name = u"sign-%1.svg"_s.arg(i, 2, 10, QLatin1Char('0'));
        QFile file(out.filePath(name));
        const QByteArray bytes = picture(all[size_t(i)], i).toUtf8();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
            !file.flush())
            return fail(u"cannot write %1"_s.arg(file.fileName()));
    }
    return 0;
}
