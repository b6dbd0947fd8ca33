// SPDX-License-Identifier: MIT
#include "model/AtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString &path, const QByteArray &data, const std::function<void()> &beforeRename)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    if (beforeRename)
        beforeRename();
    return file.commit();
}
