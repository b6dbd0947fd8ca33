// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QMenu>

class MenuColumns;

// A popup menu whose commands stand in columns side by side, each column
// started by a command marked so and set off from the one before by a line.
// A long list of times or spans then stays short enough for a small screen
// and reads in groups, which a plain QMenu cannot do (it only wraps when the
// screen runs out).
//
// The commands are QActions owned by the menu. They are not in actions(),
// which holds the one widget that shows them; commands() lists them. A
// command chosen with the mouse or the keyboard closes the whole menu chain
// and triggers, as a menu item does.
class ColumnMenu final : public QMenu
{
    Q_OBJECT

public:
    explicit ColumnMenu(const QString &title, QWidget *parent = nullptr);
    ~ColumnMenu() override;

    // Appends a command to the last column, or starts a new column with it.
    QAction *addCommand(const QString &text, bool newColumn = false);
    QList<QAction *> commands() const;
    int columnCount() const;
    // The column a command stands in, -1 for none of this menu's.
    int columnOf(const QAction *command) const;
    // The command the mouse or the keyboard points at, or nullptr.
    QAction *highlightedCommand() const;

private:
    MenuColumns *m_columns;
};
