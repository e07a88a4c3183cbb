#include "ffeditor/standins.hpp"

#include "shell/standins.hpp"

namespace vexolan {

void mnuFFE_Click(App&) {
    standin_called("mnuFFE_Click");
}

void LoadintoFFEditor(App&, bool, bool) {
    standin_called("LoadintoFFEditor");
}

} // namespace vexolan
