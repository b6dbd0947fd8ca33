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
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                 const QString &title)
{
    const QString caption = title.isEmpty() ? QStringLiteral("Tockly") : title;
    if (answerer())
        return answerer()({icon, caption, text, buttons});
    QMessageBox box(icon, caption, text, buttons, parent);
    // Texts quote user data (descriptions, names): never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

bool ConfirmWarning(QWidget *parent, const QString &text, const QString &title)
{
    return Show(parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, title) ==
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
