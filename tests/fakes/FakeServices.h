// SPDX-License-Identifier: MIT
#pragma once

#include "fakes/FakeClock.h"
#include "platform/AutostartService.h"
#include "platform/NetworkService.h"
#include "platform/PowerService.h"
#include "platform/Services.h"
#include "platform/ShellService.h"
#include "platform/SleepWatch.h"
#include "platform/SoundService.h"
#include "platform/TimeService.h"

#include <QStringList>
#include <utility>
#include <vector>

// Records what was played; plays end when the test says so.
class FakeSoundService final : public SoundService
{
public:
    void Play(const QString &path, Done done) override
    {
        played.append(path);
        pending.emplace_back(std::move(done));
    }
    void PlayWave(const QByteArray &wave, int volumePercent, Done done) override
    {
        waves.append(wave);
        volumes.push_back(volumePercent);
        pending.emplace_back(std::move(done));
    }
    void StopAll() override { FinishAll(false); }

    // Ends every play still running, reporting `result`.
    void FinishAll(bool result = true)
    {
        auto running = std::move(pending);
        pending.clear();
        for (Done &done : running) {
            if (done)
                done(result);
        }
    }

    QStringList played;
    QList<QByteArray> waves;
    std::vector<int> volumes;
    std::vector<Done> pending;
};

// Records the power actions asked for; never touches the machine.
class FakePowerService final : public PowerService
{
public:
    bool LogOff() override { return record(QStringLiteral("logoff")); }
    bool Reboot() override { return record(QStringLiteral("reboot")); }
    bool PowerOff() override { return record(QStringLiteral("poweroff")); }
    bool Suspend() override { return record(QStringLiteral("suspend")); }

    QStringList actions;
    bool accept = true;

private:
    bool record(const QString &action)
    {
        actions.append(action);
        return accept;
    }
};

class FakeShellService final : public ShellService
{
public:
    bool Open(const QString &target) override
    {
        opened.append(target);
        return accept;
    }
    bool OpenDateTimeSettings() override
    {
        ++dateTimeSettingsOpened;
        return accept;
    }

    QStringList opened;
    int dateTimeSettingsOpened = 0;
    bool accept = true;
};

class FakeAutostartService final : public AutostartService
{
public:
    bool IsEnabled() const override { return enabled; }
    bool SetEnabled(bool on) override
    {
        enabled = on;
        return true;
    }
    bool enabled = false;
};

// Records the times asked for; answers when the test says so.
class FakeTimeService final : public TimeService
{
public:
    void SetTime(qint64 utcMicroseconds, Done done) override
    {
        requested.push_back(utcMicroseconds);
        pending.emplace_back(std::move(done));
    }
    // Answers every request still open.
    void AnswerAll(bool set, const QString &reason = {})
    {
        auto open = std::move(pending);
        pending.clear();
        for (Done &done : open)
            done(set, reason);
    }

    std::vector<qint64> requested;
    std::vector<Done> pending;
};

// Off line until the test says otherwise; counts the questions.
class FakeNetworkService final : public NetworkService
{
public:
    bool IsOnline() override
    {
        ++asked;
        return online;
    }
    bool online = false;
    int asked = 0;
};

// A full set of fakes, ready to hand out as Services.
struct FakeServices
{
    FakeClock clock;
    FakeSoundService sound;
    FakePowerService power;
    FakeShellService shell;
    FakeAutostartService autostart;
    FakeTimeService time;
    // Tests wake the machine with Q_EMIT sleep.Resumed().
    SleepWatch sleep;
    FakeNetworkService network;

    Services services() { return {&clock, &sound, &power, &shell, &autostart, &time, &sleep, &network}; }
};
