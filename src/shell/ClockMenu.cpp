// SPDX-License-Identifier: MIT
#include "shell/ClockMenu.h"

#include "shell/MenuIds.h"
#include "shell/MenuPresets.h"

#include <QActionGroup>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

QString twoDigitHour(int hour)
{
    return u"%1:00"_s.arg(hour, 2, 10, QLatin1Char('0'));
}

} // namespace

ClockMenu::ClockMenu(QObject *parent)
    : QObject(parent)
    , m_menu(new QMenu)
{
    m_menu->setObjectName(u"clockMenu"_s);
    buildTopLevel();
}

ClockMenu::~ClockMenu()
{
    delete m_menu;
}

QAction *ClockMenu::addCommand(QMenu *menu, int id, const QString &text, bool enabled)
{
    QAction *action = menu->addAction(text);
    action->setData(id);
    action->setEnabled(enabled);
    m_actions.insert(id, action);
    connect(action, &QAction::triggered, this, [this, action] { Q_EMIT CommandChosen(action->data().toInt()); });
    return action;
}

void ClockMenu::buildTopLevel()
{
    QAction *showHide = addCommand(m_menu, MenuId::HideWindow, tr("隐藏窗口(&H)"));
    m_menu->setDefaultAction(showHide);
    m_menu->addSeparator();
    addCommand(m_menu, MenuId::Settings, tr("设置(&S)..."));
    m_menu->addSeparator();
    m_menu->addMenu(buildNewSubmenu());
    addCommand(m_menu, MenuId::TaskList, tr("提醒任务列表(R)..."));
    m_menu->addSeparator();
    m_menu->addMenu(buildSkinSubmenu());
    m_menu->addSeparator();
    m_menu->addMenu(buildQuickSubmenu());
    addCommand(m_menu, MenuId::SpeakTime, tr("语音报时(&P)"));
    m_menu->addSeparator();
    m_countdownMenu = m_menu->addMenu(tr("显示倒计时(&D)"));
    m_countdownMenu->setObjectName(u"countdownMenu"_s);
    fillCountdownIdle();
    addCommand(m_menu, MenuId::ShowCalendar, tr("显示日历(&C)"));
    m_menu->addMenu(buildSyncSubmenu());
    m_menu->addSeparator();
    for (const auto &[id, text] : {std::pair {MenuId::AlwaysOnTop, tr("始终最顶端(&O)")},
                                   std::pair {MenuId::RunAtStartup, tr("开机自动运行(&A)")},
                                   std::pair {MenuId::StartMinimised, tr("最小化启动(&M)")}})
        addCommand(m_menu, id, text)->setCheckable(true);
    m_menu->addSeparator();
    m_menu->addMenu(buildHelpSubmenu());
    m_menu->addSeparator();
    addCommand(m_menu, MenuId::Exit, tr("退出(&X)..."));
}

QMenu *ClockMenu::buildNewSubmenu()
{
    auto *menu = new QMenu(tr("新添提醒(&N)..."), m_menu);
    addCommand(menu, MenuId::NewAlarm, tr("闹铃(&A)..."));
    addCommand(menu, MenuId::NewBirthday, tr("生日(&B)..."));
    addCommand(menu, MenuId::NewNote, tr("便签(&N)..."));
    return menu;
}

QMenu *ClockMenu::buildSkinSubmenu()
{
    auto *menu = new QMenu(tr("皮肤设置(&K)"), m_menu);
    m_faceMenu = menu->addMenu(tr("替换图片(&G)"));
    m_faceMenu->setObjectName(u"faceMenu"_s);
    m_faceGroup = new QActionGroup(this);
    m_faceGroup->addAction(addCommand(m_faceMenu, MenuId::DefaultFace, u"DEFULT.BMP"_s))->setCheckable(true);
    menu->addSeparator();
    m_digitMenu = menu->addMenu(tr("替换字体(&F)"));
    m_digitMenu->setObjectName(u"digitMenu"_s);
    m_digitGroup = new QActionGroup(this);
    m_digitGroup->addAction(addCommand(m_digitMenu, MenuId::DefaultDigits, u"BLACKGREEN.BMP"_s))->setCheckable(true);
    menu->addSeparator();
    addCommand(menu, MenuId::SkinOptions, tr("选项(&O)..."));
    return menu;
}

QMenu *ClockMenu::buildQuickSubmenu()
{
    auto *menu = new QMenu(tr("快捷提醒(&Q)..."), m_menu);
    QMenu *afterMinutes = menu->addMenu(tr("在...之后"));
    for (const MenuPreset &preset : QuickMinutePresets())
        addCommand(afterMinutes, preset.id, QString::fromUtf16(preset.label));
    QMenu *atHour = menu->addMenu(tr("在...时候"));
    for (int hour = 0; hour < 24; ++hour)
        addCommand(atHour, MenuId::QuickHourFirst + hour, twoDigitHour(hour));
    menu->addSeparator();
    QMenu *afterDays = menu->addMenu(tr("在...之后"));
    for (const MenuPreset &preset : QuickDayPresets())
        addCommand(afterDays, preset.id, QString::fromUtf16(preset.label));
    QMenu *next = menu->addMenu(tr("下一个"));
    const QStringList weekdays {tr("星期一"), tr("星期二"), tr("星期三"), tr("星期四"),
                                tr("星期五"), tr("星期六"), tr("星期天")};
    for (int i = 0; i < 7; ++i)
        addCommand(next, MenuId::QuickWeekdayFirst + i, weekdays[i]);
    menu->addSeparator();
    addCommand(menu, MenuId::QuickCustom, tr("自定义(&C)..."));
    return menu;
}

