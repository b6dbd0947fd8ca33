// SPDX-License-Identifier: MIT
#include "firing/ReminderPopup.h"

#include "firing/Snooze.h"
#include "model/AppData.h"
#include "model/CategoryTable.h"
#include "ui_ReminderPopup.h"
#include "widgets/MessageBoxes.h"
#include "widgets/MessageFormat.h"
#include "widgets/WindowLook.h"

#include <QMenu>
#include <QTextCursor>

namespace {

constexpr int CategoryIconSize = 32;

// Text drawn straight on the task's background: dark on light colours,
// light on dark ones, so a user's dark background stays readable.
QColor textColourOn(const QColor &background)
{
    return background.lightnessF() < 0.5 ? QColor(0xF5, 0xF5, 0xF5) : QColor(0x1B, 0x1B, 0x1B);
}

bool isDark(const QColor &colour)
{
    return colour.lightnessF() < 0.5;
}

// Flat buttons whose face is the task's background, with a thin outline so
// they still read as buttons.
QString flatButtonStyle(const QColor &face)
{
    const bool dark = isDark(face);
    const QColor border = dark ? face.lighter(190) : face.darker(150);
    const QColor hover = dark ? face.lighter(125) : face.darker(107);
    const QColor pressed = dark ? face.lighter(150) : face.darker(118);
    const QColor text = textColourOn(face);
    QColor muted = text;
    muted.setAlphaF(0.4);
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %3;"
                          " border-radius: 3px; padding: 4px 12px; min-width: 56px; }"
                          "QPushButton:hover { background-color: %4; }"
                          "QPushButton:pressed, QPushButton:open { background-color: %5; }"
                          "QPushButton:default, QPushButton:focus { border-width: 2px; padding: 3px 11px; }"
                          "QPushButton:disabled { color: %6; }"
                          "QPushButton#laterButton { padding-right: 20px; }"
                          "QPushButton::menu-indicator { subcontrol-origin: padding;"
                          " subcontrol-position: right center; right: 6px; }")
        .arg(face.name(), text.name(), border.name(), hover.name(), pressed.name(), muted.name(QColor::HexArgb));
}

// Stored messages end their lines Windows-style; the document wants '\n'.
QString withPlainLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// The frame around the message, outlined like the buttons, with the message
// box inside it on one even face of the task's colour.
QString groupStyle(const QColor &face)
{
    const QColor border = isDark(face) ? face.lighter(190) : face.darker(150);
    return QStringLiteral("QGroupBox { border: 1px solid %1; border-radius: 4px; margin-top: 0.7em;"
                          " padding-top: 0.5em; font-weight: bold; color: %2; }"
                          "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                          " left: 10px; padding: 0 4px; }"
                          "QTextEdit { background-color: %3; color: %2; border: none; }")
        .arg(border.name(), textColourOn(face).name(), face.name());
}

// A description is shown as typed, so '&' must not turn into a shortcut.
QString literalTitle(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

const std::vector<ReminderPopup::SnoozeSpan> &ReminderPopup::SnoozeSpans()
{
    static const std::vector<SnoozeSpan> spans {
        {QT_TRANSLATE_NOOP("ReminderPopup", "5 分钟..."), 5},   {QT_TRANSLATE_NOOP("ReminderPopup", "10 分钟.."), 10},
        {QT_TRANSLATE_NOOP("ReminderPopup", "15 分钟..."), 15}, {QT_TRANSLATE_NOOP("ReminderPopup", "30 分钟..."), 30},
        {QT_TRANSLATE_NOOP("ReminderPopup", "1 小时..."), 60},  {QT_TRANSLATE_NOOP("ReminderPopup", "2 小时..."), 120},
        {QT_TRANSLATE_NOOP("ReminderPopup", "4 小时..."), 240}, {QT_TRANSLATE_NOOP("ReminderPopup", "8 小时..."), 480},
        {QT_TRANSLATE_NOOP("ReminderPopup", "明天..."), 1440},  {QT_TRANSLATE_NOOP("ReminderPopup", "2 天..."), 2880},
        {QT_TRANSLATE_NOOP("ReminderPopup", "3 天..."), 4320},  {QT_TRANSLATE_NOOP("ReminderPopup", "4 天..."), 5760},
        {QT_TRANSLATE_NOOP("ReminderPopup", "1 周..."), 10080},
    };
    return spans;
}

ReminderPopup::ReminderPopup(AppData &data, const Services &, const AlarmTask &task, EditorOpener openEditor,
                             QWidget *parent)
    : QDialog(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::ReminderPopup>())
    , m_data(data)
    , m_task(task)
    , m_openEditor(std::move(openEditor))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("提醒 - ") + m_task.DateTime.ToDateTimeString());
    setWindowIcon(ProgramIcon());

    applyColours();
    showMessage();
    showCategoryIcon();
    m_ui->descriptionGroup->setTitle(literalTitle(m_task.Description));
    m_ui->okButton->setFocus();

    m_ui->laterButton->setMenu(buildSnoozeMenu());
    m_ui->editButton->setEnabled(bool(m_openEditor));
    connect(m_ui->editButton, &QPushButton::clicked, this, &ReminderPopup::edit);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &ReminderPopup::deleteTask);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::close);

    // Caption, minimise and close only: a reminder has the size its message
    // needs, and a window that cannot be resized has no maximise button.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnPrimaryScreen(*this);
}

