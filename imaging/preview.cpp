#include "imaging/preview.hpp"

#include "imaging/PicView.hpp"
#include "imaging/commands.hpp"
#include "imaging/handles.hpp"
#include "ffeditor/preview.hpp"
#include "platform/values/values.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/prefs_link.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace vexolan {

namespace {

// The thumbnail frame in twelfths of a pixel: 160 x 110 pixels at every screen resolution.
constexpr short ThumbFrameWidth = 1920;
constexpr short ThumbFrameHeight = 1320;
// The tab of the Preferences window that holds the image list ("Images").
constexpr int ImagesTab = 5;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool regular_file_exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// The hourglass on the main window for the length of a command, also when it fails.
struct Hourglass {
    Form1& f;
    explicit Hourglass(Form1& form) : f(form) { f.MousePointer = ui::vbHourglass; }
    ~Hourglass() { f.MousePointer = ui::vbDefault; }
};

} // namespace

ThumbSize ThumbnailSize(int width, int height, int tx, int ty) {
    const int W = width - 1, H = height - 1;
    if (W <= 0 && H <= 0) return {width, height}; // a single pixel: nothing to scale by
    double widthTwips = 0, heightTwips = 0;
    if (W > H) {
        const float f = static_cast<float>((ThumbFrameWidth * tx / 12.0) / (static_cast<double>(W) * tx));
        heightTwips = vb::RoundHalfEven(H * static_cast<double>(f) * tx);
        widthTwips = vb::RoundHalfEven(ThumbFrameWidth * tx / 12.0);
    } else {
        const float f = static_cast<float>((ThumbFrameHeight * ty / 12.0) / (static_cast<double>(H) * ty));
        widthTwips = vb::RoundHalfEven(W * static_cast<double>(f) * ty);
        heightTwips = vb::RoundHalfEven(ThumbFrameHeight * ty / 12.0);
    }
    return {static_cast<int>(vb::RoundHalfEven(widthTwips / tx)),
            static_cast<int>(vb::RoundHalfEven(heightTwips / ty))};
}

void CreateThumb(App& app) {
    int picture = 0;
    if (!OpenImg(app, app.OriginalBMP, picture, false)) return;
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    imgman::ImgGetInfoStruct(picture, info, flags);
    ThumbSize size = ThumbnailSize(info.Width, info.Height, app.host.TwipsPerPixelX(), app.host.TwipsPerPixelY());
    CopyImg(app, size.width, size.height, picture, app.PreviewImage);
    CloseImg(app, picture);
    if (info.BitCount < 24 && app.PreviewImage != 0) {
        const std::int32_t raised = imgman::ImgIncreaseColors(app.PreviewImage, 24);
        if (raised != 0) {
            imgman::ImgClose(app.PreviewImage);
            app.PreviewImage = raised;
        }
    }
}

void PreparePreviewPic(App& app) {
    app.OriginalBMP = app.Settings.GetSetting("Vexo10", "Settings", "PreviewPic", "");
    if (!regular_file_exists(app.OriginalBMP)) app.OriginalBMP = (app.AppPath / "Test.bmp").string();
    CreateThumb(app);
    Form1& f = app.form1();
    // Pictures whose names differ only in letter case are two pictures.
    for (int i : f.mnuPictures.Indices()) {
        if (f.mnuPictures[i].Caption.get() == app.OriginalBMP) {
            f.mnuPictures[i].Checked = true;
            break;
        }
    }
}

void mnuPictures_Click(App& app, int Index) {
    Form1& f = app.form1();
    try {
        const std::string caption = f.mnuPictures[Index].Caption.get();
        if (caption.empty()) {
            ShowPreferences(app, ImagesTab);
            return;
        }
        const std::string lowered = lower(caption);
        if (lowered.find(".bmp") == std::string::npos && lowered.find(".jpg") == std::string::npos) {
            app.host.MsgBox("\r\nPlease select a BMP or JPG file!", ui::vbExclamation);
            return;
        }
        Hourglass busy(f);
        for (int i : f.mnuPictures.Indices())
            f.mnuPictures[i].Checked = false;
        f.mnuPictures[Index].Checked = true;
        app.OriginalBMP = app.form2().List1[1].List(Index);
        CreateThumb(app);
        if (f.Visible.get() && f.Toolbar1.Buttons(1).Value.get() == ui::tbrPressed) cmd_Preview(app, false);
    } catch (const vb::Error&) {
        f.MousePointer = ui::vbDefault;
    }
}

void mnuOpen_Click(App& app) {
    Hourglass busy(app.form1());
    OpenPreviewPic(app);
}

void mnuPictureView_Click(App& app) {
    Hourglass busy(app.form1());
    PicView& editor = app.picView();
    if (editor.Visible.get()) {
        editor.Show();
        editor.SetFocus();
        return;
    }
    if (app.PreviewImage == 0) PreparePreviewPic(app);
    int handle = 0;
    LoadintoPicView(app, app.OriginalBMP, handle);
}

void LoadintoPicView(App& app, const std::string& ImageFile, int& ImageLoady) {
    if (ImageLoady == 0 && !OpenImg(app, ImageFile, ImageLoady, false)) return;
    imgman::ImageInfo info;
    std::int32_t flags = 0;
    imgman::ImgGetInfoStruct(ImageLoady, info, flags);
    PicView& editor = app.picView();
    editor.Load();
    // A pasted picture not saved yet is offered for saving before the opened one takes its place.
    editor.OfferToSaveChanges();
    // The full pixel size here; the editor's own Open and Paste show one pixel less each way.
    editor.Picture1.Width = info.Width * app.host.TwipsPerPixelX();
    editor.Picture1.Height = info.Height * app.host.TwipsPerPixelY();
    editor.Picture1.Cls();
    DrawImg(app, ImageLoady, editor.Picture1);
    CloseImg(app, app.PicImage);
    app.PicImage = ImageLoady;
    ImageLoady = 0;
    editor.PicFileName = ImageFile;
    editor.AdjustWindow();
    editor.Titlebar();
    if (!editor.Visible.get()) editor.Show();
    editor.SetFocus();
}

} // namespace vexolan
