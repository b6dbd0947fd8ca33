// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The reminder categories (AlarmTask::Category): the names the category list
// shows, in list order, and the icon of each. Also the other icons that more
// than one window shows, so no window spells a resource path itself.
//
// Icon paths are Qt resource paths; the SVG files are compiled into the widget
// library. This table only hands out the strings.
class CategoryTable
{
public:
    static constexpr int Count = 33;
    // The last category, "其它"; its icon is the note icon.
    static constexpr int Other = 32;

    struct Row
    {
        int index;
        QString name;
        QString iconPath;
    };

    // The 33 rows; row n has index n.
    static const QList<Row> &rows();
    static bool contains(int category) { return category >= 0 && category < Count; }
    // Display name of a category; empty outside 0..32.
    static QString name(int category);
    // Icon of a category; empty outside 0..32.
    static QString iconPath(int category);
    // The names in list order.
    static QStringList names();

    // The task manager's 16 x 16 image list: image n is the icon of category n,
    // then the birthday icon. Note rows use image NoteImage, which is the icon
    // of category "其它".
    static constexpr int NoteImage = Other;
    static constexpr int BirthdayImage = Count;
    static QStringList imageListPaths();

    // The program icon (window and tray icon) and the second frame of the tray
    // icon's ringing animation.
    static QString programIconPath();
    static QString ringingIconPath();
    static QString birthdayIconPath();
    static QString noteIconPath();

    // The three tabs of the task manager.
    static QString alarmTabIconPath();
    static QString birthdayTabIconPath();
    static QString noteTabIconPath();
};
