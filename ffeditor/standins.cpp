#include "ffeditor/standins.hpp"

#include "shell/standins.hpp"

#include <string>

namespace vexolan {

void mnuFFE_Click(App&) {
    standin_called("mnuFFE_Click");
}

void LoadintoFFEditor(App&, bool AlreadyLoaded, bool BatchChild) {
    standin_called(std::string("LoadintoFFEditor(") + (AlreadyLoaded ? "True" : "False") + ", " +
                   (BatchChild ? "True" : "False") + ")");
}

} // namespace vexolan
