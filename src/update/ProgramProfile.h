// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The program's own small profile, kept apart from the data folder: an INI
// file in the user's configuration folder (~/.config/tockly/clock.ini)
// that holds, in section "Tockly", whether the update offer at start-up
// was switched off (`update`, 1 = do not offer again).
class ProgramProfile
{
public:
    // path: the profile file; empty for the user's own.
    explicit ProgramProfile(QString path = {});

    static QString DefaultPath();
    const QString &Path() const { return m_path; }

    // The stored `update` value, 0 when there is none.
    int UpdateOfferSwitchedOff() const;
    // Stores the value at once; false when the file could not be written.
    bool SetUpdateOfferSwitchedOff(int value);

private:
    QString m_path;
};
