// SPDX-License-Identifier: MIT
#include "widgets/ColumnMenu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidgetAction>
#include <algorithm>

// The columns of a ColumnMenu: items drawn by the style exactly as the menu
// would draw its own, laid out column by column.
class MenuColumns final : public QWidget
{
public:
    explicit MenuColumns(QWidget *parent)
        : QWidget(parent)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_NoMousePropagation);
    }

    void add(QAction *action, bool newColumn)
    {
        if (m_columns.isEmpty() || (newColumn && !m_columns.last().isEmpty()))
            m_columns.append(QList<QAction *>());
        m_columns.last().append(action);
        connect(action, &QAction::changed, this, [this] {
            updateGeometry();
            update();
        });
        updateGeometry();
    }

    QList<QAction *> commands() const
    {
        QList<QAction *> all;
        for (const QList<QAction *> &column : m_columns)
            all += column;
        return all;
    }
    int columnCount() const { return int(m_columns.size()); }
    int columnOf(const QAction *action) const
    {
        for (int c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c].contains(action))
                return c;
        }
        return -1;
    }
    QAction *highlighted() const { return m_highlighted; }
    void clearHighlight() { setHighlighted(nullptr); }

    QSize sizeHint() const override
    {
        const Layout layout = computeLayout();
        return layout.size;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const Layout layout = computeLayout();
        QPainter painter(this);
        for (const Item &item : layout.items) {
            QStyleOptionMenuItem option = itemOption(item.action);
            option.rect = item.rect;
            style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
        }
        // The line between two columns, as a menu break draws it.
        QColor line = palette().color(QPalette::WindowText);
        line.setAlphaF(0.25);
        painter.setPen(line);
        for (const int x : layout.lines)
            painter.drawLine(x, ColumnLineInset, x, height() - 1 - ColumnLineInset);
    }

    void mouseMoveEvent(QMouseEvent *event) override { setHighlighted(actionAt(event->position().toPoint())); }
    void leaveEvent(QEvent *) override { setHighlighted(nullptr); }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            activate(actionAt(event->position().toPoint()));
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        switch (event->key()) {
        case Qt::Key_Up:
            step(0, -1);
            return;
        case Qt::Key_Down:
            step(0, 1);
            return;
        case Qt::Key_Left:
            // From the first column the key goes back to the menu above.
            if (!m_highlighted || columnOf(m_highlighted) > 0) {
                step(-1, 0);
                return;
            }
            break;
        case Qt::Key_Right:
            if (m_highlighted && columnOf(m_highlighted) < columnCount() - 1) {
                step(1, 0);
                return;
            }
            break;
        case Qt::Key_Home:
            setHighlighted(firstEnabled(commands()));
            return;
        case Qt::Key_End: {
            QList<QAction *> all = commands();
            std::reverse(all.begin(), all.end());
            setHighlighted(firstEnabled(all));
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            activate(m_highlighted);
            return;
        default:
            break;
        }
        // Escape and the rest: the menu's own handling.
        event->ignore();
    }

    void focusOutEvent(QFocusEvent *) override { update(); }

