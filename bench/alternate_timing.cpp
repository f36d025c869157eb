// Times two commands alternately, so both see the same machine load, and
// prints the median wall time of each and their ratio.
//
//   alternate_timing RUNS -- COMMAND_A ARGS... -- COMMAND_B ARGS...
//
// Standard output of the commands goes to /dev/null.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double RunOnceMs(std::vector<char*>& argv) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", argv[0], status);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 5 || std::strcmp(argv[2], "--") != 0) {
        std::fprintf(stderr, "usage: %s RUNS -- COMMAND_A ... -- COMMAND_B ...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<char*> a, b;
    std::vector<char*>* current = &a;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0 && current == &a) {
            current = &b;
            continue;
        }
        current->push_back(argv[i]);
    }
    if (a.empty() || b.empty() || runs < 1) {
        std::fprintf(stderr, "two commands and a positive run count are needed\n");
        return 2;
    }
    a.push_back(nullptr);
    b.push_back(nullptr);

    RunOnceMs(a); // warm the page cache for both
    RunOnceMs(b);
    std::vector<double> timesA, timesB;
    for (int i = 0; i < runs; ++i) {
        timesA.push_back(RunOnceMs(a));
        timesB.push_back(RunOnceMs(b));
    }
    const double medianA = Median(timesA), medianB = Median(timesB);
    std::printf("A median %.2f ms  (%s)\n", medianA, a[0]);
    std::printf("B median %.2f ms  (%s)\n", medianB, b[0]);
    std::printf("B / A = %.3f   B - A = %.2f ms   (%d runs each, alternating)\n", medianB / medianA,
                medianB - medianA, runs);
    return 0;
}
