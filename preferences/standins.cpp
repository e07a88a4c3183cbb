#include "preferences/standins.hpp"

#include "shell/App.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "platform/ui/Window.hpp"

namespace vexolan {

namespace local {

void GreyscaleBar(ui::Window& Formy, long& Pixelwidth, bool HOrientation, bool Bottomy) {
    const int tx = Formy.host().TwipsPerPixelX(), ty = Formy.host().TwipsPerPixelY();
    const int n = static_cast<int>(Pixelwidth);
    Formy.Cls();
    for (int i = 0; i < n; ++i) {
        int level = 255 - i * 255 / (n > 1 ? n - 1 : 1);
        ui::Color grey = ui::RGB(level, level, level);
        if (HOrientation) {
            int y = Bottomy ? Formy.ScaleHeight() - (i + 1) * ty : i * ty;
            Formy.DrawFilledBox(0, y, Formy.ScaleWidth(), y + ty, grey);
        } else {
            Formy.DrawFilledBox(i * tx, 0, (i + 1) * tx, Formy.ScaleHeight(), grey);
        }
    }
}

void ToggleRollUpHeight(ui::Window& window, RollUpState& state) {
    if (!state.Restored && state.SavedSize > 0) {
        window.Height = static_cast<int>(state.SavedSize);
        state.Restored = true;
        return;
    }
    state.SavedSize = window.Height;
    window.Height = 28 * 12 * window.host().TwipsPerPixelX() / window.host().TwipsPerPixelY();
    state.Restored = false;
}

void BeginCaptionDrag(ui::Window& window) {
    window.property_changed("CaptionDrag");
}

void ShowHelp(App& app, std::string_view Fily) {
    try {
        auto r = desktop::open_document(files::app_path("help/" + std::string(Fily)), app.AppPath.string());
        if (r == desktop::OpenResult::NoAssociation)
            app.host.MsgBox("You have no HTML Viewer installed!", ui::vbExclamation);
    } catch (const vb::Error& e) {
        app.host.MsgBox(e.description());
    }
}

std::string ShowOpenDialog(ui::Window& form, std::string_view title, std::string& folder, std::string_view fileName,
                           std::string_view filter, std::string_view defaultExt) {
    ui::FileDialogRequest request;
    request.Title = std::string(title);
    request.InitialFolder = folder;
    request.ProposedName = std::string(fileName);
    request.DefaultExtension = std::string(defaultExt);
    std::string_view rest = filter;
    while (!rest.empty()) {
        auto take = [&rest] {
            auto bar = rest.find('|');
            std::string part(rest.substr(0, bar));
            rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
            return part;
        };
        ui::FileFilter f;
        f.Description = take();
        f.Pattern = take();
        request.Filters.push_back(std::move(f));
    }
    std::string path = form.host().FileDialog(request);
    if (path.empty()) return {};
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return path;
    folder = path.substr(0, slash + 1);
    return path.substr(slash + 1);
}

} // namespace local

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
