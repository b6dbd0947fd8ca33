// SPDX-License-Identifier: MIT
// The real program's start and exit on a private X server, with an empty
// task file and with 10,000 realistic tasks (RealisticTasks.h), side by side:
// start is from the process being started to the clock window being mapped;
// exit from SIGTERM to the process having ended, its files saved. The time
// shown is both together; the counters split it.
// IdleCpu runs the clock for a minute beside xclock -digital -update 1.
// Run: build/bench/bench_program --benchmark_repetitions=5
// (timings on a shared machine are noisy: compare the medians).
#include "RealisticTasks.h"
#include "platform/SystemClock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char **environ;

namespace {

// The title of the clock window, which tells it from any other window.
constexpr char ClockTitle[] = "Tocklyv2.8";
constexpr int TimeoutMs = 30000;

std::string g_display; // ":N" of the private X server
pid_t g_xvfb = -1;

pid_t spawn(const std::vector<std::string> &args, const std::vector<std::string> &env,
            posix_spawn_file_actions_t *actions = nullptr)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    return pid;
}

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e)
        env.emplace_back(*e);
    return env;
}

// Starts Xvfb on a free display number, which it reports through a pipe.
bool startXvfb()
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    g_xvfb = spawn(
        {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"},
        currentEnvironment(), &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char number[16] = {};
    const ssize_t n = g_xvfb > 0 ? read(fds[0], number, sizeof number - 1) : -1;
    close(fds[0]);
    if (n <= 0)
        return false;
    g_display = ":" + std::string(number, size_t(strcspn(number, "\n")));
    return true;
}

void stopXvfb()
{
    if (g_xvfb <= 0)
        return;
    kill(g_xvfb, SIGTERM);
    waitpid(g_xvfb, nullptr, 0);
}

// Watches the X server for the clock window being mapped.
class MapWatch
{
public:
    MapWatch()
    {
        // The server may take a moment after telling its number.
        for (int attempt = 0; attempt < 50; ++attempt) {
            m_connection = xcb_connect(g_display.c_str(), nullptr);
            if (!xcb_connection_has_error(m_connection))
                break;
            xcb_disconnect(m_connection);
            m_connection = nullptr;
            usleep(100 * 1000);
        }
        if (!m_connection)
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~MapWatch()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    bool ok() const { return m_connection && !xcb_connection_has_error(m_connection); }

    // Waits until a window titled ClockTitle is mapped; false on timeout.
    bool waitForClock()
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < TimeoutMs) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const bool found = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                    isClock(reinterpret_cast<xcb_map_notify_event_t *>(event)->window);
                free(event);
                if (found)
                    return true;
            }
            pollfd fd {xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, 100);
        }
        return false;
    }

private:
    bool isClock(xcb_window_t window)
    {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64);
        xcb_get_property_reply_t *reply = xcb_get_property_reply(m_connection, cookie, nullptr);
        if (!reply)
            return false;
        const std::string name(static_cast<const char *>(xcb_get_property_value(reply)),
                               size_t(xcb_get_property_value_length(reply)));
        free(reply);
        return name == ClockTitle;
    }

    xcb_connection_t *m_connection = nullptr;
};

// One start and exit of the clock in home; nothing when it failed.
struct Run
{
    double startMs;
    double exitMs;
};

// The clock's environment: the private X server, no buses (the clock must
// reach nothing of the machine it runs on), its own config and runtime folders.
std::vector<std::string> clockEnvironment(const QString &home)
{
    std::vector<std::string> env;
    for (const std::string &e : currentEnvironment()) {
        if (e.rfind("DISPLAY=", 0) != 0 && e.rfind("DBUS_", 0) != 0 && e.rfind("QT_QPA_PLATFORM=", 0) != 0)
            env.push_back(e);
    }
    env.insert(env.end(),
               {"DISPLAY=" + g_display, "QT_QPA_PLATFORM=xcb", "DBUS_SESSION_BUS_ADDRESS=disabled:",
                "DBUS_SYSTEM_BUS_ADDRESS=disabled:", "XDG_CONFIG_HOME=" + home.toStdString() + "/config",
                "XDG_RUNTIME_DIR=" + home.toStdString() + "/runtime"});
    return env;
}

