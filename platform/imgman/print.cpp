// Printing: the page goes to the desktop's print command as a PNG picture in a temporary file.
// The command is started without a shell and with no input, and it is given a limited time: a
// system without a printer (or without a print command) ends in a failure, never in a hang.

#include "platform/imgman/imgman.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/codecs.hpp"
#include "platform/imgman/status.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace imgman {

namespace {

std::chrono::milliseconds& print_timeout() {
    static std::chrono::milliseconds t{20000};
    return t;
}

int print_failed(const std::string& why) {
    return record_failure(StatusPrintFailed, why);
}

// Runs argv with stdin, stdout and stderr on /dev/null: its exit code, -1 when it could not start,
// -2 when it ran out of time (it is then killed).
int run_with_timeout(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    const auto until = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0 && errno != EINTR) return -1;
        if (std::chrono::steady_clock::now() >= until) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

void set_print_timeout(std::chrono::milliseconds timeout) {
    print_timeout() = timeout;
}

Printer::Printer(int dpi) : Dpi(dpi) {
    // A4, 8.27 x 11.69 inches.
    Page.resize(static_cast<int>(8.27 * dpi), static_cast<int>(11.69 * dpi));
    std::fill(Page.Rgba.begin(), Page.Rgba.end(), std::uint8_t{255});
}

int Printer::EndDoc() {
    Image page;
    page.width = Page.Width;
    page.height = Page.Height;
    page.rgba = Page.Rgba;
    std::fill(Page.Rgba.begin(), Page.Rgba.end(), std::uint8_t{255});
    std::string error;
    const auto png = encode_png(page, error);
    if (!png) return print_failed("The page could not be prepared for printing: " + error);

    std::string name = files::join_path(files::temp_folder(), "vexolan-print-XXXXXX.png");
    const int fd = mkstemps(name.data(), 4);
    if (fd < 0) return print_failed("The page could not be prepared for printing: no temporary file.");
    bool written = ::write(fd, png->data(), png->size()) == static_cast<ssize_t>(png->size());
    written = ::close(fd) == 0 && written;
    int rc = -1;
    if (written) rc = run_with_timeout({"lp", "-o", "ppi=" + std::to_string(Dpi), "--", name}, print_timeout());
    std::remove(name.c_str());
    if (!written)
        return print_failed("The page could not be prepared for printing: the temporary file was not written.");
    if (rc == -1) return print_failed("The page could not be printed: the print command \"lp\" is not installed.");
    if (rc == -2) return print_failed("The page could not be printed: the print command did not answer.");
    if (rc != 0) return print_failed("The page could not be printed: no printer is set up, or it refused the page.");
    record_success();
    return 1;
}

} // namespace imgman
