#pragma once
// A fake `xdg-mime` first on PATH: "query filetype FILE" answers a chosen MIME type, "query default
// TYPE" a chosen desktop entry ("" = no program is associated). Each call is logged.

#include "tests/support/temp_dir.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace test_support {

class FakeMime {
public:
    explicit FakeMime(std::string type = "application/pdf", std::string program = "viewer.desktop") : bin_("mimebin") {
        const char* old = std::getenv("PATH");
        oldPath_ = old ? old : "";
        setenv("PATH", (bin_.path().string() + ":" + oldPath_).c_str(), 1);
        answer(std::move(type), std::move(program));
    }
    ~FakeMime() { setenv("PATH", oldPath_.c_str(), 1); }
    FakeMime(const FakeMime&) = delete;
    FakeMime& operator=(const FakeMime&) = delete;

    void answer(std::string type, std::string program) {
        const std::string log = (bin_.path() / "mime.log").string();
        auto p = bin_.write("xdg-mime", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + log +
                                            "'\n"
                                            "if [ \"$2\" = filetype ]; then printf '%s\\n' '" +
                                            type + "'; fi\nif [ \"$2\" = default ]; then printf '%s' '" + program +
                                            "'; fi\nexit 0\n");
        ::chmod(p.c_str(), 0755);
    }
    std::string calls() const {
        auto p = bin_.path() / "mime.log";
        return std::filesystem::exists(p) ? read_file(p) : std::string();
    }

private:
    TempDir bin_;
    std::string oldPath_;
};

} // namespace test_support
