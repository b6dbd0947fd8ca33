// SPDX-License-Identifier: MIT
#pragma once

#include <QSpinBox>

// A number box of one or two digits with an up-down control that wraps.
// The arrows run through the box's range; typing accepts any number from 0
// to 99, so that Save can tell the user which range a typed value misses
// instead of the box quietly refusing it.
class NumberBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit NumberBox(QWidget *parent = nullptr);

    // The range the arrows cycle through.
    void setArrowRange(int low, int high);
    int arrowLow() const { return m_low; }
    int arrowHigh() const { return m_high; }

    // The number the box shows, or NotANumber when its text holds none.
    int number() const;
    void setNumber(int value);

    void stepBy(int steps) override;

private:
    int m_low = 0;
    int m_high = 99;
};
