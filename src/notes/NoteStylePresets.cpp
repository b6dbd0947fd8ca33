// SPDX-License-Identifier: MIT
#include "notes/NoteStylePresets.h"

#include "model/IniDocument.h"
#include "model/ProfileFile.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

// The keys in the order they are written, with the defaults a missing key
// reads as.
const QString BorderColorKey = u"BorderColor"_s;
const QString BackColor1Key = u"BackColor1"_s;
const QString BackColor2Key = u"BackColor2"_s;
const QString TextColorKey = u"TextColor"_s;
const QString FaceNameKey = u"FaceName"_s;
const QString FontHeightKey = u"FontHeight"_s;
const QString ItalicKey = u"Italic"_s;
const QString UnderlineKey = u"Underline"_s;
const QString WeightKey = u"Weight"_s;
const QString AlignKey = u"Align"_s;
const QString AlphaKey = u"Alpha"_s;
const QString GradKey = u"Grad"_s;

} // namespace

NoteStylePresets::NoteStylePresets(QString path)
    : m_path(std::move(path))
{ }

QString NoteStylePresets::StandardName()
{
    return QCoreApplication::translate("NoteStyleDialog", "标准样式");
}

NoteStyle NoteStylePresets::DefaultStyle()
{
    return NoteStyle {};
}

QStringList NoteStylePresets::Names() const
{
    QStringList names {StandardName()};
    for (const QString &name : SectionNames()) {
        // A saved standard look is read under the standard entry.
        if (!IniNames::SameName(name, StandardName()))
            names.append(name);
    }
    return names;
}

QStringList NoteStylePresets::SectionNames() const
{
    QStringList names;
    ProfileFile(m_path).GetSectionNames(names);
    names.removeAll(QString());
    return names;
}

NoteStyle NoteStylePresets::Read(const QString &name) const
{
    const ProfileFile file(m_path);
    const NoteStyle defaults = DefaultStyle();
    const auto number = [&](const QString &key, qint64 fallback) {
        return file.ReadDecimal(name, key, QString::number(fallback));
    };
    NoteStyle style;
    style.BorderColor = Color(number(BorderColorKey, defaults.BorderColor));
    style.BackColor1 = Color(number(BackColor1Key, defaults.BackColor1));
    style.BackColor2 = Color(number(BackColor2Key, defaults.BackColor2));
    style.TextColor = Color(number(TextColorKey, defaults.TextColor));
    style.Font.FaceName = file.ReadString(name, FaceNameKey, defaults.Font.FaceName).left(NoteFont::FaceNameMax);
    style.Font.FontHeight = number(FontHeightKey, defaults.Font.FontHeight);
    style.Font.Italic = quint8(number(ItalicKey, defaults.Font.Italic));
    style.Font.Underline = quint8(number(UnderlineKey, defaults.Font.Underline));
    style.Font.Weight = number(WeightKey, defaults.Font.Weight);
    style.Align = number(AlignKey, defaults.Align);
    style.Alpha = number(AlphaKey, defaults.Alpha);
    style.Grad = number(GradKey, defaults.Grad);
    return style;
}

WriteResult NoteStylePresets::Write(const QString &name, const NoteStyle &style)
{
    ProfileFile file(m_path);
    file.WriteValue(name, BorderColorKey, qint32(style.BorderColor));
    file.WriteValue(name, BackColor1Key, qint32(style.BackColor1));
    file.WriteValue(name, BackColor2Key, qint32(style.BackColor2));
    file.WriteValue(name, TextColorKey, qint32(style.TextColor));
    file.WriteValue(name, FaceNameKey, style.Font.FaceName);
    file.WriteValue(name, FontHeightKey, style.Font.FontHeight);
    file.WriteValue(name, ItalicKey, style.Font.Italic);
    file.WriteValue(name, UnderlineKey, style.Font.Underline);
    file.WriteValue(name, WeightKey, style.Font.Weight);
    file.WriteValue(name, AlignKey, style.Align);
    file.WriteValue(name, AlphaKey, style.Alpha);
    file.WriteValue(name, GradKey, style.Grad);
    return file.Save();
}

WriteResult NoteStylePresets::Remove(const QString &name)
{
    ProfileFile file(m_path);
    file.DeleteSection(name);
    return file.Save();
}

QString NoteStylePresets::CleanName(const QString &typed)
{
    // A line break would end the section header early.
    QString name = typed;
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return name.trimmed();
}

NoteStylePresets::NameProblem NoteStylePresets::CheckName(const QString &name)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    if (name.size() > MaxNameLength)
        return NameProblem::TooLong;
    return NameProblem::None;
}

bool NoteStylePresets::IsDeletable(const QString &name)
{
    return !name.isEmpty() && !IniNames::SameName(name, StandardName());
}
