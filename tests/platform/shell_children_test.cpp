// The programs this one starts: none reads this program's standard input, and one started without
// waiting is reaped as soon as it ends instead of staying a zombie until the next start.
#include "platform/shell/shell.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// This process's standard input replaced by the reading end of a pipe (whose writing end stays
// open, so a child that read it would wait) while the object lives.
struct PipeAsInput {
    int saved = -1, writer = -1;
    PipeAsInput() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        saved = ::dup(STDIN_FILENO);
        ::dup2(fds[0], STDIN_FILENO);
        ::close(fds[0]);
        writer = fds[1];
    }
    ~PipeAsInput() {
        if (saved >= 0) ::dup2(saved, STDIN_FILENO), ::close(saved);
        if (writer >= 0) ::close(writer);
    }
};

// The state letter of a process of ours ("Z" for a zombie), or "" once it is gone.
std::string process_state(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return {};
    const auto close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() ? std::string() : line.substr(close + 2, 1);
}

} // namespace

TEST(ShellChildren, EveryChildReadsDevNullNotThisProgramsInput) {
    PipeAsInput input;
    ASSERT_GE(input.writer, 0);
    const desktop::ProgramRun run = desktop::run_and_collect({"readlink", "/proc/self/fd/0"});
    EXPECT_EQ(run.Output, "/dev/null\n");
    EXPECT_EQ(desktop::run_and_wait({"sh", "-c", "test \"$(readlink /proc/self/fd/0)\" = /dev/null"}), 0);
}

TEST(ShellChildren, AProgramStartedWithoutWaitingIsReapedWhenItEnds) {
    const int pid = desktop::start_program({"true"});
    ASSERT_GT(pid, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string state = process_state(pid);
    while (!state.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        state = process_state(pid);
    }
    EXPECT_EQ(state, "") << "the ended program is still there in state " << state;
}
