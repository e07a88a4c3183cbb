#include "ffeditor/preview.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/transfer.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/rewrite.hpp"
#include "imaging/PicView.hpp"
#include "imaging/handles.hpp"
#include "imaging/plugin_run.hpp"
#include "imaging/preview.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/imgman.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/status.hpp"

#include <algorithm>
#include <array>
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
    return ran;
}

// What keeps the window's filter from running: the first code box, in the order of the boxes (C or
// R, G, B, then the alpha box), whose formula is too long for a plug-in's slot or does not compile,
// named as the user sees the box: in single-box mode the red box is "C" and green and blue are its
// copies; the alpha box has no label and is called "alpha". Every formula counts, also those the
// preview's alpha rules leave out of a run, as a saved plug-in carries all four.
struct RunProblem {
    std::string reason;   // "" when every formula can run
    bool tooLong = false; // a formula does not fit: the compiler would refuse the filter
};

RunProblem formula_problem(const ff::FFContext& ff, bool singleBox) {
    static constexpr std::array<std::string_view, 4> Boxes{"R", "G", "B", "alpha"};
    RunProblem problem;
    for (int k = 0; k < 4; ++k) {
        if (singleBox && (k == 1 || k == 2)) continue;
        std::string code = ff.Record.Code(k);
        // The code as the compiler will write it.
        if (!ff.pFlag) ff::Correctprmcode(code);
        const std::string box(singleBox && k == 0 ? std::string_view("C") : Boxes[static_cast<std::size_t>(k)]);
        if (vb::Utf8ToCp1252(code).size() > ff::MaxFormulaLength) {
            problem.tooLong = true;
            if (problem.reason.empty())
                problem.reason = "The " + box + " formula is longer than " + std::to_string(ff::MaxFormulaLength) +
                                 " characters and does not fit into a plug-in.";
            return problem;
        }
        if (problem.reason.empty()) {
            const std::string why = imgman::formula_problem(code);
            if (!why.empty()) problem.reason = "The " + box + " formula does not compile: " + why;
        }
    }
    return problem;
}

// The part of `text` from `from` that fits `room` twips, broken after a blank where one is in
// reach, else inside the word (never inside a letter's bytes); at least one letter.
std::size_t fitting_end(const ui::PictureBox& box, std::string_view text, std::size_t from, int room) {
    std::size_t end = from, lastBlank = std::string_view::npos;
    while (end < text.size()) {
        const std::size_t next = vb::Utf8CharEnd(text, end);
        if (end > from && box.TextWidth(text.substr(from, next - from)) > room) break;
        if (text[end] == ' ') lastBlank = end;
        end = next;
    }
    if (end < text.size() && lastBlank != std::string_view::npos && lastBlank > from) return lastBlank;
    return end;
}

// The reason in place of the picture, which no longer shows the filter: red lines inside the box,
// broken between words at its width.
void print_problem(ui::PictureBox& box, std::string_view problem) {
    constexpr int Margin = 60;
    box.Cls();
    box.ForeColor = 255;
    box.Font.Name = "Arial";
    box.Font.Size = 8;
    box.Font.Bold = true;
    const int room = std::max(box.ScaleWidth() - 2 * Margin, 1);
    box.CurrentY = Margin;
    std::size_t from = 0;
    while (from < problem.size()) {
        const std::size_t end = fitting_end(box, problem, from, room);
        box.CurrentX = Margin;
        box.Print(problem.substr(from, end - from));
        from = end;
        while (from < problem.size() && problem[from] == ' ')
            ++from;
    }
    box.Refresh();
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
        // The preview box shows the problem; its tip holds the whole text where the box cuts it.
        editor.Picture1.ToolTipText = editor.FormulaProblem.empty() ? std::string(PreviewTip) : editor.FormulaProblem;
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
        // A formula that cannot run is said where the picture was, at once and without a box that
        // would take the focus from the code being typed. One that does not fit into a plug-in is
        // not given to the compiler, which would refuse it with its message box.
        const RunProblem problem = formula_problem(app.FF, e.Command10.Caption.get() == "3");
        const bool shown = !e.FormulaProblem.empty();
        e.FormulaProblem = problem.reason;
        if (problem.tooLong) {
            print_problem(e.Picture1, problem.reason);
            return;
        }
        // The last reason goes even where no run draws a picture.
        if (shown && problem.reason.empty()) e.Picture1.Cls();

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
            if (problem.reason.empty()) print_alpha_marker(e.Picture1);
        }
        if (!problem.reason.empty()) print_problem(e.Picture1, problem.reason);
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
        // Only a picture the dialog could open becomes the preview picture: a file it could not read
        // changes nothing, and is said as the picture editor says it.
        if (opened == 0) {
            if (!name.empty() && imgman::ImgGetStatus() != imgman::StatusCancelled)
                app.host.MsgBox(CouldNotOpenText(name), ui::vbExclamation);
            return;
        }
        CloseImg(app, opened);
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
