#include "ffeditor/standins.hpp"

#include "shell/standins.hpp"

#include <string>

namespace vexolan {

void LoadintoFFEditor(App&, bool AlreadyLoaded, bool BatchChild) {
    standin_called(std::string("LoadintoFFEditor(") + (AlreadyLoaded ? "True" : "False") + ", " +
                   (BatchChild ? "True" : "False") + ")");
}

void LoadSnippets(App&) {
    standin_calls().emplace_back("LoadSnippets");
}

void RefreshPreview(App&) {
    standin_calls().emplace_back("RefreshPreview");
}

} // namespace vexolan
