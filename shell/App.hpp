#pragma once
// The application object: owns every window and every piece of program-wide state.

#include "filterfactory/record.hpp"

#include <filesystem>

namespace vexolan {

class App {
public:
    // The per-user, writable application folder (templates, temp.dll, lists, help pages).
    std::filesystem::path AppPath;

    // --- current filter ---
    // FilterRecord (FF.Record), pFlag (FF.pFlag) and the hooks its readers call out through.
    ff::FFContext FF;
};

} // namespace vexolan
