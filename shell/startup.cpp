// The start-up sequence of the main window: Form_Initialize and Form_Load, in the order the
// program has always come up in.

#include "shell/startup.hpp"

#include "ffeditor/commands.hpp"
#include "ffeditor/preview.hpp"
#include "filemanager/fileview.hpp"
#include "filemanager/filters.hpp"
#include "filemanager/navigation.hpp"
#include "filemanager/open_by_type.hpp"
#include "filemanager/refresh.hpp"
#include "filterfactory/compiler.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frmSplash.hpp"
#include "shell/frmTip.hpp"
#include "shell/help.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"
#include "platform/fs/patterns.hpp"
#include "platform/values/values.hpp"

#include "version.hpp"

#include <cctype>
#include <cmath>
#include <exception>
#include <functional>
#include <optional>

namespace vexolan {

namespace {

// The settings store's application name.
constexpr std::string_view AppName = "Vexo10";
// Form_Load shows at most this many error boxes; later failures pass silently.
constexpr int MaxStartupErrorBoxes = 3;

void ignore_errors(auto&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

std::string Setting(App& app, std::string_view section, std::string_view key, std::string_view defaultValue = {}) {
    return app.Settings.GetSetting(AppName, section, key, defaultValue);
}

// The number a saved text starts with ("800", " 4", "12.5px"), or nothing when it does not start
// with one. Saved numbers are read this leniently: a missing or hand-mangled value keeps the default
// instead of raising an error box at every start.
std::optional<double> LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    return vb::Val(text);
}

// A saved small whole number (a filter position, a list mode, a sort column) within [low, high].
std::optional<int> SavedIndex(std::string_view text, int low, int high) {
    std::optional<double> n = LeadingNumber(text);
    if (!n || *n != std::floor(*n) || *n < low || *n > high) return std::nullopt;
    return static_cast<int>(*n);
}

void SplashText(App& app, std::string_view text) {
    frmSplash& splash = app.splash();
    splash.Label1.Caption = std::string(text);
    // A closed splash window keeps the text without being shown again.
    if (splash.Loaded()) splash.Label1.Refresh();
}

void CloseSplash(App& app) {
    frmSplash& splash = app.splash();
    splash.MousePointer = ui::vbDefault;
    splash.Unload();
}

// The entry's position among the present entries of its menu, or -1.
int PresentPosition(const ui::Menu& menu, const ui::Menu& entry) {
    std::vector<ui::Menu*> items = menu.PresentItems();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == &entry) return static_cast<int>(i);
    return -1;
}

int BarPosition(const Form1& f, const ui::Menu& menu) {
    std::vector<ui::Menu*> bar = f.PresentMenus();
    for (std::size_t i = 0; i < bar.size(); ++i)
        if (bar[i] == &menu) return static_cast<int>(i);
    return -1;
}

void Picture(Form1& f, int picture, const ui::Menu& menu, const ui::Menu& entry) {
    int bar = BarPosition(f, menu), item = PresentPosition(menu, entry);
    if (bar >= 0 && item >= 0) ChangeMenuBitmap2(f, f.Image3[static_cast<std::size_t>(picture)], bar, item);
}

void Picture(Form1& f, int picture, const ui::Menu& menu, int item) {
    int bar = BarPosition(f, menu);
    if (bar >= 0) ChangeMenuBitmap2(f, f.Image3[static_cast<std::size_t>(picture)], bar, item);
}

// The entry named `name`: the one of exactly that name, else the first that differs only in letter
// case (a name typed by hand); -1 when none. Two names that differ in case are two files.
int named_entry(int first, int count, std::string_view name, const std::function<std::string(int)>& entry) {
    int blind = -1;
    for (int i = first; i < first + count; ++i) {
        const std::string text = entry(i);
        if (text == name) return i;
        if (blind < 0 && vb::EqualsNoCase(text, name)) blind = i;
    }
    return blind;
}

// The file named on the command line is selected in the left pane and opened as a double
// click would open it. The filter is the image-files entry when the name matches it and "All Files"
// otherwise, so that the plug-ins and sources the program is registered for are found as well.
void SelectCommandLineFile(Form1& f, const std::string& commandLine) {
    App& app = f.app;
    const std::string name = GetFileName(commandLine);
    std::string folder = GetPathName(commandLine);
    if (!folder.empty()) {
        f.Drive1[0].Drive = folder;
        f.Dir1[0].Path = folder;
        RefreshFile1(app, 0);
    }
    f.Combo1[0].ListIndex = fs_patterns::MatchPatternList(name, FilterPattern(app, 2)) ? 2 : 0;
    auto& items = f.ListView1[0].ListItems;
    const int item = named_entry(1, items.Count(), name, [&](int i) { return items(i).Text.get(); });
    if (item >= 1) items(item).Selected = true;
    ui::FileListBox& box = f.File1[0];
    const int entry = named_entry(0, box.ListCount(), name, [&](int i) { return box.List(i); });
    if (entry >= 0) {
        box.Selected(entry) = true;
        f.MousePointer = ui::vbHourglass;
        File1_DblClick(app, 0);
        f.MousePointer = ui::vbDefault;
    }
}

} // namespace

