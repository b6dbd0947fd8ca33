// SPDX-License-Identifier: MIT
#include "widgets/Fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

void InstallFontSubstitutions()
{
    // Serif (Song/Ming) faces, sans (Hei) faces and the Windows UI faces,
    // each with installed faces of the same kind, best first.
    const QStringList serif {u"Noto Serif CJK SC"_s, u"AR PL UMing CN"_s, u"Noto Sans CJK SC"_s,
                             u"WenQuanYi Zen Hei"_s};
    const QStringList sans {u"Noto Sans CJK SC"_s, u"WenQuanYi Zen Hei"_s, u"AR PL UMing CN"_s};
    const QStringList kai {u"AR PL UKai CN"_s, u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s};
    for (const QString &face : {u"宋体"_s, u"新宋体"_s, u"SimSun"_s, u"NSimSun"_s, u"仿宋"_s, u"仿宋_GB2312"_s,
                                u"FangSong"_s, u"细明体"_s, u"MingLiU"_s, u"PMingLiU"_s, u"新细明体"_s})
        QFont::insertSubstitutions(face, serif);
    for (const QString &face : {u"黑体"_s, u"SimHei"_s, u"微软雅黑"_s, u"Microsoft YaHei"_s, u"幼圆"_s, u"YouYuan"_s,
                                u"MS Sans Serif"_s, u"MS Shell Dlg"_s, u"MS Shell Dlg 2"_s, u"Tahoma"_s})
        QFont::insertSubstitutions(face, sans);
    for (const QString &face : {u"楷体"_s, u"楷体_GB2312"_s, u"KaiTi"_s, u"标楷体"_s})
        QFont::insertSubstitutions(face, kai);
}

void UseChineseInterfaceFont()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : {u"Noto Sans CJK SC"_s, u"WenQuanYi Zen Hei"_s}) {
        if (installed.contains(family)) {
            QFont font = QApplication::font();
            font.setFamilies({family});
            QApplication::setFont(font);
            return;
        }
    }
}
