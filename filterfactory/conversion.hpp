#pragma once
// The Convert command: every selected Filter Factory file of the active pane (or the text on the
// clipboard) is read into the current filter and written in one format into the other pane's folder.

namespace vexolan {

class App;

// Converts into format `DestType` (the Convert dialog's list index, see filterfactory/names.hpp):
// libraries entry by entry, single files through ReadFFfile, asking before an existing file is
// replaced. Esc stops before the next item; the status line counts the items; at the end the panes
// are refreshed.
void cmd_Convert(App& app, int DestType);

} // namespace vexolan
