// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>

class QComboBox;

// What the settings dialog's pages look like, and the small helpers their
// lists share.
namespace SettingsLook {

struct Page
{
    QString icon; // SVG resource
    QString title;
    QColor tint;
};

Page General();
Page Speak();
Page Sync();
Page Interface();

// The list's chosen position, or `kept` while nothing is chosen.
int ChosenIndex(const QComboBox *list, int kept);

} // namespace SettingsLook
