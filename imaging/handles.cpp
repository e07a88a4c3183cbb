#include "imaging/handles.hpp"

#include "platform/ui/Controls.hpp"
#include "shell/App.hpp"

#include <cmath>

namespace vexolan {

void CloseImg(App& /*app*/, int& handle) {
    if (handle != 0) imgman::ImgClose(handle);
    handle = 0;
}

bool OpenImg(App& app, const std::string& fileName, int& handle, bool quiet) {
    CloseImg(app, handle);
    handle = imgman::ImgOpenSolo(fileName, "");
    if (handle != 0) return true;
    // The path on the first line, and on a second the imaging layer's reason, where it gave one.
    if (!quiet) app.host.MsgBox(CouldNotOpenText(fileName), ui::vbExclamation);
    return false;
}

std::string CouldNotOpenText(const std::string& fileName) {
    const std::string reason = imgman::ImgGetErrorText();
    return "Couldn't open " + fileName + (reason.empty() ? std::string() : "\r\n" + reason);
}

std::string OpenImgDialog(App& app, int& handle) {
    CloseImg(app, handle);
    std::string path;
    // The picture editor opens BMP and JPEG pictures: the dialog offers those and nothing else.
    handle = imgman::ImgOpenDialog(app.host, path, imgman::OfferBmp | imgman::OfferJpeg);
    return path;
}

bool CopyImg(App& app, int& width, int& height, int& source, int& destination) {
    if (destination != 0) CloseImg(app, destination);
    if (source == 0) return false;
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    const int r = imgman::ImgGetInfoStruct(source, info, flags);
    const imgman::Rect whole{0, 0, info.Width - 1, info.Height - 1};
    if (width == 0) width = info.Width;
    if (height == 0) height = info.Height;
    destination = imgman::ImgCopy(source, width, height, whole, flags);
    return r == 1 && destination != 0;
}

imgman::Rect DrawImgRect(double boxWidthTwips, double boxHeightTwips, int twipsPerPixelX, int twipsPerPixelY, int w,
                         int h) {
    const double across = boxWidthTwips / twipsPerPixelX, down = boxHeightTwips / twipsPerPixelY;
    const int bw = static_cast<int>(vb::RoundHalfEven(across)), bh = static_cast<int>(vb::RoundHalfEven(down));
    imgman::Rect dst{0, 0, bw, bh};
    if (w < across) {
        const int ox = static_cast<int>(std::trunc((across - (w - 1)) / 2));
        dst.left = ox;
        dst.right = bw - ox;
    }
    if (h < down) {
        const int oy = static_cast<int>(std::trunc((down - (h - 1)) / 2));
        dst.top = oy;
        dst.bottom = bh - oy;
    }
    return dst;
}

bool DrawImg(App& app, int& handle, ui::PictureBox& box) {
    if (handle == 0) return false;
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    imgman::ImgGetInfoStruct(handle, info, flags);
    const imgman::Rect source{0, 0, info.Width - 1, info.Height - 1};
    const imgman::Rect destination = DrawImgRect(box.Width, box.Height, app.host.TwipsPerPixelX(),
                                                 app.host.TwipsPerPixelY(), info.Width, info.Height);
    imgman::ImgDrawImage(handle, box, destination, source);
    return true;
}

void SizeBoxToImg(App& app, ui::PictureBox& box, int& handle) {
    if (handle == 0) return;
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    imgman::ImgGetInfoStruct(handle, info, flags);
    box.Width = static_cast<int>((info.Width - 1.0) * app.host.TwipsPerPixelX());
    box.Height = static_cast<int>((info.Height - 1.0) * app.host.TwipsPerPixelY());
}

} // namespace vexolan
