// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// The open-file dialog the Browse buttons share: it starts in the current
// directory, offers `filter` ("声音文件(*.wav)", "所有文件(*.*)"), and takes
// only a file that exists. Empty when the user cancels.
QString ChooseExistingFile(QWidget *parent, const QString &filter);
