#pragma once
// Test helpers for the desktop side of the small windows: a fake `xdg-open` first on PATH that
// records each target it is given and answers with a chosen exit code (0 opened, 2 not found, 3 no
// program associated), and a view that records what a window asks of the screen.

#include "platform/ui/View.hpp"
#include "tests/support/temp_dir.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace test_support {

class FakeOpener {
public:
    explicit FakeOpener(int exitCode = 0) : bin_("bin") {
        const char* old = std::getenv("PATH");
        oldPath_ = old ? old : "";
        setenv("PATH", (bin_.path().string() + ":" + oldPath_).c_str(), 1);
        answer(exitCode);
    }
    ~FakeOpener() { setenv("PATH", oldPath_.c_str(), 1); }
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    // The exit code of the next calls.
    void answer(int exitCode) {
        auto p = bin_.write("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log().string() + "'\nexit " +
                                            std::to_string(exitCode) + "\n");
        ::chmod(p.c_str(), 0755);
    }
    // Every target opened so far, in order.
    std::vector<std::string> targets() const {
        std::vector<std::string> out;
        if (!std::filesystem::exists(log())) return out;
        std::string all = read_file(log());
        std::size_t start = 0;
        while (start < all.size()) {
            std::size_t end = all.find('\n', start);
            out.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        return out;
    }
    const std::filesystem::path& folder() const { return bin_.path(); }

private:
    std::filesystem::path log() const { return bin_.path() / "opened.log"; }
    TempDir bin_;
    std::string oldPath_;
};

// Records the names of the window properties and requests the screen is told of.
class RecordingView : public ui::View {
public:
    void changed(ui::Control&, std::string_view) override {}
    void changed(ui::Window&, std::string_view property) override { window_.emplace_back(property); }
    void changed(ui::Menu&, std::string_view) override {}
    int count(std::string_view property) const {
        int n = 0;
        for (const std::string& p : window_)
            if (p == property) ++n;
        return n;
    }

private:
    std::vector<std::string> window_;
};

} // namespace test_support
