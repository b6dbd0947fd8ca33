// SPDX-License-Identifier: MIT
#pragma once

#include "shell/SkinImage.h"

#include <QHash>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;

// The clock's one menu, shown from the tray icon and the clock window: every
// item with its command identifier, the relabelled show/hide item, the
// countdown submenu with its idle and running forms, and the skin submenus.
// It only tells which command was chosen; the clock window carries it out.
class ClockMenu : public QObject
{
    Q_OBJECT

public:
    explicit ClockMenu(QObject *parent = nullptr);
    ~ClockMenu() override;

    QMenu *Menu() const { return m_menu; }
    // The action of a command identifier, or nullptr.
    QAction *Action(int id) const { return m_actions.value(id); }

    void SetEnabled(int id, bool enabled);
    void SetChecked(int id, bool checked);
    bool IsChecked(int id) const;

    // The first item reads "隐藏窗口(&H)" (32771) while the clock shows and
    // "显示窗口(&S)" (32789) while it is hidden.
    void ShowWindowVisible(bool visible);
    // The countdown submenu offers the presets while idle and "停止倒计时"
    // while a countdown runs.
    void SetCountdownRunning(bool running);
    bool CountdownRunning() const { return m_countdownRunning; }

    // Skin file items: appended to the face or digit submenu with the next
    // identifier (1, 2, ...); returns that identifier.
    int AddSkinItem(SkinKind kind, const QString &text);
    int SkinItemCount() const { return m_skinItemCount; }
    // The items of a skin submenu, the built-in one first.
    QList<QAction *> SkinItems(SkinKind kind) const;
    // Checks one item of its submenu (a skin file item, or the built-in
    // DefaultFace / DefaultDigits command), unchecking the others.
    void CheckSkinItem(int id);

Q_SIGNALS:
    void CommandChosen(int id);
    // A skin file item (identifier 1..SkinItemCount) was chosen.
    void SkinItemChosen(int id);

private:
    QAction *addCommand(QMenu *menu, int id, const QString &text, bool enabled = true);
    void buildTopLevel();
    QMenu *buildNewSubmenu();
    QMenu *buildSkinSubmenu();
    QMenu *buildQuickSubmenu();
    QMenu *buildSyncSubmenu();
    QMenu *buildHelpSubmenu();
    void fillCountdownIdle();
    void fillCountdownRunning();
    void forget(QMenu *menu);

    QMenu *m_menu;
    QMenu *m_faceMenu = nullptr;
    QMenu *m_digitMenu = nullptr;
    QMenu *m_countdownMenu = nullptr;
    QActionGroup *m_faceGroup = nullptr;
    QActionGroup *m_digitGroup = nullptr;
    QHash<int, QAction *> m_actions;
    QHash<int, QAction *> m_skinActions;
    int m_skinItemCount = 0;
    bool m_countdownRunning = false;
};
