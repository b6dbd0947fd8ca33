// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Every modal message box of the program goes through here, so that tests
// can answer them instead of a user.
namespace MessageBoxes {

struct Request
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

using Answerer = std::function<QMessageBox::StandardButton(const Request &)>;

// Shows a modal box and returns the button pressed (or the answerer's choice).
// Boxes are titled with the program's name unless a title is given.
QMessageBox::StandardButton Show(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                 const QString &title = {});

// A Yes/No question with the warning icon; true only on Yes.
bool ConfirmWarning(QWidget *parent, const QString &text, const QString &title = {});
void Information(QWidget *parent, const QString &text);
void Warning(QWidget *parent, const QString &text);

// Replaces the real boxes; an empty answerer restores them.
void SetAnswerer(Answerer answerer);

} // namespace MessageBoxes
