#include "preferences/standins.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "platform/ui/Window.hpp"

#include <cstdlib>

namespace vexolan {

void GreyscaleBar(ui::Window& Formy, int Pixelwidth, bool HOrientation, bool Bottomy) {
    ui::Host& host = Formy.host();
    const int tx = host.TwipsPerPixelX(), ty = host.TwipsPerPixelY();
    // One box per pixel row (or column), from white at the edge to mid grey inside.
    for (int i = 0; i < Pixelwidth; ++i) {
        int level = 255 - i * 127 / (Pixelwidth > 1 ? Pixelwidth - 1 : 1);
        ui::Color grey = ui::RGB(level, level, level);
        if (HOrientation) {
            int y = Bottomy ? Formy.ScaleHeight() - (i + 1) * ty : i * ty;
            Formy.DrawFilledBox(0, y, Formy.ScaleWidth(), y + ty, grey);
        } else {
            Formy.DrawFilledBox(i * tx, 0, (i + 1) * tx, Formy.ScaleHeight(), grey);
        }
    }
}

} // namespace vexolan

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

std::string ShowOpenDialog(App& app, std::string_view title, std::string& folder, std::string_view proposedName,
                           std::string_view filter, std::string_view defaultExtension) {
    ui::FileDialogRequest request;
    request.DialogMode = ui::FileDialogRequest::Open;
    request.Title = std::string(title);
    const char* home = std::getenv("HOME");
    request.InitialFolder = folder == "c:\\" ? std::string(home ? home : "/") : folder;
    request.ProposedName = std::string(proposedName);
    request.DefaultExtension = std::string(defaultExtension);
    std::string_view rest = filter;
    while (!rest.empty()) {
        auto bar = rest.find('|');
        ui::FileFilter f;
        f.Description = std::string(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        bar = rest.find('|');
        f.Pattern = std::string(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        request.Filters.push_back(std::move(f));
    }
    std::string path = app.host.FileDialog(request);
    if (path.empty()) return {};
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return path;
    folder = path.substr(0, slash + 1);
    return path.substr(slash + 1);
}

ui::MenuArray* MenuArrayOf(App& app, int list) {
    Form1& main = app.form1();
    switch (list) {
    case 0:
        return &main.mnuDirectorys;
    case 1:
        return &main.mnuPictures;
    case 2:
        return &main.mnuApps;
    default:
        return nullptr;
    }
}

void MenuPicture(App& /*app*/, int /*picture*/, int /*barPosition*/, int /*itemPosition*/) {}

} // namespace vexolan

namespace vexolan {

ui::FontChoice ListFont(App& /*app*/) {
    return {std::string(ui::DesignFontName), ui::DesignFontSize};
}

ui::FontChoice OtherFont(App& /*app*/) {
    return {std::string(ui::DesignFontName), ui::DesignFontSize};
}

void ApplyFontGroup(App& /*app*/, int /*group*/, const ui::FontChoice& /*font*/) {}

void ApplyListViewOption(App& /*app*/, int /*option*/, bool /*on*/) {}

void FitListViewColumns(App& /*app*/) {}

void GetIcons(App& /*app*/) {}

} // namespace vexolan
