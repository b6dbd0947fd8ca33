// SPDX-License-Identifier: MIT
#pragma once

#include "settings/SettingsPage.h"

#include <functional>
#include <memory>

namespace Ui {
class SpeakPage;
}

struct SpeakSettings;
class ValidationTip;

// "语音报时": the speaking clock's voice, volume, interval, format, preface,
// chime and the hours it keeps quiet outside. Each check box enables the
// lists or times that belong to it. Play speaks the time once with the
// settings already in force, not the page's unsaved ones.
class SpeakPage final : public SettingsPage
{
    Q_OBJECT

public:
    SpeakPage(SpeakSettings &speak, std::function<void()> announceTime, QWidget *parent = nullptr);
    ~SpeakPage() override;

    void Save() override;

    static QString EndBeforeStartText();

private:
    void applyEnableRule();
    void checkEndTime();

    std::unique_ptr<Ui::SpeakPage> m_ui;
    SpeakSettings &m_speak;
    std::function<void()> m_announceTime;
    ValidationTip *m_tip;
};
