#pragma once
// How often the editor's preview ran since the test cleared the count: the plug-in host's runs (a
// refresh with the default code makes one).

#include "platform/imgman/plugin_host.hpp"

namespace test_support {

inline int preview_refreshes() {
    return static_cast<int>(imgman::plugin_host_log().Invokes.size());
}

inline void clear_preview_refreshes() {
    imgman::reset_plugin_host_log();
}

} // namespace test_support
