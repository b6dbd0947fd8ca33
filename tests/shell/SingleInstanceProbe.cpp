// SPDX-License-Identifier: MIT
// A stand-in for a starting program, for the single-instance tests: it
// claims the key given as its argument and prints "first" or "second"; a
// first one then waits until a later start asks it to show itself, prints
// "shown" and keeps running a little longer, as the real program would
// (or gives up after a few seconds).
#include "shell/SingleInstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.Claim()) {
        std::puts("second");
        return 0;
    }
    std::puts("first");
    std::fflush(stdout);
    QObject::connect(&instance, &SingleInstance::ShowRequested, &app, [] {
        std::puts("shown");
        std::fflush(stdout);
        QTimer::singleShot(1500, qApp, [] { QCoreApplication::exit(0); });
    });
    QTimer::singleShot(8000, &app, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec();
}
