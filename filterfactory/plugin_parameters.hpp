#pragma once
// The parameter block of a Filter Factory plug-in as the plug-in host needs it: a pure reading of
// the file's bytes, touching neither the current filter nor any pane.

#include "platform/imgman/plugin_host.hpp"

#include <optional>
#include <string_view>

namespace vexolan::ff {

// The filter a Filter Factory plug-in file of any accepted layout holds, with its dialog flags;
// nothing when the file is not one.
std::optional<imgman::PluginFilter> ReadPluginParameters(std::string_view file);

// Makes the imaging layer's plug-in host read plug-ins with ReadPluginParameters.
void InstallPluginReader();

} // namespace vexolan::ff
