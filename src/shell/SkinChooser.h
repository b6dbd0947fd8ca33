// SPDX-License-Identifier: MIT
#pragma once

#include "shell/SkinImage.h"

#include <QHash>
#include <QImage>
#include <QString>

class AppData;
class ClockMenu;

// The clock's two skin bitmaps, the face and the digit strip: which file
// each comes from, the skin submenus that list the Skin folder, and the
// choice at start (stored or random) and from the menu.
class SkinChooser
{
public:
    SkinChooser(AppData &data, ClockMenu &menu);

    // Lists the Skin folder in the skin submenus; false when a bitmap there
    // cannot be read.
    bool FillSkinMenus();
    // Loads the face and digits to start with, at random when the settings
    // ask for it (random is any non-negative number); false when either
    // cannot be loaded.
    bool ChooseStartSkins(quint32 random);

    enum class Change
    {
        None,
        Face,
        Digits
    };
    // Carries out the built-in skin commands and the skin file items; says
    // which bitmap changed.
    Change HandleCommand(int id);
    Change HandleSkinItem(int id);
    // Takes the bitmap of that kind from a file (or a built-in name),
    // checking the menu item of the same name; None, and nothing changes,
    // when it cannot be loaded or is of another kind.
    Change UseFile(SkinKind kind, const QString &path);

    const QImage &Face() const { return m_face; }
    const QImage &Digits() const { return m_digits; }

    // A random pick among n menu items: low + random mod (high - low) with
    // low = 2, high = n - 1 for faces and low = 0, high = n - 1 for digits,
    // so the last item (and, for faces, the first skin file) is never
    // chosen. -1 when the menu holds too few items to choose from.
    static int RandomPosition(SkinKind kind, int itemCount, quint32 random);

private:
    bool chooseStart(SkinKind kind, bool random, quint32 value);
    bool load(SkinKind kind, const QString &path);
    QString &currentPath(SkinKind kind);
    QString pathOfItem(int id) const;

    AppData &m_data;
    ClockMenu &m_menu;
    QHash<int, QString> m_itemFiles; // skin item id -> file name on disk
    QImage m_face;
    QImage m_digits;
};