ReminderPopup::~ReminderPopup() = default;

// The whole window takes the task's background colour.
void ReminderPopup::applyColours()
{
    const QColor background = ToQColor(m_task.BackgroundColor);
    const QColor text = textColourOn(background);
    QPalette colours = palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        colours.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        colours.setColor(role, text);
    setPalette(colours);

    m_ui->descriptionGroup->setStyleSheet(groupStyle(background));
    const QString buttonStyle = flatButtonStyle(background);
    for (QPushButton *button : {m_ui->laterButton, m_ui->editButton, m_ui->deleteButton, m_ui->okButton})
        button->setStyleSheet(buttonStyle);
}

void ReminderPopup::showMessage()
{
    QTextEdit *edit = m_ui->messageEdit;
    edit->clear();
    const QTextCharFormat format = ToCharFormat(m_task.MessageFont);
    QTextCursor cursor(edit->document());
    cursor.setBlockCharFormat(format);
    cursor.insertText(withPlainLineBreaks(m_task.Message), format);
    edit->moveCursor(QTextCursor::Start);
}

// A category outside the table (only a hand-edited file holds one) shows
// no icon.
void ReminderPopup::showCategoryIcon()
{
    const QString path = CategoryTable::iconPath(m_task.Category);
    const QPixmap icon = path.isEmpty() ? QPixmap() : SvgPixmap(path, CategoryIconSize, devicePixelRatioF());
    m_ui->categoryIcon->setPixmap(icon);
    m_ui->categoryIcon->setVisible(!icon.isNull());
}

QMenu *ReminderPopup::buildSnoozeMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("snoozeMenu"));
    menu->setTitle(QStringLiteral("_SNOOZE_"));
    for (const SnoozeSpan &span : SnoozeSpans()) {
        QAction *action = menu->addAction(tr(span.label));
        action->setData(span.minutes);
        const int minutes = span.minutes;
        connect(action, &QAction::triggered, this, [this, minutes] { snooze(minutes); });
    }
    return menu;
}

bool ReminderPopup::taskStillListed() const
{
    return m_data.Alarms.Contains(m_task.SelfPosition);
}

void ReminderPopup::snooze(int minutes)
{
    if (SnoozeTask(m_task, minutes, m_data.Alarms, m_data.Snoozed))
        close();
}

void ReminderPopup::edit()
{
    if (!m_openEditor || !taskStillListed())
        return;
    m_openEditor(m_task.SelfPosition);
    close();
}

void ReminderPopup::deleteTask()
{
    if (!taskStillListed())
        return;
    const QString question = tr("您确定删除该提醒任务吗？ '%1'").arg(m_task.Description);
    if (!MessageBoxes::ConfirmWarning(this, question))
        return;
    if (!m_data.Alarms.RemoveAt(m_task.SelfPosition)) {
        MessageBoxes::Show(this, QMessageBox::NoIcon, tr("删除任务失败,请再试一次!如果依然不行，请将该错误反映给作者"));
        return;
    }
    close();
}
