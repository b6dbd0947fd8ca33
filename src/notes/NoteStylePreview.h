// SPDX-License-Identifier: MIT
#pragma once

#include "notes/NoteStyle.h"

#include <QWidget>

// The style dialog's sample: a note background with the test text on one
// line, painted the way a note window paints.
class NoteStylePreview final : public QWidget
{
    Q_OBJECT

public:
    explicit NoteStylePreview(QWidget *parent = nullptr);

    void setNoteStyle(const NoteStyle &style);
    const NoteStyle &noteStyle() const { return m_style; }
    static QString SampleText();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    NoteStyle m_style;
};
