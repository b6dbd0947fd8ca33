// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class MessagePage;
}

// The "提示消息" tab: the message text with its character format and
// background colour.
//
// The page keeps the task's format as stored until the user changes one of
// the format controls: only then is it rebuilt from the controls, so a
// format written elsewhere (strike-out, say) survives an edit of the text.
class MessagePage final : public EditorPage
{
    Q_OBJECT

public:
    explicit MessagePage(QWidget *parent = nullptr);
    ~MessagePage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;

    const MessageFont &format() const { return m_format; }
    Color background() const { return m_background; }

private:
    void fillFaces();
    void selectFace(const QString &face);
    void setSizeText(const QString &text);
    // Builds the format from the controls and shows it.
    void applyFormat();
    void showFormat();
    void showBackground();

    std::unique_ptr<Ui::MessagePage> m_ui;
    MessageFont m_format;
    Color m_background = 0xFFFFFF;
    bool m_sizeTyped = false;
};
