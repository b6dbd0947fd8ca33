// SPDX-License-Identifier: MIT
#include "editor/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

namespace {

// "*.*" is the Windows spelling of "every file". Matched literally here it
// would hide every name without a dot, programs among them, so the dialog
// keeps showing the filter's text but lists every file.
void listEveryFile(QFileDialog &dialog)
{
    if (auto *model = dialog.findChild<QFileSystemModel *>())
        model->setNameFilters({});
}

} // namespace

QString ChooseExistingFile(QWidget *parent, const QString &filter)
{
    QFileDialog dialog(parent, QString(), QDir::currentPath(), filter);
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    // Qt's own dialog on every desktop, so that the filter behaves alike.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (filter.endsWith(QStringLiteral("(*.*)")))
        listEveryFile(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
