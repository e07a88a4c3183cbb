#include "tests/support/bench.hpp"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

double cpu_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

Timing time_command(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto wall0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        // The floor's output is not part of the measure.
        if (std::FILE* null = std::freopen("/dev/null", "w", stdout)) (void)null;
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) throw std::runtime_error("wait4 failed");
    Timing t;
    t.Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    t.Cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the floor command failed: " + argv[0]);
    return t;
}

void print_ratio(const std::string& what, const Timing& work, const std::string& floorName, const Timing& floor) {
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("%s: %.3f s wall, %.3f s CPU; floor (%s): %.3f s wall, %.3f s CPU; ratio wall %.2fx, CPU %.2fx\n",
                what.c_str(), work.Wall, work.Cpu, floorName.c_str(), floor.Wall, floor.Cpu,
                ratio(work.Wall, floor.Wall), ratio(work.Cpu, floor.Cpu));
    std::fflush(stdout);
}

std::string load_average() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

} // namespace test_support