// Starts a program quietly: its output goes nowhere.
pid_t spawnQuietly(const std::vector<std::string> &args, const std::vector<std::string> &env)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const pid_t pid = spawn(args, env, &actions);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// A folder for the clock's files, with count tasks in its task file.
std::unique_ptr<QTemporaryDir> makeHome(int count)
{
    auto home = std::make_unique<QTemporaryDir>();
    QDir(home->path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home->filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    RealisticTasks::writeFile(home->path(), count, SystemClock().Now());
    // The start-up question about updates was answered long ago: a user
    // who starts the clock daily does not see it.
    QDir(home->path()).mkpath(QStringLiteral("config/tockly"));
    QFile profile(home->filePath(QStringLiteral("config/tockly/clock.ini")));
    if (!profile.open(QIODevice::WriteOnly) || profile.write("[Tockly]\r\nupdate=1\r\n") < 0)
        return nullptr;
    return home;
}

std::optional<Run> startAndExit(const QString &home, MapWatch &watch)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t clock = spawnQuietly({TOCKLY_CLOCK_PROGRAM, "--home", home.toStdString()}, clockEnvironment(home));
    if (clock <= 0)
        return std::nullopt;
    const bool mapped = watch.waitForClock();
    const qint64 started = timer.nsecsElapsed();
    kill(clock, SIGTERM);
    int status = 0;
    waitpid(clock, &status, 0);
    const qint64 ended = timer.nsecsElapsed();
    if (!mapped || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Run {double(started) / 1e6, double(ended - started) / 1e6};
}

std::unique_ptr<MapWatch> g_watch;

// The X server's watch and a home with the benchmark's number of tasks;
// nothing, with the run skipped, when either is missing.
std::unique_ptr<QTemporaryDir> prepare(benchmark::State &state, const MapWatch &watch)
{
    if (!watch.ok()) {
        state.SkipWithError("no X server");
        return nullptr;
    }
    std::unique_ptr<QTemporaryDir> home = makeHome(int(state.range(0)));
    if (!home)
        state.SkipWithError("cannot write the clock's files");
    return home;
}

void StartAndExit(benchmark::State &state)
{
    MapWatch &watch = *g_watch;
    const std::unique_ptr<QTemporaryDir> home = prepare(state, watch);
    if (!home)
        return;
    // The first exit of a day also keeps a backup copy and makes CONFIG.INI;
    // later ones, which are measured, do not.
    if (!startAndExit(home->path(), watch)) {
        state.SkipWithError("the clock did not start and end cleanly");
        return;
    }
    double startMs = 0;
    double exitMs = 0;
    for (auto _ : state) {
        const std::optional<Run> run = startAndExit(home->path(), watch);
        if (!run) {
            state.SkipWithError("the clock did not start and end cleanly");
            return;
        }
        startMs += run->startMs;
        exitMs += run->exitMs;
        state.SetIterationTime((run->startMs + run->exitMs) / 1e3);
    }
    state.counters["start_ms"] = benchmark::Counter(startMs, benchmark::Counter::kAvgIterations);
    state.counters["exit_ms"] = benchmark::Counter(exitMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(StartAndExit)->Arg(0)->Arg(10000)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// CPU time a process has used so far, all its threads together, in
// nanoseconds (the scheduler's account, finer than the clock ticks of
// /proc/PID/stat); negative when the process is gone.
double cpuNs(pid_t pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    const QStringList threads = QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty())
        return -1;
    double total = 0;
    for (const QString &thread : threads) {
        QFile file(tasks + QLatin1Char('/') + thread + QStringLiteral("/schedstat"));
        if (file.open(QIODevice::ReadOnly))
            total += file.readLine().split(' ').value(0).toDouble();
    }
    return total;
}

// The running clock with count tasks against xclock -digital -update 1, side
// by side on the same X server for the same 60 seconds, after both have
// settled: CPU milliseconds per second of each.
void IdleCpu(benchmark::State &state)
{
    MapWatch &watch = *g_watch;
    const std::unique_ptr<QTemporaryDir> home = prepare(state, watch);
    if (!home)
        return;
    const QString folder = home->path();
    for (auto _ : state) {
        const pid_t clock =
            spawnQuietly({TOCKLY_CLOCK_PROGRAM, "--home", folder.toStdString()}, clockEnvironment(folder));
        const pid_t xclock = spawnQuietly({"xclock", "-digital", "-update", "1"}, clockEnvironment(folder));
        const bool mapped = clock > 0 && watch.waitForClock();
        sleep(5);
        const double clockBefore = cpuNs(clock);
        const double xclockBefore = cpuNs(xclock);
        QElapsedTimer timer;
        timer.start();
        sleep(60);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const double clockUsed = cpuNs(clock) - clockBefore;
        const double xclockUsed = cpuNs(xclock) - xclockBefore;
        for (const pid_t pid : {clock, xclock}) {
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
        if (!mapped || clockBefore < 0 || xclockBefore < 0) {
            state.SkipWithError("the clock or xclock did not run");
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["clock_ms_per_s"] = clockUsed / 1e6 / seconds;
        state.counters["xclock_ms_per_s"] = xclockUsed / 1e6 / seconds;
    }
}
BENCHMARK(IdleCpu)->Arg(0)->Arg(10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (!startXvfb()) {
        std::fprintf(stderr, "bench_program: Xvfb did not start\n");
        return 1;
    }
    g_watch = std::make_unique<MapWatch>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_watch.reset();
    stopXvfb();
    return 0;
}
