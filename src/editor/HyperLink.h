// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A text that opens a web address when clicked, drawn the way links are:
// underlined, blue, red under the mouse and purple once visited. It takes
// the keyboard focus, and Enter or Space opens it too.
class HyperLink final : public QLabel
{
    Q_OBJECT

public:
    static inline const QColor NormalColor {0, 0, 255};
    static inline const QColor HoverColor {255, 0, 0};
    static inline const QColor VisitedColor {128, 0, 128};

    explicit HyperLink(QWidget *parent = nullptr);

    void setAddress(const QString &address);
    QString address() const { return m_address; }
    bool isVisited() const { return m_visited; }

Q_SIGNALS:
    // The link was clicked or chosen with the keyboard.
    void opened(const QString &address);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void open();
    void applyColour();

    QString m_address;
    bool m_hovered = false;
    bool m_visited = false;
};