std::string MainCaption(int major, int minor) {
    std::string m = std::to_string(minor);
    if (m.size() < 2) m = "0" + m;
    return "Vexolan " + std::to_string(major) + "." + m + " - Light Edition";
}

std::string WelcomeMessage() {
    static const char* const lines[] = {
        "Welcome to Vexo!",
        "",
        "I hope you will like and enjoy this tool.",
        "",
        "If you shouldn't understand something,",
        "please run the help file by pressing F1.",
        "",
        "The Vexolan team",
        "support@vexolan.example",
    };
    std::string text;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::string CommandLineFile(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    line = vb::Trim(line);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    if (line.empty()) return line;
    return files::absolute_path(line);
}

void StartProgram(App& app, std::string commandLine) {
    app.ProgramStarted = true;
    app.CommandLine = std::move(commandLine);
    Form1& f = app.form1();
    Form_Initialize(f);
    f.Load();
}

// --- Form_Initialize ------------------------------------------------------------------------------

void Form_Initialize(Form1& f) {
    App& app = f.app;
    ignore_errors([&] {
        frmSplash& splash = app.splash();
        splash.MousePointer = ui::vbHourglass;
        splash.Show();
        splash.Refresh();
        // The screen paints only while events go through; the splash should be seen from now on.
        app.host.DoEvents();
    });
    app.PaneMode = {1, 1};
    // Both panes start at the current folder, as a folder box does when it is created. The drive
    // box first: its change takes the folder box to the drive's own folder.
    const std::string start = files::CurDir();
    for (int p = 0; p < 2; ++p) {
        if (!f.Dir1[p].Path.get().empty()) continue;
        ignore_errors([&] { f.Drive1[p].Drive = start; });
        ignore_errors([&] { f.Dir1[p].Path = start; });
        ignore_errors([&] { f.File1[p].Path = start; });
    }

    // What this edition does not offer, switched off in this order, each on its own.
    auto hide = [](ui::Menu& m) { ignore_errors([&] { m.Visible = false; }); };
    auto disable = [](auto& c) { ignore_errors([&] { c.Enabled = false; }); };
    auto clear = [](ui::CheckBox& c) { ignore_errors([&] { c.Value = ui::vbUnchecked; }); };
    auto hide_named = [&](std::string_view name, int index) {
        if (ui::Menu* m = f.FindMenu(name, index)) hide(*m);
    };

    hide(f.mnuZipit);
    hide(f.mnuUnzipit);
    hide(f.mnuUnzipInstall);
    hide(f.mnuyyy);
    disable(f.mnuPluginPreview);
    hide(f.mnuAdd);
    hide(f.mnuInvoke);
    hide(f.mnuCreateLibrary);
    hide_named("mnuSaveType_FFE", 1); // "Premiere Filter", once the editor's menus exist
    hide_named("mnuSaveType_FFE", 3); // "PFF File"
    for (int p = 0; p < 2; ++p) {
        disable(f.Check1[p]);
        clear(f.Check1[p]);
    }
    hide(f.mnuCreateBMPs);
    for (int b : {1, 3, 4})
        ignore_errors([&] { f.Toolbar1.Buttons(b).Enabled = false; });
    hide(f.mnuSearch);
    disable(f.mnuFflview);

    // The first Preferences control touched creates the window, hidden, for the program's life.
    ignore_errors([&] {
        Form2& p = app.form2();
        disable(p.Check7);
        clear(p.Check7);
        disable(p.Check9);
        disable(p.Check15);
        clear(p.Check15);
        disable(p.Check17);
        clear(p.Check17);
        disable(p.Label2);
        disable(p.Command5);
        disable(p.HScroll2);
        disable(p.Frame9);
        disable(p.Check8);
        clear(p.Check8);
        disable(p.Check3);
        clear(p.Check3);
        disable(p.Check6);
        clear(p.Check6);
        disable(p.Check11[0]);
        disable(p.Check11[1]);
        disable(p.Option4[2]);
        disable(p.Option4[3]);
        disable(p.Combo2[0]);
        disable(p.Command2[1]);
        disable(p.Frame6);
        disable(p.Combo2[1]);
        disable(p.Combo2[2]);
        disable(p.Command2[2]);
        disable(p.Command2[3]);
        for (int i : {1, 2}) {
            disable(p.Check5[static_cast<std::size_t>(i)]);
            clear(p.Check5[static_cast<std::size_t>(i)]);
        }
        disable(p.Label8);
        disable(p.Label9);
    });
}

// --- Form_Load ------------------------------------------------------------------------------------

void Form_Load(Form1& f) {
    App& app = f.app;
    if (!app.ProgramStarted) return;
    ui::Host& host = app.host;
    const int tppx = host.TwipsPerPixelX(), tppy = host.TwipsPerPixelY();

    // Each statement on its own: a failure is counted, the first three are shown in the common
    // error box, and the start-up goes on with the next statement.
    auto step = [&](auto&& body) {
        try {
            body();
        } catch (const vb::Error& e) {
            app.Err.Raise(e);
            if (++app.StartupErrors <= MaxStartupErrorBoxes) ErrorMessage(app);
        } catch (const std::exception& e) {
            app.Err.Raise(vb::Error(51, e.what()));
            if (++app.StartupErrors <= MaxStartupErrorBoxes) ErrorMessage(app);
        }
    };

    // The window stays disabled until it is ready; the current filter's code counts as Photoshop syntax.
    step([&] { f.Enabled = false; });
    app.FF.pFlag = true;
    step([&] { SplashText(app, "Checking for FF Editor ..."); });
    step([&] { app.form2().LookforInterface(); });

    // The editor interface; "OFF" is the plain editor, entry 0 of the list.
    step([&] {
        app.InterfaceFile = Setting(app, "Settings", "Interface");
        if (app.InterfaceFile.empty()) app.InterfaceFile = "Interfc4.des";
    });
    step([&] {
        Form2& p = app.form2();
        if (app.InterfaceFile == "OFF") {
            p.Combo1.ListIndex = 0;
        } else {
            int entry = p.InterfaceEntry(app.InterfaceFile);
            if (entry >= 0) p.Combo1.ListIndex = entry;
        }
    });

    // The file-type filters of both panes.
    for (int i = 0; i < 2; ++i) {
        step([&] {
            AddFilterEntries(app, i);
            f.Combo1[i].ListIndex = 0;
        });
    }

    // The preview plug-in "temp.dll", a copy of the template with its dialog flag cleared.
    step([&] { PreparePreviewPlugin(app); });

    // Every preference, the lists and the menus built from them.
    step([&] { SplashText(app, "Loading Registry Settings ..."); });
    step([&] { app.form2().Command8_Click(); });

    // Sort column and direction of each pane.
    for (int i = 0; i < 2; ++i) {
        step([&] {
            int key = SavedIndex(Setting(app, "Folders", "Sortkey" + std::to_string(i)), 0, 2).value_or(0);
            f.ListView1[i].SortKey = key;
            std::optional<bool> ascending =
                vb::ParseBool(vb::Trim(Setting(app, "Folders", "SortDirection" + std::to_string(i))));
            app.ColumnSortOrder[static_cast<std::size_t>(i)][static_cast<std::size_t>(key + 1)] =
                ascending.value_or(true);
        });
    }

    // The filter of each pane: a position, or "-" and a typed pattern.
    for (int i = 0; i < 2; ++i) {
        step([&] {
            std::string saved = Setting(app, "Folders", "Pattern" + std::to_string(i + 1));
            if (saved.empty() || saved[0] != '-') {
                f.Combo1[i].ListIndex = SavedIndex(saved, 0, 5).value_or(0);
            } else {
                f.Combo1[i].Text = saved.substr(1);
                int key = 13;
                Combo1_KeyPress(app, i, key);
            }
        });
    }

    // The list mode of each pane, right pane first.
    for (int i : {1, 0}) {
        step([&] {
            f.Switchy = i;
            std::string saved = Setting(app, "Settings", "FileViewMode" + std::to_string(i));
            f.mnuFileViewMode_Click(SavedIndex(saved, 0, 4).value_or(3));
        });
    }

    // The folder of each pane, right pane first; no saved left folder means a first run.
    bool firstRun = false;
    for (int i : {1, 0}) {
        std::string folder = Setting(app, "Folders", "Folder" + std::to_string(i + 1));
        if (folder.empty() && i == 0) {
            firstRun = true;
            step([&] { app.splash().MousePointer = ui::vbDefault; });
            step([&] { host.MsgBox(WelcomeMessage(), ui::vbOKOnly | ui::vbInformation); });
            step([&] { CloseSplash(app); });
            step([&] { host.DoEvents(); });
            step([&] { app.proVersionAd().ShowModal(); });
            step([&] { Dir1_Change(app, 0); });
            step([&] { Dir1_Change(app, 1); });
            break;
        }
        if (folder.empty()) continue;
        step([&] {
            if (folder.back() != '/') folder += '/';
            // A folder that still exists is taken back, an empty one too: a pane left on an empty
            // output folder must not come back elsewhere and have the next conversion write there.
            if (!files::folder_exists(folder)) return;
            f.Drive1[i].Drive = folder;
            f.Dir1[i].Path = folder;
        });
    }

    // Restoring the panes' folders may have moved them up the folder list (Auto Top): that is still
    // the list as read.
    step([&] { app.form2().KeepStartupFolderOrder(); });

    // The report lists the folder changes did not fill.
    if (!firstRun) {
        for (int i = 0; i < 2; ++i) {
            step([&] {
                std::string saved = Setting(app, "Settings", "FileViewMode" + std::to_string(i));
                if (SavedIndex(saved, 0, 4).value_or(3) < 4 && f.ListView1[i].ListItems.Count() == 0)
                    FillDirList(app, f.Dir1[i].Path, i);
            });
        }
    }

    // The window's frame.
    step([&] { SplashText(app, "Adjusting Main Window ..."); });
    for (int i = 0; i < 2; ++i) {
        step([&] { f.File1[i].Height = f.Combo1[i].Top - f.File1[i].Top; });
        step([&] { f.Dir1[i].Height = f.Combo1[i].Top - f.Dir1[i].Top; });
    }
    step([&] {
        int frame = vb::CInt((host.CaptionHeight() + 4 + host.MenuHeight() + 4) * tppy);
        if (f.WindowState == ui::vbNormal) f.Height = frame + f.Label3.Top + f.Label3.Height;
    });
    step([&] {
        f.Enabled = true;
        f.Form_Resize();
        f.Enabled = false;
    });

    // Maximized, or the saved size and position; a window that would lie off the screen
    // is centred instead.
    if (Setting(app, "Folders", "Maximize") == "True") {
        step([&] { f.WindowState = ui::vbMaximized; });
    } else {
        step([&] {
            const std::string width = Setting(app, "Settings", "Width");
            if (width.empty()) return;
            if (std::optional<double> w = LeadingNumber(width); w && *w > 0)
                f.Width = static_cast<int>(vb::RoundHalfEven(*w * tppx));
            // The height is converted as a whole: a missing or broken one beside a saved width is an
            // error of the start-up (and one of its error boxes).
            std::string h = Setting(app, "Settings", "Height");
            if (!vb::IsNumeric(h)) throw vb::Error(13);
            if (vb::NumericValue(h) > 0) f.Height = static_cast<int>(vb::RoundHalfEven(vb::NumericValue(h) * tppy));
        });
        step([&] {
            const int screenW = host.ScreenWidth(), screenH = host.ScreenHeight();
            std::optional<double> x = LeadingNumber(Setting(app, "Folders", "LastX"));
            std::string yText = Setting(app, "Folders", "LastY");
            int left = (screenW - f.Width) / 2, top = (screenH - f.Height) / 2;
            if (x) {
                // A coordinate beyond the screen's far edge leaves that edge where it was.
                left = f.Left;
                top = f.Top;
                long px = vb::CLng(*x * tppx);
                if (px < screenW) left = static_cast<int>(px);
                if (vb::IsNumeric(yText)) {
                    long py = vb::CLng(vb::NumericValue(yText) * tppy);
                    if (py < screenH) top = static_cast<int>(py);
                }
            }
            // Partly off the screen is kept (a second monitor); wholly off is centred.
            bool visible = left < screenW && left + f.Width > 0 && top < screenH && top + f.Height > 0;
            if (!visible) {
                left = (screenW - f.Width) / 2;
                top = (screenH - f.Height) / 2;
            }
            f.Left = left;
            f.Top = top;
        });
    }

    // The active pane, the application button, the toolbar and the menu pictures.
    step([&] { f.Switchit(0); });
    step([&] { SplashText(app, "Finished ..."); });
    step([&] { f.GetIcons(); });
    step([&] { f.Toolbar1.Top = f.Command1[0].Top - std::abs(f.Toolbar1.Height - f.Command1[0].Height) / 2; });
    step([&] {
        Form2& p = app.form2();
        Picture(f, 17, f.mnuView, f.mnuPluginPreview);
        Picture(f, 0, f.mnuView, f.mnuFileView);
        Picture(f, 1, f.mnuView, f.mnuFilterview);
        Picture(f, 2, f.mnuView, f.mnuFflview);
        Picture(f, 16, f.mnuView, f.mnuFilterDownload);
        Picture(f, 12, f.mnuOperations, f.mnuRename);
        Picture(f, 3, f.mnuOperations, f.mnuDelete);
        // Positions of an older Commands menu: in this edition they fall on separators or past its
        // end, and those entries go without a picture.
        Picture(f, 10, f.mnuOperations, 12);
        Picture(f, 9, f.mnuOperations, 15);
        Picture(f, 7, f.mnuOperations, 19);
        Picture(f, 5, f.mnuOperations, 6);
        Picture(f, 3, f.mnuDirs, f.mnuKillFolder);
        Picture(f, 4, f.mnuProject, f.mnuOpen);
        Picture(f, 6, f.mnuHelp1, f.mnuHelp);
        int pictures = p.List1[1].ListCount();
        Picture(f, 8, f.mnuProject, 9 + (pictures == 0 ? 1 : pictures));
        int firstFolder = f.PhotoshopPluginsFolder.empty() ? 6 : 8;
        for (int k = 0; k < f.mnuDirectorys.Count(); ++k)
            Picture(f, 11, f.mnuDirs, firstFolder + k);
        Picture(f, 12, f.mnuDirs, f.mnuRenameFolder);
        for (int k = 0; k < f.mnuApps.Count(); ++k)
            Picture(f, 13, f.zmnApps, 1 + k);
        for (int k = 0; k < f.mnuPictures.Count(); ++k)
            Picture(f, 14, f.mnuProject, 8 + k);
        Picture(f, 15, f.mnuEdit, f.mnuSelectAll);
    });

    // The editor when all components load at start-up; the splash goes.
    step([&] {
        if (app.form2().Check16.Value == ui::vbChecked) {
            SplashText(app, "Loading FF Editor ...");
            LoadEditorHidden(app);
        }
    });
    step([&] { CloseSplash(app); });

    // The window comes up.
    step([&] { DrawDirLabel(app, 0); });
    step([&] { DrawDirLabel(app, 1); });
    step([&] { f.Enabled = true; });
    step([&] { f.Caption = MainCaption(VersionMajor, VersionMinor); });
    step([&] {
        f.Show();
        host.DoEvents();
    });

    // The tip of the day.
    step([&] {
        std::optional<double> show = LeadingNumber(Setting(app, "Options", "Show Tips at Startup", "1"));
        if (show.value_or(1) == 1) app.tipWindow().Show();
    });

    // The command line.
    if (!app.CommandLine.empty()) step([&] { SelectCommandLineFile(f, app.CommandLine); });

    // Each pane's view in front, the focus in the left pane.
    for (int i = 0; i < 2; ++i) {
        step([&] {
            int tab = f.SSTab1[i].SelectedItem;
            if (tab >= 1 && tab <= 3) f.ViewFrame(i, tab).ZOrder();
        });
    }
    step([&] {
        if (f.ListView1[0].Visible)
            f.ListView1[0].SetFocus();
        else
            f.File1[0].SetFocus();
    });
}

} // namespace vexolan
