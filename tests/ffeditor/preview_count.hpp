#pragma once
// How often the editor's preview was refreshed since the test cleared the count. Until the live
// preview is built, its stand-in's call log counts; this is the one place to change when it lands.

#include "shell/standins.hpp"

#include <algorithm>

namespace test_support {

inline int preview_refreshes() {
    const auto& calls = vexolan::standin_calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), "RefreshPreview"));
}

inline void clear_preview_refreshes() {
    vexolan::standin_calls().clear();
}

} // namespace test_support
