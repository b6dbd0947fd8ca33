// SPDX-License-Identifier: MIT
#include "notes/NoteWindow.h"

#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "notes/NotePainter.h"
#include "notes/NoteStyleDialog.h"
#include "notes/NoteStylePresets.h"
#include "platform/Clock.h"
#include "widgets/MessageBoxes.h"
#include "widgets/MessageFormat.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTextEdit>
#include <QWindow>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The text sits one pixel inside the border, and the edit box covers
// exactly the area inside the border, so the text does not move when
// editing starts or ends.
constexpr int DocumentMargin = 1;
constexpr int BorderWidth = 1;
// The stored position is written this long after the window last moved.
constexpr int PositionDelayMs = 400;

// The file keeps line breaks as CR LF; the edit box uses LF.
QString toEditorText(QString message)
{
    message.replace(u"\r\n"_s, u"\n"_s);
    message.replace(u'\r', u'\n');
    return message;
}

QString toMessage(QString text)
{
    return text.replace(u'\n', u"\r\n"_s);
}

// The longest text the file reads back whole: line breaks are stored as
// two characters.
qsizetype storedLength(const QString &editorText)
{
    return editorText.size() + editorText.count(u'\n');
}
constexpr qsizetype MaxStoredLength = MessageBuffer - 1;

} // namespace

QString NoteWindow::TitleFor(quint32 id)
{
    return u"NOTE_WINDOW_"_s + QString::number(id, 16).toUpper();
}

NoteWindow *NoteWindow::FindByTitle(const QString &title)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *note = qobject_cast<NoteWindow *>(widget);
        if (note && !note->m_deleted && note->windowTitle() == title)
            return note;
    }
    return nullptr;
}

NoteWindow::NoteWindow(AppData &data, const Services &services, EntryHandle entry, quint32 id)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
    , m_data(data)
    , m_services(services)
    , m_entry(entry)
    , m_id(id)
    , m_note(InitNoteEntry(services.clock->Now()))
{
    setObjectName(u"noteWindow"_s);
    setWindowTitle(TitleFor(id));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_positionTimer.setSingleShot(true);
    m_positionTimer.setInterval(PositionDelayMs);
    connect(&m_positionTimer, &QTimer::timeout, this, &NoteWindow::storePosition);
    if (m_data.Notes.Contains(m_entry)) {
        LoadFromEntry();
    } else {
        applyLook();
        FitToText();
    }
}

NoteWindow::~NoteWindow() = default;

// Made when first shown: hundreds of notes start without one each.
QMenu *NoteWindow::Menu()
{
    if (m_menu)
        return m_menu;
    // "_NOTE_MENU_"
    m_menu = new QMenu(this);
    m_menu->setObjectName(u"noteMenu"_s);
    const auto add = [this](Command id, const QString &text, void (NoteWindow::*slot)()) {
        QAction *action = m_menu->addAction(text, this, slot);
        action->setData(int(id));
        return action;
    };
    add(EditCommand, tr("编辑(&E)"), &NoteWindow::EnterEditMode);
    add(DeleteCommand, tr("删除(&D)"), &NoteWindow::ConfirmDelete);
    m_menu->addSeparator();
    add(HideCommand, tr("隐藏(&I)"), &NoteWindow::HideNote);
    m_onTopAction = add(OnTopCommand, tr("最顶端显示(&O)"), &NoteWindow::ToggleOnTop);
    m_onTopAction->setCheckable(true);
    m_menu->addSeparator();
    add(SettingsCommand, tr("设置(&S)..."), &NoteWindow::OpenStyleDialog);
    m_onTopAction->setChecked(IsTopmost());
    return m_menu;
}

QTextEdit *NoteWindow::editor()
{
    if (m_edit)
        return m_edit;
    m_edit = new QTextEdit(this);
    m_edit->setObjectName(u"noteEdit"_s);
    m_edit->setAcceptRichText(false);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit->setLineWrapMode(QTextEdit::WidgetWidth);
    m_edit->setTabChangesFocus(false);
    m_edit->hide();
    m_edit->setEnabled(false);
    m_edit->installEventFilter(this);
    connect(m_edit, &QTextEdit::textChanged, this, &NoteWindow::onEditorTextChanged);
    applyLook();
    m_edit->setGeometry(rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth));
    return m_edit;
}

bool NoteWindow::IsEditing() const
{
    return m_edit && m_edit->isVisible();
}

bool NoteWindow::IsTopmost() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QString NoteWindow::DisplayedText() const
{
    return m_edit && m_edit->isEnabled() ? editorMessage() : m_note.Message;
}

