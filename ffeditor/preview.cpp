#include "ffeditor/preview.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/transfer.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/rewrite.hpp"
#include "imaging/PicView.hpp"
#include "imaging/handles.hpp"
#include "imaging/plugin_run.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/imgman.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/status.hpp"

#include <cmath>

namespace vexolan {

namespace {

constexpr std::string_view EditorCaption = "Filter Factory Editor";
constexpr std::string_view PreviewTip = "Click me to update preview!";
constexpr std::array<std::string_view, 4> DefaultCode{"a", "r", "g", "b"};
constexpr std::string_view AlphaMarker = "Alpha";

// The editor's caption: its name, and why the formulas do not compile when they do not.
std::string editor_caption(const FFEditorType1& e) {
    std::string caption(EditorCaption);
    if (!e.FormulaProblem.empty()) caption += " - " + e.FormulaProblem;
    return caption;
}

// One run of the preview plug-in: the record compiled into "temp.dll" in place (without the
// plug-in's own dialog), run over PluginImage and drawn into `box`. A compile that wrote nothing
// has told the user why already; the old "temp.dll" is then not run, as it shows another filter.
// A run that failed because a formula does not compile leaves the reason in the editor's
// FormulaProblem; a run that succeeded clears it.
bool plugin_run(App& app, ui::PictureBox& box) {
    std::string folder = app.AppPath.string();
    // A preview plug-in removed since start-up is made again rather than failing at every move.
    if (!files::file_exists(files::app_path(ff::PreviewPlugin))) PreparePreviewPlugin(app);
    if (ff::Write8bf(app.FF, folder, true, false, app.FFCompileOptions()) != ff::CompileResult::Written) return false;
    std::string name(ff::PreviewPlugin);
    bool draw = true;
    std::int32_t owner = 0;
    const bool ran = PluginInvoke(app, folder, name, box, draw, owner);
    box.Refresh();
    FFEditorType1& e = app.EditorForm();
    if (ran)
        e.FormulaProblem.clear();
    else if (imgman::ImgGetStatus() == imgman::StatusBadFormula)
        e.FormulaProblem = imgman::ImgGetErrorText();
    return ran;
}

// The alpha channel shown as grey: the alpha code with a read as i, in the blue box only when the
// colour code stores values the alpha code gets back, in all three otherwise.
void alpha_view(App& app) {
    ff::FilterRecord& r = app.FF.Record;
    ff::ReplaceAwithI(r.CodeA);
    if (r.CodeA.find("get") == std::string::npos || r.CodeR.size() <= 1) {
        r.CodeR = r.CodeA;
        r.CodeG = r.CodeA;
    }
    r.CodeB = r.CodeA;
}

// "Alpha" in red in the preview's lower right corner, measured in the box's font before the change.
void print_alpha_marker(ui::PictureBox& box) {
    const int x = box.Width - box.TextWidth(AlphaMarker) - 80;
    const int y = box.Height - box.TextHeight(AlphaMarker) - 80;
    box.CurrentX = x;
    box.CurrentY = y;
    box.ForeColor = 255;
    box.Font.Name = "Arial";
    box.Font.Size = 8;
    box.Font.Bold = true;
    box.Print(AlphaMarker);
}

// The window's caption and pointer come back however the run ends.
struct Busy {
    FFEditorType1& editor;
    bool hourglass;
    Busy(FFEditorType1& e, std::string_view caption, bool withHourglass) : editor(e), hourglass(withHourglass) {
        editor.Caption = std::string(caption);
        if (hourglass) editor.MousePointer = ui::vbHourglass;
    }
    ~Busy() {
        editor.Caption = editor_caption(editor);
        // A skinned editor draws no caption: the preview box tells the problem when pointed at.
        editor.Picture1.ToolTipText =
            editor.FormulaProblem.empty() ? std::string(PreviewTip) : editor.FormulaProblem;
        if (hourglass) editor.MousePointer = ui::vbDefault;
    }
};

} // namespace

bool PreparePreviewPlugin(App&) {
    const std::string tmpl = files::find_file_no_case(files::app_folder(), "Photo30.dll");
    if (tmpl.empty()) return false;
    const std::string preview = files::app_path(ff::PreviewPlugin);
    files::copy_file(tmpl, preview, true);
    ff::ToggleFFUI(preview, false);
    return true;
}

void RefreshPreview(App& app) {
    FFEditorType1& e = app.EditorForm();
    if (!e.Enabled) return;
    try {
        for (std::size_t k = 0; k < 4; ++k)
            if (e.Text5[k].Text.get().empty()) e.Text5[k].Text = std::string(DefaultCode[k]);
        Busy busy(e, "Calculating...", false);
        int width =
            static_cast<int>(vb::RoundHalfEven(static_cast<double>(e.Picture1.Width) / app.host.TwipsPerPixelX()));
        int height =
            static_cast<int>(vb::RoundHalfEven(static_cast<double>(e.Picture1.Height) / app.host.TwipsPerPixelY()));
        // A box too small for a picture, or no thumbnail: nothing to run on.
        if (width <= 0 || height <= 0 || !CopyImg(app, width, height, app.PreviewImage, app.PluginImage)) return;
        EditorToFilter(app);

        const ff::FilterRecord& r = app.FF.Record;
        const bool alphaDisplay = app.form1().mnuAlphaChannel.Checked;
        const bool alphaEdited = r.CodeA != "a";
        bool normal = true, alpha = false;
        if (!alphaDisplay) {
            if (alphaEdited && r.CodeR.size() == 1 && r.CodeG.size() == 1 && r.CodeB.size() == 1) normal = false;
        } else if (alphaEdited) {
            if (r.CodeR.size() <= 1 && r.CodeG.size() <= 1 && r.CodeB.size() <= 1) normal = false;
            alpha = true;
        }
        if (!normal) alpha = true;
        if (normal) plugin_run(app, e.Picture1);
        if (alpha) {
            alpha_view(app);
            plugin_run(app, e.Picture1);
            print_alpha_marker(e.Picture1);
        }
    } catch (const vb::Error& err) {
        app.Err.Raise(err);
        ErrorMessage(app);
    }
}

void ShowBigPreview(App& app) {
    FFEditorType1& e = app.EditorForm();
    PicView& view = app.picView();
    {
        Busy busy(e, "Calculating ...", true);
        vb::ResumeNext([&] { OpenImg(app, app.OriginalBMP, app.PluginImage, false); });
        vb::ResumeNext([&] {
            view.Load();
            // A pasted picture not saved yet is offered for saving before the filtered one replaces it.
            view.OfferToSaveChanges();
            SizeBoxToImg(app, view.Picture1, app.PluginImage);
            view.Picture1.Cls();
            view.AdjustWindow();
        });
        vb::ResumeNext([&] { EditorToFilter(app); });
        vb::ResumeNext([&] { plugin_run(app, view.Picture1); });
        vb::ResumeNext([&] {
            CloseImg(app, app.PicImage);
            app.PicImage = app.PluginImage;
            app.PluginImage = 0;
            view.Picture1.Refresh();
        });
    }
    vb::ResumeNext([&] {
        if (!view.Visible) view.Show();
        view.Titlebar();
    });
}

void SaveFilteredPic(App& app) {
    ShowBigPreview(app);
    vb::ResumeNext([&] { app.picView().mnuSaveAs_Click(1); });
}

void OpenPreviewPic(App& app) {
    FFEditorType1& e = app.EditorForm();
    if (!e.Enabled) return;
    try {
        int opened = 0;
        const std::string name = OpenImgDialog(app, opened);
        CloseImg(app, opened);
        if (name.empty()) return;
        const std::string lowered = vb::LCase(name);
        if (lowered.find(".bmp") == std::string::npos && lowered.find(".jpg") == std::string::npos) {
            app.host.MsgBox("\r\nPlease select a BMP or JPG file!", ui::vbExclamation);
            return;
        }
        struct Pointer {
            FFEditorType1& w;
            ~Pointer() { w.MousePointer = ui::vbDefault; }
        } pointer{e};
        app.OriginalBMP = name;
        e.MousePointer = ui::vbHourglass;
        CreateThumb(app);
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        if (imgman::ImgGetInfoStruct(app.PreviewImage, info, flags) == 1) {
            e.Picture1.Width = (info.Width - 1) * app.host.TwipsPerPixelX();
            e.Picture1.Height = (info.Height - 1) * app.host.TwipsPerPixelY();
        }
        e.Picture1.Cls();
        DrawImg(app, app.PreviewImage, e.Picture1);
        if (e.Visible) RefreshPreview(app);

        Form2& prefs = app.form2();
        ui::ListBox& pictures = prefs.List1[1];
        bool listed = false;
        for (int i = 0; i < pictures.ListCount(); ++i)
            listed = listed || pictures.List(i) == name;
        if (!listed && prefs.Check10[1].Value == ui::vbChecked) {
            pictures.AddItem(name);
            prefs.ListToMenu(1);
            for (int i = 0; i < pictures.ListCount(); ++i)
                app.Settings.SaveSetting("Vexo10", "Settings", "Pic" + std::to_string(i), pictures.List(i));
        }
    } catch (const vb::Error&) {
        e.MousePointer = ui::vbDefault;
    }
}

} // namespace vexolan