QMenu *ClockMenu::buildSyncSubmenu()
{
    auto *menu = new QMenu(tr("同步日期/时间(&Y)"), m_menu);
    addCommand(menu, MenuId::SyncTimeServer, tr("通过原子钟(&I)..."));
    addCommand(menu, MenuId::SyncControlPanel, tr("通过控制面板(&C)..."));
    menu->addSeparator();
    addCommand(menu, MenuId::SyncOptions, tr("选项(&O)..."));
    return menu;
}

QMenu *ClockMenu::buildHelpSubmenu()
{
    auto *menu = new QMenu(tr("帮助(&H)"), m_menu);
    addCommand(menu, MenuId::HelpFile, tr("帮助文件"));
    menu->addSeparator();
    addCommand(menu, MenuId::HomePage, tr("Tockly主页"));
    addCommand(menu, MenuId::Support, tr("用户支持"));
    menu->addSeparator();
    addCommand(menu, MenuId::About, tr("关于(&A)..."));
    return menu;
}

void ClockMenu::forget(QMenu *menu)
{
    for (QAction *action : menu->actions()) {
        if (action->menu())
            forget(action->menu());
        else if (!action->isSeparator())
            m_actions.remove(action->data().toInt());
    }
}

void ClockMenu::fillCountdownIdle()
{
    QMenu *until = m_countdownMenu->addMenu(tr("直到...为止"));
    for (int hour = 0; hour < 24; ++hour)
        addCommand(until, MenuId::CountdownUntilFirst + hour, twoDigitHour(hour));
    QMenu *span = m_countdownMenu->addMenu(tr("到...之后"));
    for (const MenuPreset &preset : CountdownSpanPresets())
        addCommand(span, preset.id, QString::fromUtf16(preset.label));
    m_countdownMenu->addSeparator();
    addCommand(m_countdownMenu, MenuId::CountdownCustom, tr("自定义(&C)..."));
}

void ClockMenu::fillCountdownRunning()
{
    addCommand(m_countdownMenu, MenuId::CountdownStop, tr("停止倒计时(&S)"));
    m_countdownMenu->addSeparator();
    addCommand(m_countdownMenu, MenuId::CountdownCustom, tr("自定义(&C)..."));
}

void ClockMenu::SetCountdownRunning(bool running)
{
    m_countdownRunning = running;
    forget(m_countdownMenu);
    // Submenus are children of the menu they hang in; clear() leaves them.
    for (QAction *action : m_countdownMenu->actions()) {
        if (action->menu())
            action->menu()->deleteLater();
    }
    m_countdownMenu->clear();
    if (running)
        fillCountdownRunning();
    else
        fillCountdownIdle();
    // The check mark shows only while a countdown runs (an unchecked box
    // would otherwise sit beside the idle submenu).
    m_countdownMenu->menuAction()->setCheckable(running);
    m_countdownMenu->menuAction()->setChecked(running);
}

void ClockMenu::ShowWindowVisible(bool visible)
{
    QAction *item = m_actions.value(MenuId::HideWindow, m_actions.value(MenuId::ShowWindow));
    m_actions.remove(MenuId::HideWindow);
    m_actions.remove(MenuId::ShowWindow);
    const int id = visible ? MenuId::HideWindow : MenuId::ShowWindow;
    item->setText(visible ? tr("隐藏窗口(&H)") : tr("显示窗口(&S)"));
    item->setData(id);
    m_actions.insert(id, item);
}

void ClockMenu::SetEnabled(int id, bool enabled)
{
    if (QAction *action = Action(id))
        action->setEnabled(enabled);
}

void ClockMenu::SetChecked(int id, bool checked)
{
    if (QAction *action = Action(id))
        action->setChecked(checked);
}

bool ClockMenu::IsChecked(int id) const
{
    const QAction *action = Action(id);
    return action && action->isChecked();
}

int ClockMenu::AddSkinItem(SkinKind kind, const QString &text)
{
    const bool digits = kind == SkinKind::Number;
    const int id = MenuId::FirstSkinItem + m_skinItemCount++;
    // Skin items have identifiers of their own (1, 2, ...) that a long
    // Skin folder could share with other commands, so they report apart.
    QAction *action = (digits ? m_digitMenu : m_faceMenu)->addAction(text);
    action->setData(id);
    action->setCheckable(true);
    m_skinActions.insert(id, action);
    connect(action, &QAction::triggered, this, [this, id] { Q_EMIT SkinItemChosen(id); });
    (digits ? m_digitGroup : m_faceGroup)->addAction(action);
    return id;
}

QList<QAction *> ClockMenu::SkinItems(SkinKind kind) const
{
    return (kind == SkinKind::Number ? m_digitMenu : m_faceMenu)->actions();
}

void ClockMenu::CheckSkinItem(int id)
{
    QAction *action = id == MenuId::DefaultFace || id == MenuId::DefaultDigits ? Action(id) : m_skinActions.value(id);
    if (action)
        action->setChecked(true); // the exclusive group unchecks the others
}
