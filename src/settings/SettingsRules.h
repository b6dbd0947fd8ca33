// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The settings pages' rules that need no window.

// The opacity slider's value (0..255, 255 opaque) as the percentage its
// group shows: value x 100 / 255, shown as 10 when lower.
int OpacityPercent(int transparence);
// "透明度: 40%"
QString OpacityTitle(int transparence);
// "音量: 40%"
QString VolumeText(int volume);

// The time servers the synchronisation page offers: the non-empty lines of
// the server list file, sorted alphabetically (case ignored). A missing
// file offers none. `Server` is a position in this list.
QStringList SortedServerNames(const QString &serverListPath);
