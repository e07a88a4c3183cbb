#pragma once
// For the screen tests of pasting: another program (xclip) owning a selection, and a watch on the
// model while a modal window's loop runs.
//
//     NEED_XCLIP();
//     ForeignSelection owner(*this, "clipboard", "text");                 // offers text
//     ForeignSelection picture(*this, "clipboard", png, "image/png");    // offers only a picture

#include "tests/screen/screen_support.hpp"

#include <FL/Fl.H>
#include <FL/x.H>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace test_support {

inline std::string xclip_program() {
    for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"})
        if (std::filesystem::exists(std::string(dir) + "/xclip")) return std::string(dir) + "/xclip";
    return {};
}

#define NEED_XCLIP()                                                                                                   \
    if (test_support::xclip_program().empty())                                                                         \
    GTEST_SKIP() << "xclip is not installed: this test needs another program's clipboard"

// xclip in the foreground owning a selection ("clipboard" or "primary") with `bytes`, offered as
// `type` alone (xclip's own default, text, when empty), for the life of the object; the test waits
// until the display names it the owner.
class ForeignSelection {
public:
    ForeignSelection(ScreenTest& test, const std::string& selection, const std::string& bytes,
                     const std::string& type = {}) {
        const Atom atom = selection == "primary" ? XA_PRIMARY : XInternAtom(fl_display, "CLIPBOARD", False);
        const Window before = XGetSelectionOwner(fl_display, atom);
        const std::filesystem::path file = test.root.write("selection.bin", bytes);
        std::string program = xclip_program(), quiet = "-quiet", sel = "-selection", name = selection, in = "-i",
                    path = file.string(), t = "-t", kind = type;
        std::vector<char*> argv{program.data(), quiet.data(), sel.data(), name.data()};
        if (!kind.empty()) {
            argv.push_back(t.data());
            argv.push_back(kind.data());
        }
        argv.insert(argv.end(), {in.data(), path.data(), nullptr});
        posix_spawn_file_actions_t quietly;
        posix_spawn_file_actions_init(&quietly);
        posix_spawn_file_actions_addopen(&quietly, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, program.c_str(), &quietly, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&quietly);
        EXPECT_GT(pid_, 0) << "xclip did not start";
        EXPECT_TRUE(test.pump_until(
            [&] {
                const Window now = XGetSelectionOwner(fl_display, atom);
                return now != None && now != before;
            },
            5))
            << "xclip never owned the " << selection << " selection";
    }
    ~ForeignSelection() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    ForeignSelection(const ForeignSelection&) = delete;
    ForeignSelection& operator=(const ForeignSelection&) = delete;

private:
    pid_t pid_ = -1;
};

// While a modal window's loop runs, the test cannot wait in its own: a timer looks at the model and
// leaves a file for the driving script (`wait_ready`) once `done` holds.
struct ModelWatch {
    std::function<bool()> done;
    std::filesystem::path ready;
    static void look(void* v) {
        auto* w = static_cast<ModelWatch*>(v);
        if (w->done()) {
            std::ofstream(w->ready) << "ready";
            return;
        }
        Fl::repeat_timeout(0.05, look, v);
    }
    ModelWatch(std::function<bool()> d, std::filesystem::path file) : done(std::move(d)), ready(std::move(file)) {
        std::filesystem::remove(ready);
        Fl::add_timeout(0.05, look, this);
    }
    ~ModelWatch() { Fl::remove_timeout(look, this); }
};

// Waits up to five seconds for the watch's file; on the time-out the script goes on, and the test's
// check on the disk tells what the model held.
inline std::string wait_ready(const std::filesystem::path& file) {
    return "for i in $(seq 1 100); do [ -e '" + file.string() + "' ] && break; sleep 0.05; done\n";
}

} // namespace test_support
