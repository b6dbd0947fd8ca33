// SPDX-License-Identifier: MIT
// Plays sounds through LinuxSoundService in a process of its own, so that
// each run meets the sound server named by its environment afresh (Qt
// connects to PulseAudio once per process). Prints one line per play as it
// ends: "<index> played=<0|1> ms=<since start>".
//
//   sound_probe play FILE...        all at once
//   sound_probe wave VOLUME FILE    the file's bytes as an in-memory image
//   sound_probe stop MS FILE        StopAll after MS milliseconds
#include "platform/linux/LinuxSoundService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);

    LinuxSoundService sound;
    QElapsedTimer clock;
    clock.start();
    int pending = 0;
    auto report = [&](int index) {
        ++pending;
        return [&, index](bool played) {
            std::printf("%d played=%d ms=%lld\n", index, played ? 1 : 0, static_cast<long long>(clock.elapsed()));
            std::fflush(stdout);
            if (--pending == 0)
                QTimer::singleShot(0, &app, &QCoreApplication::quit);
        };
    };

    if (mode == QLatin1String("play") && args.size() >= 2) {
        for (int i = 1; i < args.size(); ++i)
            sound.Play(args.at(i), report(i - 1));
    } else if (mode == QLatin1String("wave") && args.size() == 3) {
        QFile file(args.at(2));
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        sound.PlayWave(file.readAll(), args.at(1).toInt(), report(0));
    } else if (mode == QLatin1String("stop") && args.size() == 3) {
        sound.Play(args.at(2), report(0));
        QTimer::singleShot(args.at(1).toInt(), &app, [&sound] { sound.StopAll(); });
    } else {
        std::fprintf(stderr, "usage: sound_probe play FILE... | wave VOLUME FILE | stop MS FILE\n");
        return 2;
    }

    QTimer::singleShot(20000, &app, [&app] {
        std::printf("timeout\n");
        app.exit(3);
    });
    return app.exec();
}