QString NoteWindow::editorMessage() const
{
    return toMessage(m_edit->toPlainText());
}

void NoteWindow::LoadFromEntry()
{
    const NoteEntry *entry = m_data.Notes.Find(m_entry);
    if (!entry)
        return;
    m_note = *entry;
    if (m_edit) {
        const QSignalBlocker quiet(m_edit);
        m_edit->setPlainText(toEditorText(m_note.Message));
    }
    applyTopmost(m_note.OnTop != 0);
    placeAtStoredPosition();
    applyLook();
    FitToText();
}

void NoteWindow::SaveToEntry()
{
    const NoteEntry *entry = m_data.Notes.Find(m_entry);
    if (entry && *entry != m_note)
        m_data.Notes.SetAt(m_entry, m_note);
}

void NoteWindow::configureDocument(QTextDocument &document) const
{
    document.setDefaultFont(m_font);
    document.setDocumentMargin(DocumentMargin);
    QTextOption option(NoteTextAlignment(m_note.Align));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
}

// Font, colours, alignment and opacity from the window's copy of the note.
void NoteWindow::applyLook()
{
    m_font = ToQFont(m_note.Font);
    configureDocument(m_text);
    if (m_edit) {
        m_edit->setFont(m_font);
        configureDocument(*m_edit->document());
        QPalette palette = m_edit->palette();
        palette.setColor(QPalette::Base, ToQColor(m_note.BackColor1));
        palette.setColor(QPalette::Text, ToQColor(m_note.TextColor));
        m_edit->setPalette(palette);
    }
    RestoreOpacity();
    refreshText();
}

void NoteWindow::refreshText()
{
    m_text.setPlainText(toEditorText(DisplayedText()));
    m_text.setTextWidth(std::max(0, width() - 2 * BorderWidth));
    update();
}

// Pinning changes the window's flags on the live window, which neither
// hides nor moves it.
void NoteWindow::applyTopmost(bool onTop)
{
    if (IsTopmost() == onTop)
        return;
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
    if (QWindow *window = windowHandle()) {
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
    if (m_onTopAction)
        m_onTopAction->setChecked(onTop);
}

void NoteWindow::placeAtStoredPosition()
{
    m_placing = true;
    move(m_note.Position.left, m_note.Position.top);
    m_placing = false;
}

ScreenRect NoteWindow::screenRect() const
{
    const QRect frame = frameGeometry();
    return {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

QSize NoteWindow::FittedSize() const
{
    QTextDocument measure;
    configureDocument(measure);
    const QString text = toEditorText(DisplayedText());
    measure.setPlainText(text.isEmpty() ? u"H"_s : text);
    // Wider than the font is tall, so the caret has room after the
    // longest line.
    const int pad = std::max(QFontInfo(m_font).pixelSize() - 3, 6);
    const int margins = 2 * DocumentMargin;
    measure.setTextWidth(-1);
    const int natural = int(std::ceil(measure.size().width())) - margins;
    // A long line wraps rather than making the note wider than most of the
    // screen.
    const QScreen *display = screen() ? screen() : QGuiApplication::primaryScreen();
    const int widest = std::max(200, display ? display->availableGeometry().width() * 2 / 3 : 800);
    const int width = std::min(natural + pad, widest);
    measure.setTextWidth(width - 2 * BorderWidth);
    const int height = int(std::ceil(measure.size().height())) - margins + 4;
    return {width, height};
}

void NoteWindow::FitToText()
{
    resize(FittedSize());
}

void NoteWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_edit)
        m_edit->setGeometry(rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth));
    m_text.setTextWidth(std::max(0, width() - 2 * BorderWidth));
}

void NoteWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintNoteBackground(painter, rect(), StyleOf(m_note));
    if (IsEditing())
        return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(BorderWidth, BorderWidth);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, ToQColor(m_note.TextColor));
    context.clip = QRectF(0, 0, width() - 2 * BorderWidth, height() - 2 * BorderWidth);
    painter.setClipRect(context.clip);
    m_text.documentLayout()->draw(&painter, context);
}

void NoteWindow::EnterEditMode()
{
    QTextEdit *edit = editor();
    {
        const QSignalBlocker quiet(edit);
        edit->setPlainText(toEditorText(m_note.Message));
    }
    edit->setEnabled(true);
    edit->show();
    edit->selectAll();
    edit->ensureCursorVisible();
    if (!isVisible())
        show();
    raise();
    activateWindow();
    edit->setFocus(Qt::OtherFocusReason);
    FitToText();
}

