// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class DateTime;

// Copies of the data files, kept so that a file the program rewrites can
// still be had as it was. Each copy holds the file's bytes exactly; names
// carry the date (and time) so that they sort in the order they were made.

// Copies the file at path to "<path>.damaged-YYYYMMDD-HHMMSS" beside it,
// dated `now` (a "-2", "-3"... follows when that name is taken). Returns the
// copy's path, or an empty string when no copy could be made.
QString CopyDamagedFileAside(const QString &path, const DateTime &now);

// The daily backup: unless today's copy is there, copies fileName of the
// program directory to "backup/<fileName>.YYYYMMDD" and then removes all but
// the newest `keep` of these copies of that file. Nothing else in backup/ is
// touched. A missing file needs no backup. False when a copy was due and
// could not be made.
bool KeepDailyBackup(const QString &programDirectory, const QString &fileName, const DateTime &now, int keep = 7);

inline const QString BackupFolderName = QStringLiteral("backup");
