// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

// The picture across the top of a settings page: a soft band in the
// page's colour with its icon and title, drawn from vectors so that it
// stays sharp at any screen scale.
class PageHeading : public QWidget
{
    Q_OBJECT

public:
    explicit PageHeading(QWidget *parent = nullptr);

    void setHeading(const QString &iconPath, const QString &title, const QColor &tint);
    QString title() const { return m_title; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont titleFont() const;

    QString m_iconPath;
    QString m_title;
    QColor m_tint;
};
