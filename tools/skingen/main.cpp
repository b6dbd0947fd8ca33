// SPDX-License-Identifier: MIT
// skingen OUTDIR [NAME...]
// Draws every skin of the catalogue and writes it as a 24-bit BMP into
// OUTDIR. The build passes the file names it expects; any difference from the
// catalogue is an error, so the build's file lists cannot drift from it.
#include "Designs.h"

#include <QDir>
#include <QSet>
#include <QString>
#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "skingen: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return fail(QStringLiteral("usage: skingen OUTDIR [NAME...]"));
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot create %1").arg(out.path()));

    QSet<QString> catalogued;
    for (const auto &face : SkinCatalog::Faces)
        catalogued.insert(QString::fromLatin1(face.fileName));
    for (const auto &strip : SkinCatalog::Strips)
        catalogued.insert(QString::fromLatin1(strip.fileName));
    if (argc > 2) {
        QSet<QString> expected;
        for (int i = 2; i < argc; ++i)
            expected.insert(QString::fromLocal8Bit(argv[i]));
        if (expected != catalogued)
            return fail(QStringLiteral("the build's skin list differs from the catalogue"));
    }

    QString error;
    for (const auto &entry : SkinCatalog::Faces) {
        const QString name = QString::fromLatin1(entry.fileName);
        const SkinArt::FaceDesign design = Designs::face(entry);
        if (!design.paint)
            return fail(QStringLiteral("no design for %1").arg(name));
        const QImage image = SkinArt::renderFace(design, &error);
        if (image.isNull())
            return fail(QStringLiteral("%1: %2").arg(name, error));
        if (!SkinArt::writeBmp24(image, out.filePath(name), &error))
            return fail(error);
    }
    for (const auto &entry : SkinCatalog::Strips) {
        const QString name = QString::fromLatin1(entry.fileName);
        const SkinArt::StripDesign design = Designs::strip(entry);
        if (!design.paintDigit || !design.paintColon)
            return fail(QStringLiteral("no design for %1").arg(name));
        if (!SkinArt::writeBmp24(SkinArt::renderStrip(design), out.filePath(name), &error))
            return fail(error);
    }
    return 0;
}
