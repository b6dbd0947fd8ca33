// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Replaces the file at path with data in one step: the data goes to a
// temporary file in the same directory, is flushed to disk, and is renamed
// over the old file. A crash or power cut leaves the old file or the new
// one, never a mixture. beforeRename lets tests interrupt a save midway.
bool WriteFileAtomically(const QString &path, const QByteArray &data, const std::function<void()> &beforeRename = {});
