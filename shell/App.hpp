#pragma once
// The application object: owns every window and every piece of program-wide state.

#include <filesystem>

namespace vexolan {

class App {
public:
    // The per-user, writable application folder (templates, temp.dll, lists, help pages).
    std::filesystem::path AppPath;
};

} // namespace vexolan
