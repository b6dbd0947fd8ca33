// SPDX-License-Identifier: MIT
#include "shell/SkinChooser.h"

#include "model/AppData.h"
#include "shell/ClockMenu.h"
#include "shell/MenuIds.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {

QString builtInName(SkinKind kind)
{
    return kind == SkinKind::Number ? BuiltInNumberBitmap : BuiltInDialogBitmap;
}

int builtInItem(SkinKind kind)
{
    return kind == SkinKind::Number ? MenuId::DefaultDigits : MenuId::DefaultFace;
}

} // namespace

SkinChooser::SkinChooser(AppData &data, ClockMenu &menu)
    : m_data(data)
    , m_menu(menu)
{ }

int SkinChooser::RandomPosition(SkinKind kind, int itemCount, quint32 random)
{
    const int low = kind == SkinKind::Number ? 0 : 2;
    const int high = itemCount - 1;
    if (high - low < 1)
        return -1;
    return low + int(random % quint32(high - low));
}

bool SkinChooser::FillSkinMenus()
{
    const SkinFolderScan scan = scanSkinFolder(m_data.SkinDirectory());
    for (const SkinFileItem &item : scan.items)
        m_itemFiles.insert(m_menu.AddSkinItem(item.kind, item.menuText), item.fileName);
    return scan.ok;
}

QString &SkinChooser::currentPath(SkinKind kind)
{
    return kind == SkinKind::Number ? m_data.Settings.Clock.NumberBitmap : m_data.Settings.Clock.DialogBitmap;
}

QString SkinChooser::pathOfItem(int id) const
{
    return QDir(m_data.SkinDirectory()).filePath(m_itemFiles.value(id));
}

bool SkinChooser::load(SkinKind kind, const QString &path)
{
    QImage image = LoadSkinBitmap(path);
    if (image.isNull())
        return false;
    (kind == SkinKind::Number ? m_digits : m_face) = std::move(image);
    return true;
}

bool SkinChooser::ChooseStartSkins(quint32 random)
{
    const InterfaceSettings &ui = m_data.Settings.Interface;
    return chooseStart(SkinKind::Dialog, ui.RandomSkin, random) && chooseStart(SkinKind::Number, ui.RandomTime, random);
}

bool SkinChooser::chooseStart(SkinKind kind, bool random, quint32 value)
{
    const QList<QAction *> items = m_menu.SkinItems(kind);
    const int position = random ? RandomPosition(kind, int(items.size()), value) : -1;
    QString &path = currentPath(kind);
    if (position >= 0) {
        QAction *item = items[position];
        const int id = item->data().toInt();
        const bool builtIn = id == builtInItem(kind) || item->text().isEmpty();
        path = builtIn ? builtInName(kind) : pathOfItem(id);
        m_menu.CheckSkinItem(builtIn ? builtInItem(kind) : id);
    } else {
        // The stored choice; with too few skins to pick from, it stays too.
        QString name = QFileInfo(path).fileName().toUpper();
        if (name.isEmpty())
            name = builtInName(kind);
        for (QAction *item : items) {
            item->setChecked(false);
        }
        for (QAction *item : items) {
            if (item->text().compare(name, Qt::CaseInsensitive) == 0) {
                item->setChecked(true);
                break;
            }
        }
    }
    return load(kind, path);
}

SkinChooser::Change SkinChooser::HandleCommand(int id)
{
    if (id == MenuId::DefaultFace || id == MenuId::DefaultDigits) {
        const SkinKind kind = id == MenuId::DefaultFace ? SkinKind::Dialog : SkinKind::Number;
        const QString path = QDir(m_data.SkinDirectory()).filePath(builtInName(kind));
        if (!load(kind, path))
            return Change::None;
        currentPath(kind) = path;
        m_menu.CheckSkinItem(id);
        return kind == SkinKind::Dialog ? Change::Face : Change::Digits;
    }
    return Change::None;
}

SkinChooser::Change SkinChooser::HandleSkinItem(int id)
{
    if (!m_itemFiles.contains(id))
        return Change::None;
    const QString path = pathOfItem(id);
    const QImage image = LoadSkinBitmap(path);
    if (image.isNull())
        return Change::None;
    const SkinKind kind = ClassifySkin(image.width(), image.height());
    if (kind == SkinKind::NotASkin)
        return Change::None;
    (kind == SkinKind::Number ? m_digits : m_face) = image;
    currentPath(kind) = path;
    m_menu.CheckSkinItem(id);
    return kind == SkinKind::Dialog ? Change::Face : Change::Digits;
}

SkinChooser::Change SkinChooser::UseFile(SkinKind kind, const QString &path)
{
    QImage image = LoadSkinBitmap(path);
    if (image.isNull() || ClassifySkin(image.width(), image.height()) != kind)
        return Change::None;
    (kind == SkinKind::Number ? m_digits : m_face) = std::move(image);
    currentPath(kind) = path;
    const QString name = QFileInfo(path).fileName();
    if (name.compare(builtInName(kind), Qt::CaseInsensitive) == 0) {
        m_menu.CheckSkinItem(builtInItem(kind));
    } else {
        // A file of another folder leaves the menu without a check mark
        // unless the Skin folder has one of the same name.
        for (QAction *item : m_menu.SkinItems(kind))
            item->setChecked(item->text().compare(name, Qt::CaseInsensitive) == 0);
    }
    return kind == SkinKind::Dialog ? Change::Face : Change::Digits;
}
