#pragma once
// Temporary stand-ins for the parts of the Filter Factory editor that are not built yet: opening a
// filter in the editor, the live preview and saving.

namespace vexolan {

class App;

// Opens the editor on the current filter: `AlreadyLoaded` when the filter record holds it already
// (a text source just read), otherwise on the active pane's selected file (in the Plugin View, the
// selected filter); `BatchChild` when a batch opens it.
void LoadintoFFEditor(App& app, bool AlreadyLoaded, bool BatchChild);

} // namespace vexolan

// The stand-ins of the preview and of saving are declared where their real procedures will be.
#include "ffeditor/preview.hpp"
#include "ffeditor/saving.hpp"
