#include "imaging/plugin_run.hpp"

#include "platform/imgman/imgman.hpp"
#include "shell/App.hpp"
#include "shell/status.hpp"

namespace vexolan {

bool PluginInvoke(App& app, std::string& PlugPath, std::string& PlugName, ui::PictureBox& PicBox, bool& PicDraw,
                  int32_t& FormyHwnd) {
    if (FormyHwnd == 0) FormyHwnd = MainWindowHandle;
    if (app.PluginImage == 0) return false;
    bool result = false;
    try {
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        imgman::ImgGetInfoStruct(app.PluginImage, info, flags);
        const imgman::Rect area{0, 0, info.Width - 1, info.Height - 1};
        if (imgman::ImgPlugInHostLoad(PlugPath) != 1) {
            imgman::ImgErrBox(app.host);
        } else {
            if (imgman::ImgPlugInLoad(PlugName) != 1) {
                app.host.MsgBox(PluginLoadError, ui::vbCritical | ui::vbOKOnly);
            } else if (app.PluginImage != 0) {
                const int32_t r = imgman::ImgPlugInInvoke(app.PluginImage, &app.host, area);
                if (r == 1 && app.PluginImage != 0) {
                    result = true;
                    // At its own size into the top-left corner: the destination ends after the
                    // last pixel the filter area names.
                    if (PicDraw)
                        imgman::ImgDrawImage(app.PluginImage, PicBox, {0, 0, area.right + 1, area.bottom + 1}, area);
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
