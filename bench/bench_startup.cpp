#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

// The start-up benchmark: how long from process start to the first painted
// frame, and how much memory at the peak, for Kovrenda's window (A) against a
// bare QWidget window of the same size built with the same flags (B). The
// probes (startup_probe.cpp) are started in turn, A B A B, on the offscreen
// platform, after one discarded round that fills the file cache; reported
// are the medians and the median of the per-pair ratios.
//
// A third probe (C), the bare window with one line of text, runs in the same
// rounds, A B C A B C: it shows how much of the difference is the first text
// on screen, which any window that shows text pays.
//
// Usage: bench_startup WINDOW_PROBE BARE_PROBE TEXT_PROBE [PAIRS, default 15]
namespace {

struct Start
{
    double milliseconds = 0; // from just before the spawn to the first frame
    double peakMiB = 0;      // the probe's maximum resident set size
    int width = 0;
    int height = 0;
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

[[noreturn]] void die(const std::string &what)
{
    std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
    std::exit(1);
}

// The environment of this process with the offscreen platform forced.
std::vector<char *> probeEnvironment()
{
    static std::string platform = "QT_QPA_PLATFORM=offscreen";
    std::vector<char *> env;
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.push_back(*e);
    env.push_back(platform.data());
    env.push_back(nullptr);
    return env;
}

Start start(const char *probe)
{
    int out[2];
    if (pipe(out) != 0)
        die("pipe: " + std::string(std::strerror(errno)));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    std::vector<char *> env = probeEnvironment();
    char *argv[] = {const_cast<char *>(probe), nullptr};
    pid_t pid = 0;
    const long long spawned = monotonicNanoseconds();
    const int error = posix_spawn(&pid, probe, &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (error != 0)
        die(std::string(probe) + ": " + std::strerror(error));

    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            die("read: " + std::string(std::strerror(errno)));
        text.append(buffer, std::size_t(n));
    }
    close(out[0]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        die("wait4: " + std::string(std::strerror(errno)));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        die(std::string(probe) + " did not end cleanly");

    long long painted = 0;
    Start result;
    if (std::sscanf(text.c_str(), "%lld %d %d", &painted, &result.width, &result.height) != 3)
        die(std::string(probe) + " printed no first frame: " + text);
    result.milliseconds = double(painted - spawned) / 1e6;
    result.peakMiB = double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4)
        die("usage: bench_startup WINDOW_PROBE BARE_PROBE TEXT_PROBE [PAIRS]");
    const char *windowProbe = argv[1];
    const char *bareProbe = argv[2];
    const char *textProbe = argv[3];
    const int pairs = argc > 4 ? std::atoi(argv[4]) : 15;
    if (pairs < 1)
        die("PAIRS must be a positive number");

    start(windowProbe);
    start(bareProbe);
    start(textProbe);

    std::vector<double> windowMs, bareMs, textMs, windowMiB, bareMiB, textMiB;
    std::vector<double> ratios, textRatios, extraMiB;
    for (int i = 0; i < pairs; ++i) {
        const Start a = start(windowProbe);
        const Start b = start(bareProbe);
        const Start c = start(textProbe);
        for (const Start &other : {b, c})
            if (a.width != other.width || a.height != other.height)
                die("the windows differ in size: " + std::to_string(a.width) + "x"
                    + std::to_string(a.height) + " and " + std::to_string(other.width) + "x"
                    + std::to_string(other.height));
        std::printf("pair %2d: window %6.1f ms %5.1f MiB   bare %6.1f ms %5.1f MiB"
                    "   bare with text %6.1f ms %5.1f MiB\n",
                    i + 1, a.milliseconds, a.peakMiB, b.milliseconds, b.peakMiB, c.milliseconds,
                    c.peakMiB);
        windowMs.push_back(a.milliseconds);
        bareMs.push_back(b.milliseconds);
        textMs.push_back(c.milliseconds);
        windowMiB.push_back(a.peakMiB);
        bareMiB.push_back(b.peakMiB);
        textMiB.push_back(c.peakMiB);
        ratios.push_back(a.milliseconds / b.milliseconds);
        textRatios.push_back(c.milliseconds / b.milliseconds);
        extraMiB.push_back(a.peakMiB - b.peakMiB);
    }

    const double ratio = median(ratios);
    const double extra = median(extraMiB);
    std::printf("\nmedians of %d pairs, offscreen platform:\n", pairs);
    std::printf("  start-up to first frame: window %.1f ms, bare window %.1f ms, "
                "ratio %.2f (target 1.5 or less: %s)\n",
                median(windowMs), median(bareMs), ratio, ratio <= 1.5 ? "met" : "MISSED");
    std::printf("  peak memory: window %.1f MiB, bare window %.1f MiB, "
                "difference %.1f MiB (target 8 MiB or less: %s)\n",
                median(windowMiB), median(bareMiB), extra, extra <= 8 ? "met" : "MISSED");
    std::printf("  for comparison, the bare window with one line of text: %.1f ms "
                "(ratio %.2f to the bare window), %.1f MiB\n",
                median(textMs), median(textRatios), median(textMiB));
    return 0;
}
