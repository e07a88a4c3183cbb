#include "ffeditor/commands.hpp"

#include "catalogue/commands.hpp"
#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/transfer.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/library.hpp"
#include "imaging/PicView.hpp"
#include "imaging/commands.hpp"
#include "imaging/handles.hpp"
#include "imaging/plugin_run.hpp"
#include "imaging/preview.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

namespace vexolan {

namespace {

// The hourglass on the main window for the length of a command, also when it fails.
struct Hourglass {
    Form1& f;
    explicit Hourglass(Form1& form) : f(form) { f.MousePointer = ui::vbHourglass; }
    ~Hourglass() { f.MousePointer = ui::vbDefault; }
};

// "Original FF Editor!": the filter compiled into "temp.dll" and run with the plug-in's own dialog
// over the full-size preview picture. The dialog flag of "temp.dll" is set for this run only, so
// that live previews never show the dialog.
void run_with_plugin_dialog(App& app) {
    Form2& prefs = app.form2();
    const int editorPlugin = prefs.Check5[0].Value;
    struct Restore {
        Form2& prefs;
        int value;
        ~Restore() {
            vb::ResumeNext([&] { prefs.Check5[0].Value = value; });
        }
    } restore{prefs, editorPlugin};
    prefs.Check5[0].Value = ui::vbChecked;

    if (app.PreviewImage == 0) PreparePreviewPic(app);
    OpenImg(app, app.OriginalBMP, app.PluginImage, false);
    PicView& view = app.picView();
    view.Load();
    SizeBoxToImg(app, view.Picture1, app.PluginImage);
    view.AdjustWindow();
    app.host.DoEvents();

    std::string folder = app.AppPath.string();
    if (ff::Write8bf(app.FF, folder, true, true, app.FFCompileOptions()) != ff::CompileResult::Written) return;
    const std::string preview = files::app_path(ff::PreviewPlugin);
    ff::ToggleFFUI(preview, true);
    struct ClearDialog {
        const std::string& path;
        ~ClearDialog() { ff::ToggleFFUI(path, false); }
    } clear{preview};

    std::string name(ff::PreviewPlugin);
    bool draw = true;
    std::int32_t owner = 0;
    if (!PluginInvoke(app, folder, name, view.Picture1, draw, owner)) return;
    view.Picture1.Refresh();
    // A picture pasted into the picture editor and not saved yet is offered for saving before the
    // filtered one takes its place.
    view.OfferToSaveChanges();
    view.PicFileName = app.OriginalBMP;
    // The picture editor holds what it shows, so that its Save and Print act on the filtered picture.
    CloseImg(app, app.PicImage);
    app.PicImage = app.PluginImage;
    app.PluginImage = 0;
    view.Titlebar();
    view.Show();
}

} // namespace

void LoadintoFFEditor(App& app, bool AlreadyLoaded, bool BatchChild) {
    Form1& main = app.form1();
    app.FF.pFlag = true;
    Hourglass busy(main);
    try {
        bool read = AlreadyLoaded;
        if (!read) {
            // The File View's entry is the one of its file box (a double click on the report list
            // selects it there first); the other views name their selected entry.
            std::string path;
            const int pane = main.Switchy;
            if (app.PaneMode[pane] == 1) {
                const ui::FileListBox& box = main.File1[pane];
                if (box.ListIndex >= 0) path = files::with_separator(box.Path) + box.List(box.ListIndex);
            } else {
                path = GetSingleItem(app, pane);
            }
            read = !path.empty() && ff::LoadIt(app.FF, path);
        }
        if (!read) {
            cmd_PlugInInformation(app);
            return;
        }
        if (app.form2().Combo1.ListIndex == 0) {
            run_with_plugin_dialog(app);
            return;
        }
        FFEditorType1& editor = app.EditorForm();
        if (!editor.Loaded()) editor.Load();
        FilterToEditor(app);
        editor.Enabled = true;
        main.Toolbar1.Buttons(1).Enabled = true;
        RefreshPreview(app);
        if (!BatchChild && !editor.Visible) editor.Show();
        if (editor.WindowState == ui::vbMinimized) editor.WindowState = ui::vbNormal;
        vb::ResumeNext([&] { editor.SetFocus(); });
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
}

void mnuFFE_Click(App& app) {
    Form1& main = app.form1();
    Hourglass busy(main);
    vb::ResumeNext([&] {
        FFEditorType1& editor = app.EditorForm();
        if (editor.Loaded() && editor.Visible) {
            editor.Hide();
        } else if (app.form2().Combo1.ListIndex == 0) {
            // The plain editor has no window of its own.
            cmd_Preview(app, false);
        } else {
            editor.Show();
        }
    });
}

void LoadEditorHidden(App& app) {
    app.EditorForm().Load();
}

} // namespace vexolan
