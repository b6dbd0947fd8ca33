// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QToolButton>

// A button that shows its caption beside a swatch of the chosen colour and
// lets the user pick another colour.
class ColorPickerButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ColorPickerButton(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    // Shows a colour without telling anyone.
    void setColor(const QColor &color);
    // Takes a colour as the user's choice.
    void pick(const QColor &color);

Q_SIGNALS:
    void colorChosen(const QColor &color);

protected:
    // Asks the user for a colour when the button is clicked.
    virtual void choose();

private:
    void showSwatch();

    QColor m_color = Qt::black;
};
