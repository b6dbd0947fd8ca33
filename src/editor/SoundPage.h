// SPDX-License-Identifier: MIT
#pragma once

#include "editor/EditorPage.h"

#include <memory>

namespace Ui {
class SoundPage;
}

class SoundService;
class ValidationTip;

// The "播放声音" tab: the sound file a reminder plays, with a button to try
// it. The repeat flag has no check box the user can see; it is carried
// through as stored.
class SoundPage final : public EditorPage
{
    Q_OBJECT

public:
    // Plays through `sound`; without one, Play only checks the path.
    explicit SoundPage(SoundService *sound, QWidget *parent = nullptr);
    ~SoundPage() override;

    void showValues(const ReminderForm &form) override;
    void readValues(ReminderForm &form) const override;

private:
    void browse();
    void play();

    std::unique_ptr<Ui::SoundPage> m_ui;
    SoundService *m_sound;
    ValidationTip *m_tip;
    int m_repeatPlay = 0;
};
