// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

// One page of the settings dialog. It shows the values it was given when
// made; Save takes what the page shows into the settings and into the
// running program. Changed tells the dialog that the user changed
// something, which is what enables Apply.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void Save() = 0;
    // Cancel: undoes what the page showed live before it was applied.
    virtual void Revert() { }

Q_SIGNALS:
    void Changed();
};
