#pragma once
// Temporary stand-in for the Filter Factory editor until the editor exists.

namespace vexolan {

class App;

// View > "FF Editor": opens the editor window.
void mnuFFE_Click(App& app);

} // namespace vexolan
