#include "imaging/plugin_run.hpp"

#include "platform/imgman/images.hpp"
#include "shell/App.hpp"
#include "shell/status.hpp"

namespace vexolan {

namespace {

ImageDrawer& drawer() {
    static ImageDrawer d;
    return d;
}

} // namespace

void set_image_drawer(ImageDrawer d) {
    drawer() = std::move(d);
}

bool PluginInvoke(App& app, std::string& PlugPath, std::string& PlugName, ui::PictureBox& PicBox, bool& PicDraw,
                  int32_t& FormyHwnd) {
    if (FormyHwnd == 0) FormyHwnd = MainWindowHandle;
    if (app.PluginImage == 0) return false;
    bool result = false;
    try {
        const imgman::Image* info = imgman::image_of(app.PluginImage);
        imgman::Rect area;
        if (info) area = {0, 0, info->width - 1, info->height - 1};
        // Loading the host cannot fail: it only remembers the folder.
        if (imgman::ImgPlugInHostLoad(PlugPath) == 1) {
            if (imgman::ImgPlugInLoad(PlugName) != 1) {
                app.host.MsgBox(PluginLoadError, ui::vbCritical | ui::vbOKOnly);
            } else if (app.PluginImage != 0) {
                const int32_t r = imgman::ImgPlugInInvoke(app.PluginImage, &app.host, area);
                if (r == 1 && app.PluginImage != 0) {
                    result = true;
                    if (PicDraw && drawer()) drawer()(app.PluginImage, PicBox, area, area);
                }
            }
        }
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
    imgman::ImgPlugInHostUnload();
    return result;
}

} // namespace vexolan
