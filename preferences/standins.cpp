#include "preferences/standins.hpp"

#include "shell/App.hpp"

namespace vexolan {

int OpenImgDialog(App& app, std::string& name) {
    ui::FileDialogRequest request;
    request.Title = "Open Picture";
    request.Filters = {{"Pictures (*.bmp;*.jpg)", "*.bmp;*.jpg"}, {"All Files (*.*)", "*.*"}};
    name = app.host.FileDialog(request);
    return name.empty() ? 0 : 1;
}

void CloseImg(App& /*app*/, int& handle) {
    handle = 0;
}

} // namespace vexolan
