#include "ffeditor/standins.hpp"

#include "shell/standins.hpp"

#include <string>

namespace vexolan {

void LoadintoFFEditor(App&, bool AlreadyLoaded, bool BatchChild) {
    standin_called(std::string("LoadintoFFEditor(") + (AlreadyLoaded ? "True" : "False") + ", " +
                   (BatchChild ? "True" : "False") + ")");
}

void RefreshPreview(App&) {
    standin_calls().emplace_back("RefreshPreview");
}

void ShowBigPreview(App&) {
    standin_called("ShowBigPreview");
}

void SaveFilteredPic(App&) {
    standin_called("SaveFilteredPic");
}

void OpenPreviewPic(App&) {
    standin_called("OpenPreviewPic");
}

void SaveFilterAs(App&, int Index) {
    standin_called("SaveFilterAs(" + std::to_string(Index) + ")");
}

void ResetFilter(App&) {
    standin_called("ResetFilter");
}

} // namespace vexolan