void NoteWindow::onEditorTextChanged()
{
    if (m_trimming)
        return;
    QString text = m_edit->toPlainText();
    if (storedLength(text) > MaxStoredLength) {
        // Only what the file can read back is kept.
        while (storedLength(text) > MaxStoredLength)
            text.chop(1);
        m_trimming = true;
        m_edit->setPlainText(text);
        m_edit->moveCursor(QTextCursor::End);
        m_trimming = false;
    }
    refreshText();
    FitToText();
}

void NoteWindow::StoreState()
{
    if (m_deleted)
        return;
    FitToText();
    CommitEdits();
    if (m_edit) {
        m_edit->hide();
        m_edit->setEnabled(false);
    }
    setVisible(m_note.Display != 0);
    refreshText();
}

void NoteWindow::CommitEdits()
{
    if (m_deleted)
        return;
    m_positionTimer.stop();
    if (m_edit && m_edit->isEnabled()) {
        const QString text = editorMessage();
        if (text != m_note.Message) {
            m_note.UpdateTime = qint32(m_services.clock->Now().ToUnixTime());
            m_note.Message = text;
        }
    }
    if (isVisible())
        m_note.Position = screenRect();
    SaveToEntry();
}

void NoteWindow::storePosition()
{
    if (m_deleted || !isVisible())
        return;
    m_note.Position = screenRect();
    SaveToEntry();
}

void NoteWindow::HideNote()
{
    m_note.Display = 0;
    if (isVisible())
        m_note.Position = screenRect();
    SaveToEntry();
    hide();
}

void NoteWindow::SetShown(bool shown)
{
    m_note.Display = shown ? 1 : 0;
    applyTopmost(m_note.OnTop != 0);
    placeAtStoredPosition();
    setVisible(shown);
    SaveToEntry();
}

void NoteWindow::ToggleOnTop()
{
    SetOnTop(!IsTopmost());
}

void NoteWindow::SetOnTop(bool onTop)
{
    applyTopmost(onTop);
    m_note.OnTop = onTop ? 1 : 0;
    SaveToEntry();
    update();
}

void NoteWindow::ConfirmDelete()
{
    if (!MessageBoxes::ConfirmWarning(this, tr("你确定要删除选中便签吗？"), u"CLOCK"_s))
        return;
    Discard();
    // The list's watchers (the task manager's rows) drop the note with it.
    m_data.Notes.RemoveAt(m_entry);
}

void NoteWindow::Discard()
{
    m_deleted = true;
    m_positionTimer.stop();
    hide();
    deleteLater();
}

void NoteWindow::OpenStyleDialog()
{
    NoteStyleDialog dialog(windowTitle(), m_data.FilePath(NoteStylePresets::FileName), m_services, this);
    dialog.exec();
}

void NoteWindow::ApplyNoteStyle(const NoteStyle &style, const DateTime &now)
{
    ApplyStyle(m_note, style);
    m_note.UpdateTime = qint32(now.ToUnixTime());
    applyLook();
    FitToText();
    SaveToEntry();
}

void NoteWindow::PreviewOpacity(int alpha)
{
    // However low a stored value, the note never becomes invisible.
    setWindowOpacity(std::max(ClampedAlpha(alpha), NoteStyle::MinAlpha) / 255.0);
}

void NoteWindow::RestoreOpacity()
{
    PreviewOpacity(m_note.Alpha);
}

void NoteWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!m_placing && isVisible())
        m_positionTimer.start();
}

void NoteWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        StoreState();
}

void NoteWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_dragging = false;
    m_pressPos = event->globalPosition().toPoint();
    setCursor(Qt::SizeAllCursor);
}

// A drag starts once the mouse has moved a little with the button held, so
// that a double click stays a double click. The window manager moves the
// window where it can; elsewhere the window follows the mouse itself.
void NoteWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (!m_dragging) {
        if ((global - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        if (windowHandle() && windowHandle()->startSystemMove()) {
            m_pressed = false;
            unsetCursor();
            return;
        }
        m_dragging = true;
        m_dragOffset = m_pressPos - frameGeometry().topLeft();
    }
    move(global - m_dragOffset);
}

void NoteWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_pressed = false;
    m_dragging = false;
    unsetCursor();
}

void NoteWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        EnterEditMode();
}

void NoteWindow::contextMenuEvent(QContextMenuEvent *event)
{
    if (IsEditing())
        return;
    Menu()->exec(event->globalPos());
}

// Closed by the window manager (Alt+F4): the note hides, as from its menu,
// and comes back with the task manager's check box.
void NoteWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous() && !m_deleted) {
        StoreState();
        HideNote();
    }
    QWidget::closeEvent(event);
}

bool NoteWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            return true;
        if (key == Qt::Key_Escape) {
            StoreState();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
