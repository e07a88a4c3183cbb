#pragma once
// Measuring for the benchmarks: the wall and CPU time of a piece of work in this process, and of a
// command run beside it (cp, cat, ls -l) as the floor the work is compared with.

#include <chrono>
#include <string>
#include <vector>

namespace test_support {

struct Timing {
    double Wall = 0; // seconds
    double Cpu = 0;  // seconds of user and system time
};

// Times `work` in this process.
template <typename Work> Timing time_work(Work&& work);

// Runs a command (argv[0] looked up on $PATH, no shell) and times it; throws when it fails.
Timing time_command(const std::vector<std::string>& argv);

// Prints "what: 1.23 s wall, 0.45 s CPU; floor (cp): ... ; ratio wall 2.7x, CPU 1.1x".
void print_ratio(const std::string& what, const Timing& work, const std::string& floorName, const Timing& floor);

// The load average of the machine as uptime shows it.
std::string load_average();

// The process's own CPU time so far, seconds.
double cpu_seconds();

template <typename Work> Timing time_work(Work&& work) {
    const double cpu0 = cpu_seconds();
    const auto wall0 = std::chrono::steady_clock::now();
    work();
    Timing t;
    t.Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    t.Cpu = cpu_seconds() - cpu0;
    return t;
}

} // namespace test_support
