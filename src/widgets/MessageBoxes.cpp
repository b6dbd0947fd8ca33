// SPDX-License-Identifier: MIT
#include "widgets/MessageBoxes.h"

namespace MessageBoxes {

namespace {

Answerer &answerer()
{
    static Answerer instance;
    return instance;
}

} // namespace

QMessageBox::StandardButton Show(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    const QString title = QStringLiteral("Tockly");
    if (answerer())
        return answerer()({icon, title, text, buttons});
    QMessageBox box(icon, title, text, buttons, parent);
    // Texts quote user data (descriptions, names): never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

bool ConfirmWarning(QWidget *parent, const QString &text)
{
    return Show(parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
        QMessageBox::Yes;
}

void Information(QWidget *parent, const QString &text)
{
    Show(parent, QMessageBox::Information, text);
}

void Warning(QWidget *parent, const QString &text)
{
    Show(parent, QMessageBox::Warning, text);
}

void SetAnswerer(Answerer a)
{
    answerer() = std::move(a);
}

} // namespace MessageBoxes
