// Moving the preferences between the Preferences window's controls and the settings store: the
// loader (Cancel, and once at start-up) and the saver (Ok). Every key lives in section "Settings" of
// application "Vexo10". Some check values are written with a leading blank (" 1") and some without
// ("1"): stored files and other readers rely on both forms, so each key keeps its own.

#include "preferences/Form2.hpp"
#include "preferences/main_window.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include <cmath>

namespace vexolan {

namespace {

constexpr std::string_view AppName = "Vexo10";
constexpr std::string_view Section = "Settings";
constexpr int LastNumberedKey = 200;

// Runs one statement of the loader or saver; a failing statement is skipped and the next one runs.
template <typename F> void attempt(F&& statement) {
    try {
        statement();
    } catch (const vb::Error&) {
    } catch (const std::exception&) {
    }
}

// The number with a leading blank when it is not negative (" 1"), as the older keys store it.
std::string blank_form(int n) {
    return vb::Str(n);
}
// The plain number ("1").
std::string plain_form(int n) {
    return std::to_string(n);
}

int whole_number(std::string_view text) {
    return vb::CInt(vb::Val(text));
}

} // namespace

std::string Form2::Setting(std::string_view key) {
    return app.Settings.GetSetting(AppName, Section, key);
}

void Form2::SaveSetting(std::string_view key, std::string_view value) {
    try {
        app.Settings.SaveSetting(AppName, Section, key, value);
    } catch (const vb::Error& e) {
        if (settings_failure_.empty()) settings_failure_ = NotWrittenMessage(e, app.Settings.path().string());
        throw;
    }
}

void Form2::DeleteSetting(std::string_view key) {
    try {
        app.Settings.DeleteSetting(AppName, Section, key);
    } catch (const vb::Error& e) {
        if (settings_failure_.empty()) settings_failure_ = NotWrittenMessage(e, app.Settings.path().string());
        throw;
    }
}

std::string Form2::PlugTypesFile() {
    return files::app_path("PlugTypes.ini");
}

std::string Form2::FolderListFile() {
    return files::app_path("FolderList.log");
}

// --- the loader --------------------------------------------------------------------------------

void Form2::Command8_Click() {
    attempt([&] { MousePointer = ui::vbHourglass; });
    attempt([&] { host().DoEvents(); });

    attempt([&] {
        int n = whole_number(Setting("UsedFF"));
        if (n >= 0 && n <= 3) Option4[static_cast<std::size_t>(n)].Value = true;
    });
    attempt([&] {
        app.InterfaceFile = Setting("Interface");
        if (app.InterfaceFile.empty()) app.InterfaceFile = "Interfc4.des";
    });
    // The editor window is reached through the App; nothing to set here.
    attempt([&] { Check2.Value = whole_number(Setting("NoFFOptimize")); });
    attempt([&] {
        std::string v = Setting("ScanSubDirs");
        if (!v.empty()) Check1.Value = whole_number(v);
    });
    for (int i = 0; i < 3; ++i) {
        attempt([&] {
            std::string v = Setting("AutoAdd " + std::to_string(i));
            if (!v.empty()) Check10[static_cast<std::size_t>(i)].Value = whole_number(v);
        });
    }
    attempt([&] { Check19.Value = whole_number(Setting("AutoTop")); });
    for (int i = 0; i < 3; ++i) {
        attempt([&] {
            Check13[static_cast<std::size_t>(i)].Value = whole_number(Setting("Encrypt " + std::to_string(i)));
        });
        attempt([&] {
            Check5[static_cast<std::size_t>(i)].Value = whole_number(Setting("EditorPlugin " + std::to_string(i)));
        });
    }
    attempt([&] {
        std::string v = Setting("FolderItemLimit");
        if (!v.empty() && vb::Val(v) > 0) Text1.Text = v;
    });
    for (int i = 0; i < 6; ++i) {
        attempt([&] {
            std::string v = Setting("Fileview" + std::to_string(i));
            if (!v.empty()) Check12[static_cast<std::size_t>(i)].Value = whole_number(v);
        });
        if (i < 5) attempt([&] { Check12_Click(i); });
    }

    // An older store kept the types under PluginType0...: its list is dropped before the file loads.
    attempt([&] {
        if (!Setting("PluginType0").empty())
            List1[3].Clear();
        else
            Command7_Click(3);
    });
    attempt([&] {
        if (files::file_exists(PlugTypesFile())) {
            LoadList(PlugTypesFile(), 3, true);
        } else {
            Command16_Click();
            for (int i = 0; i < List1[3].ListCount(); ++i)
                List1[3].Selected(i) = true;
            List1[3].ListIndex.store(-1);
            List1[3].TopIndex = 0;
            // A missing file stands for these types: as the loader makes them they are no change.
            list_file_known_[3] = list_file_text(3, true);
        }
    });
    attempt([&] { GetPlugTypes(); });

    load_numbered_list(2, "App");
    load_numbered_list(1, "Pic");

    attempt([&] { LoadList(FolderListFile(), 0, false); });
    attempt([&] { ListToMenu(0); });
    attempt([&] { FolderMenuAsLoaded = MenuCaptions(app, 0); });
    attempt([&] { AdaptListWidth(0); });

    attempt([&] { Check4.Value = whole_number(Setting("PassivePaneFolder")); });
    attempt([&] {
        std::string v = Setting("FFL1.0");
        if (!v.empty()) Check17.Value = whole_number(v);
    });
    attempt([&] { Check16.Value = whole_number(Setting("FullStartUp")); });

    // One flag pair serves both groups: a flag that is neither "True" nor "False" keeps the value
    // read before it (False at first).
    bool bold = false, italic = false;
    for (int group = 0; group < 2; ++group) {
        std::string digit = std::to_string(group + 1);
        std::string name;
        int size = 0;
        attempt([&] { name = Setting("FontName" + digit); });
        attempt([&] { size = whole_number(Setting("FontSize" + digit)); });
        attempt([&] {
            if (auto b = vb::ParseBool(Setting("FontBold" + digit))) bold = *b;
        });
        attempt([&] {
            if (auto b = vb::ParseBool(Setting("FontItalic" + digit))) italic = *b;
        });
        if (!name.empty() && size >= 1) {
            attempt([&] { SetFont(name, size, bold, italic, group); });
            attempt([&] { Label1[static_cast<std::size_t>(group)].Caption = name + ", " + std::to_string(size); });
        }
    }

    attempt([&] { MousePointer = ui::vbDefault; });
    attempt([&] { Hide(); });
    // Every setting was tried; a settings file that could not be written is told once.
    if (!settings_failure_.empty()) host().MsgBox(settings_failure_, ui::vbExclamation);
    settings_failure_.clear();
}

void Form2::load_numbered_list(int Index, std::string_view prefix) {
    ui::ListBox& list = List1[static_cast<std::size_t>(Index)];
    attempt([&] { list.Clear(); });
    attempt([&] {
        for (int i = 0; i <= LastNumberedKey; ++i) {
            std::string v = Setting(std::string(prefix) + std::to_string(i));
            if (v.empty()) break;
            list.AddItem(v);
        }
    });
    attempt([&] { ListToMenu(Index); });
    attempt([&] { AdaptListWidth(Index); });
}

// --- the saver ---------------------------------------------------------------------------------

void Form2::Command1_Click() {
    settings_failure_.clear();
    attempt([&] { MousePointer = ui::vbHourglass; });
    attempt([&] { host().DoEvents(); });
    if (AppsChanged) attempt([&] { app.form1().GetIcons(); });

    attempt([&] { SaveSetting("ScanSubDirs", blank_form(Check1.Value)); });
    for (int i = 0; i < 3; ++i)
        attempt([&] {
            SaveSetting("AutoAdd " + std::to_string(i), blank_form(Check10[static_cast<std::size_t>(i)].Value));
        });
    attempt([&] { SaveSetting("AutoTop", blank_form(Check19.Value)); });
    attempt([&] { SaveSetting("Interface", app.InterfaceFile); });
    attempt([&] { SaveSetting("NoFFOptimize", blank_form(Check2.Value)); });

    for (int i = 0; i <= LastNumberedKey; ++i) {
        for (std::string_view prefix : {"Pic", "App", "PluginType"}) {
            attempt([&] {
                std::string key = std::string(prefix) + std::to_string(i);
                if (!Setting(key).empty()) DeleteSetting(key);
            });
        }
    }

    // A list this copy left alone is not written back: another copy may have saved it meanwhile.
    attempt([&] {
        if (list_file_due(3, true, PlugTypesFile())) SaveList(PlugTypesFile(), 3, true);
    });
    attempt([&] { GetPlugTypes(); });

    for (int i = 0; i < List1[2].ListCount(); ++i)
        attempt([&] { SaveSetting("App" + std::to_string(i), List1[2].List(i)); });
    attempt([&] { ListToMenu(2); });
    for (int i = 0; i < List1[1].ListCount(); ++i)
        attempt([&] { SaveSetting("Pic" + std::to_string(i), List1[1].List(i)); });
    attempt([&] { ListToMenu(1); });

    attempt([&] {
        if (list_file_due(0, false, FolderListFile())) SaveList(FolderListFile(), 0, false);
    });
    attempt([&] { ListToMenu(0); });

    for (int i = 0; i < 6; ++i)
        attempt([&] {
            SaveSetting("Fileview" + std::to_string(i), plain_form(Check12[static_cast<std::size_t>(i)].Value));
        });
    attempt([&] { SaveSetting("PassivePaneFolder", plain_form(Check4.Value)); });
    attempt([&] { SaveSetting("FFL1.0", plain_form(Check17.Value)); });
    attempt([&] { SaveSetting("FullStartUp", plain_form(Check16.Value)); });

    for (int group = 0; group < 2; ++group) {
        std::string digit = std::to_string(group + 1);
        ui::FontChoice font;
        bool known = false;
        attempt([&] {
            font = group == 0 ? ListFont(app) : OtherFont(app);
            known = true;
        });
        if (!known) continue;
        attempt([&] { SaveSetting("FontName" + digit, font.Name); });
        // Sizes are kept in whole points; a fractional size is rounded to the nearest.
        attempt([&] { SaveSetting("FontSize" + digit, plain_form(vb::CInt(font.Size))); });
        attempt([&] { SaveSetting("FontBold" + digit, vb::BoolText(font.Bold)); });
        attempt([&] { SaveSetting("FontItalic" + digit, vb::BoolText(font.Italic)); });
    }

    // A limit below 1 would make the folder list drop a favourite on every folder change.
    attempt([&] {
        if (vb::Val(Text1.Text.get()) < 1) Text1.Text = "20";
    });
    attempt([&] { SaveSetting("FolderItemLimit", Text1.Text.get()); });

    attempt([&] { MousePointer = ui::vbDefault; });
    attempt([&] { Hide(); });
    // Every setting was tried; a settings file that could not be written is told once.
    if (!settings_failure_.empty()) host().MsgBox(settings_failure_, ui::vbExclamation);
    settings_failure_.clear();
}

// --- at exit -----------------------------------------------------------------------------------

void Form2::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != ui::vbFormControlMenu) return;
    Cancel = 1;
    Command8_Click();
}

void Form2::Form_Unload(int& /*Cancel*/) {
    // Only the two list files, each only when it is due.
    attempt([&] {
        if (list_file_due(3, true, PlugTypesFile())) SaveList(PlugTypesFile(), 3, true);
    });
    attempt([&] {
        if (list_file_due(0, false, FolderListFile())) SaveList(FolderListFile(), 0, false);
    });
}

bool Form2::list_file_due(int ListIndy, bool Sely, const std::string& file) const {
    const auto i = static_cast<std::size_t>(ListIndy);
    if (list_file_unreadable_[i]) return false;
    return list_file_text(ListIndy, Sely) != list_file_known_[i] || !files::file_exists(file);
}

} // namespace vexolan
