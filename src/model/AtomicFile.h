// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The outcome of a file write: ok, or the reason it failed in words the
// system gives (for example "No space left on device").
struct WriteResult
{
    bool ok = true;
    QString error;

    explicit operator bool() const { return ok; }
};

// Replaces the file at path with data in one step: the data goes to a
// temporary file in the same directory, every write and the flush to disk are
// checked, and only then is it renamed over the old file. A crash, power cut
// or full disk leaves the old file or the new one, never a mixture or an
// empty file; on failure the temporary file is removed and the old file is
// left untouched. A symbolic link is followed and its target replaced.
// beforeRename lets tests interrupt a save midway.
WriteResult WriteFileAtomically(const QString &path, const QByteArray &data,
                                const std::function<void()> &beforeRename = {});

// The temporary files a killed save leaves behind ("alarms.lst.Ab12Cd") are
// removed from folder; only names of that form next to the given data files
// are touched. Returns how many were removed.
int RemoveStaleTemporaryFiles(const QString &folder, const QStringList &dataFileNames);
