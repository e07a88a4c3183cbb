// Printing: the page goes to the desktop's print command as a PNG picture in a temporary file.
// The command is started without a shell and with no input, and it is given a limited time: a
// system without a printer (or without a print command) ends in a failure, never in a hang.

#include "platform/imgman/imgman.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/codecs.hpp"
#include "platform/imgman/status.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
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

namespace {

// Writes `bytes` into a fresh temporary file ending in `suffix` (4 characters) and prints it with
// the extra options.
int print_file(const std::string& bytes, const char* suffix, const std::vector<std::string>& options) {
    std::string name = files::join_path(files::temp_folder(), std::string("vexolan-print-XXXXXX") + suffix);
    const int fd = mkstemps(name.data(), 4);
    if (fd < 0) return print_failed("The page could not be prepared for printing: no temporary file.");
    bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    written = ::close(fd) == 0 && written;
    int rc = -1;
    if (written) {
        std::vector<std::string> argv{"lp"};
        argv.insert(argv.end(), options.begin(), options.end());
        argv.push_back("--");
        argv.push_back(name);
        rc = run_with_timeout(argv, print_timeout());
    }
    std::remove(name.c_str());
    if (!written)
        return print_failed("The page could not be prepared for printing: the temporary file was not written.");
    if (rc == -1) return print_failed("The page could not be printed: the print command \"lp\" is not installed.");
    if (rc == -2) return print_failed("The page could not be printed: the print command did not answer.");
    if (rc != 0) return print_failed("The page could not be printed: no printer is set up, or it refused the page.");
    record_success();
    return 1;
}

} // namespace

int TextPrinter::EndDoc() {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\n";
    lines_.clear();
    // Characters and lines per inch for the font size: 12 points give 10 characters and 6 lines.
    const double size = FontSize > 0 ? FontSize : 10;
    const int cpi = std::max(1, static_cast<int>(std::lround(120.0 / size)));
    const int lpi = std::max(1, static_cast<int>(std::lround(72.0 / size)));
    return print_file(text, ".txt", {"-o", "cpi=" + std::to_string(cpi), "-o", "lpi=" + std::to_string(lpi)});
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

    return print_file(std::string(png->begin(), png->end()), ".png", {"-o", "ppi=" + std::to_string(Dpi)});
}

} // namespace imgman
