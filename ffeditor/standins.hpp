#pragma once
// What the editor window calls of a part not built yet: the snippet list.

namespace vexolan {

class App;

// Fills the snippet list of the editor window from "Snipets.db" as the window loads. For now the
// list stays empty.
void LoadSnippets(App& app);

} // namespace vexolan

// The editor window includes this header for the preview and saving procedures as well.
#include "ffeditor/preview.hpp"
#include "ffeditor/saving.hpp"