private:
    static constexpr int ColumnLineInset = 2;

    struct Item
    {
        QAction *action;
        QRect rect;
    };
    struct Layout
    {
        QList<Item> items;
        QList<int> lines;
        QSize size;
    };

    QStyleOptionMenuItem itemOption(const QAction *action) const
    {
        QStyleOptionMenuItem option;
        option.initFrom(this);
        option.font = action->font().resolve(font());
        option.fontMetrics = QFontMetrics(option.font);
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.checkType = QStyleOptionMenuItem::NotCheckable;
        option.text = action->text();
        option.maxIconWidth = 0;
        option.reservedShortcutWidth = 0;
        option.menuRect = rect();
        option.state = QStyle::State_None;
        if (action->isEnabled() && isEnabled()) {
            option.state |= QStyle::State_Enabled;
            option.palette.setCurrentColorGroup(QPalette::Active);
        } else {
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        }
        if (action == m_highlighted && action->isEnabled())
            option.state |= QStyle::State_Selected;
        return option;
    }

    QSize itemSize(const QAction *action) const
    {
        const QStyleOptionMenuItem option = itemOption(action);
        const QFontMetrics &metrics = option.fontMetrics;
        const QSize text(metrics.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, option.text).width(),
                         metrics.height());
        return style()->sizeFromContents(QStyle::CT_MenuItem, &option, text, this);
    }

    Layout computeLayout() const
    {
        Layout layout;
        const int gap = std::max(style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this), 2);
        int x = 0;
        int height = 0;
        for (int c = 0; c < m_columns.size(); ++c) {
            if (c > 0) {
                layout.lines.append(x + gap);
                x += 2 * gap + 1;
            }
            int width = 0;
            for (const QAction *action : m_columns[c])
                width = std::max(width, itemSize(action).width());
            int y = 0;
            for (QAction *action : m_columns[c]) {
                const int itemHeight = itemSize(action).height();
                layout.items.append({action, QRect(x, y, width, itemHeight)});
                y += itemHeight;
            }
            x += width;
            height = std::max(height, y);
        }
        layout.size = QSize(x, height);
        return layout;
    }

    QAction *actionAt(const QPoint &pos) const
    {
        for (const Item &item : computeLayout().items) {
            if (item.rect.contains(pos))
                return item.action;
        }
        return nullptr;
    }

    static QAction *firstEnabled(const QList<QAction *> &actions)
    {
        const auto found = std::find_if(actions.begin(), actions.end(), [](QAction *a) { return a->isEnabled(); });
        return found == actions.end() ? nullptr : *found;
    }

    // Moves the highlight by whole columns or rows, round within a column;
    // a move into a shorter column stops at its last row. Disabled commands
    // are passed over.
    void step(int columns, int rows)
    {
        if (!m_highlighted) {
            setHighlighted(firstEnabled(commands()));
            return;
        }
        const int column = std::clamp(columnOf(m_highlighted) + columns, 0, columnCount() - 1);
        const QList<QAction *> &items = m_columns[column];
        const int count = int(items.size());
        int row = std::min(int(m_columns[columnOf(m_highlighted)].indexOf(m_highlighted)), count - 1);
        if (rows == 0 && items[row]->isEnabled()) {
            setHighlighted(items[row]);
            return;
        }
        const int direction = rows < 0 ? -1 : 1;
        for (int tries = 0; tries < count; ++tries) {
            row = (row + direction + count) % count;
            if (items[row]->isEnabled()) {
                setHighlighted(items[row]);
                return;
            }
        }
    }

    void setHighlighted(QAction *action)
    {
        if (action && !action->isEnabled())
            action = nullptr;
        if (action == m_highlighted)
            return;
        m_highlighted = action;
        if (action)
            action->hover();
        update();
    }

    // A chosen command closes the menus first, as a menu item does, so that
    // what it opens is not covered by them.
    void activate(QAction *action)
    {
        if (!action || !action->isEnabled())
            return;
        const QPointer<QAction> chosen(action);
        for (int open = 0; open < 16; ++open) {
            QWidget *popup = QApplication::activePopupWidget();
            if (!popup)
                break;
            popup->close();
        }
        m_highlighted = nullptr;
        if (chosen)
            chosen->activate(QAction::Trigger);
    }

    QList<QList<QAction *>> m_columns;
    QPointer<QAction> m_highlighted;
};

ColumnMenu::ColumnMenu(const QString &title, QWidget *parent)
    : QMenu(title, parent)
    , m_columns(new MenuColumns(this))
{
    auto *holder = new QWidgetAction(this);
    holder->setDefaultWidget(m_columns);
    addAction(holder);
    connect(this, &QMenu::aboutToShow, m_columns, [this] {
        m_columns->clearHighlight();
        m_columns->setFocus(Qt::PopupFocusReason);
    });
}

ColumnMenu::~ColumnMenu() = default;

QAction *ColumnMenu::addCommand(const QString &text, bool newColumn)
{
    auto *action = new QAction(text, this);
    m_columns->add(action, newColumn);
    return action;
}

QList<QAction *> ColumnMenu::commands() const
{
    return m_columns->commands();
}

int ColumnMenu::columnCount() const
{
    return m_columns->columnCount();
}

int ColumnMenu::columnOf(const QAction *command) const
{
    return m_columns->columnOf(command);
}

QAction *ColumnMenu::highlightedCommand() const
{
    return m_columns->highlighted();
}
