// The folder, picture and application lists of the Preferences window, their menus in the main
// window, and the list files ("FolderList.log", "PlugTypes.ini").

#include "imaging/handles.hpp"
#include "preferences/Form2.hpp"
#include "preferences/list_text.hpp"
#include "preferences/main_window.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/dialogs.hpp"
#include "shell/helpers.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/values/values.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vexolan {

namespace {

// A checked-state line: "True" in any case, or a number other than 0.
bool checked_state(std::string_view line) {
    if (vb::EqualsNoCase(line, "True")) return true;
    return vb::Val(line) != 0;
}

bool ends_with(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

} // namespace

// --- list files --------------------------------------------------------------------------------

void Form2::LoadList(const std::string& Filey, int ListIndy, bool Sely) {
    if (ListIndy < 0 || ListIndy > 3) return;
    ui::ListBox& list = List1[static_cast<std::size_t>(ListIndy)];
    FreezeRedraw(true);
    if (files::file_exists(Filey)) {
        std::string bytes;
        bool read = true;
        try {
            bytes = files::read_file_bytes(Filey);
        } catch (const vb::Error&) {
            read = false;
        }
        list_file_unreadable_[static_cast<std::size_t>(ListIndy)] = !read;
        if (read) {
            list.Clear();
            std::string_view text = bytes;
            if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3); // a byte-order mark
            auto lines = SplitListLines(text);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                list.AddItem(ListLineText(lines[i]));
                if (!Sely) continue;
                bool checked = i + 1 < lines.size() && checked_state(lines[i + 1]);
                if (checked) list.Selected(list.NewIndex()) = true;
                ++i;
            }
            list.ListIndex.store(-1);
            list.TopIndex = 0;
            list_file_known_[static_cast<std::size_t>(ListIndy)] = list_file_text(ListIndy, Sely);
        }
    }
    FreezeRedraw(false);
}

std::string Form2::list_file_text(int ListIndy, bool Sely) const {
    const ui::ListBox& list = List1[static_cast<std::size_t>(ListIndy)];
    std::string text;
    for (int i = 0; i < list.ListCount(); ++i) {
        // UTF-8, so that names in any script survive; CR LF as the lists have always been written.
        text += list.List(i) + "\r\n";
        if (Sely) text += std::string(list.IsSelected(i) ? "True" : "False") + "\r\n";
    }
    return text;
}

void Form2::KeepStartupFolderOrder() {
    auto entries = [](const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    const std::string now = list_file_text(0, false);
    std::string& known = list_file_known_[0];
    if (now == known || entries(now) != entries(known)) return;
    known = now;
    FolderMenuAsLoaded = MenuCaptions(app, 0);
}

void Form2::SaveList(const std::string& Filey, int ListIndy, bool Sely) {
    if (ListIndy < 0 || ListIndy > 3) return;
    std::string text = list_file_text(ListIndy, Sely);
    // Written to a temporary file and put in place, so an interrupted write leaves the old list.
    try {
        files::replace_file(Filey, text);
        list_file_unreadable_[static_cast<std::size_t>(ListIndy)] = false;
        list_file_known_[static_cast<std::size_t>(ListIndy)] = std::move(text);
    } catch (const vb::Error& e) {
        host().MsgBox(NotWrittenMessage(e, Filey), ui::vbExclamation);
    }
}

// --- the horizontal extent ---------------------------------------------------------------------

void Form2::AdaptListWidth(int indey) {
    if (indey < 0 || indey > 3) return;
    ui::ListBox& list = List1[static_cast<std::size_t>(indey)];
    std::string longest;
    std::size_t longestLength = 0;
    for (int i = 0; i < list.ListCount(); ++i) {
        std::string entry = list.List(i);
        std::size_t length = vb::Utf8ToCp1252(entry).size(); // characters, not bytes
        if (length > longestLength) {
            longest = entry;
            longestLength = length;
        }
    }
    double pixels = static_cast<double>(TextWidth(longest + "  ")) / host().TwipsPerPixelX();
    HorizontalExtent[static_cast<std::size_t>(indey)] = static_cast<int>(vb::RoundHalfEven(pixels));
}

// --- page commands -----------------------------------------------------------------------------

void Form2::Command3_Click(int Index) {
    try {
        switch (Index) {
        case 0:
            add_folder();
            break;
        case 1:
            add_picture();
            break;
        case 2:
            add_application();
            break;
        case 3:
            add_plug_type();
            break;
        default:
            break;
        }
    } catch (const vb::Error&) {
        // Any error ends the command; the list keeps what it held.
    }
}

int Form2::FolderLimit() const {
    double limit = vb::Val(Text1.Text.get());
    if (limit < 1) return 20;
    return limit > 32767 ? 32767 : static_cast<int>(limit);
}

void Form2::add_folder() {
    ui::ListBox& list = List1[0];
    if (list.ListCount() >= vb::Val(Text1.Text.get())) {
        host().MsgBox("Limit of entries was reached.", ui::vbExclamation);
        return;
    }
    std::string folder = GetBrowseDirectory("Please select a plugin folder ...");
    if (folder.empty()) return;
    if (folder.back() != '/') folder += '/';
    list.AddItem(folder);
    AdaptListWidth(0);
}

void Form2::add_picture() {
    int handle = 0;
    std::string name = OpenImgDialog(app, handle);
    if (!name.empty()) {
        std::string lower = vb::LCase(name);
        if (lower.find(".bmp") == std::string::npos && lower.find(".jpg") == std::string::npos) {
            host().MsgBox("\r\nPlease select a BMP or JPG file!", ui::vbExclamation);
            name.clear();
        }
    }
    bool opened = handle != 0;
    CloseImg(app, handle);
    if (name.empty() || !opened) return;
    add_unique(1, name);
}

void Form2::add_application() {
    // The dialog starts in the home folder: this system's counterpart of the drive root.
    const char* home = std::getenv("HOME");
    std::string folder = home && *home ? home : "/";
    std::string name = ShowOpenDialog(*this, "Select Executable", folder, "", "Executables (*.exe)", "exe");
    if (name.empty()) return;
    if (folder.empty() || folder.back() != '/') folder += '/';
    add_unique(2, folder + name);
}

void Form2::add_unique(int Index, const std::string& path) {
    host().DoEvents();
    ui::ListBox& list = List1[static_cast<std::size_t>(Index)];
    bool present = false;
    for (int i = 0; i < list.ListCount() && !present; ++i)
        present = list.List(i) == path;
    if (!present) list.AddItem(path);
    AdaptListWidth(Index);
    if (Index == 2) AppsChanged = true;
}

void Form2::Command6_Click(int Index) {
    if (Index < 0 || Index > 3) return;
    ui::ListBox& list = List1[static_cast<std::size_t>(Index)];
    if (Index == 3) {
        int current = list.ListIndex;
        if (current >= 0 && current < list.ListCount()) list.RemoveItem(current);
    } else {
        for (int i = list.ListCount() - 1; i >= 0; --i)
            if (list.IsSelected(i)) list.RemoveItem(i);
    }
    AdaptListWidth(Index);
    if (Index == 2) AppsChanged = true;
    try {
        list.SetFocus();
    } catch (const vb::Error&) {
    }
}

void Form2::Command7_Click(int Index) {
    if (Index < 0 || Index > 3) return;
    ui::ListBox& list = List1[static_cast<std::size_t>(Index)];
    for (int i = 0; i < list.ListCount(); ++i)
        list.Selected(i) = true;
}

void Form2::Command9_Click(int Index) {
    move_entry(Index, -1);
}

void Form2::Command10_Click(int Index) {
    move_entry(Index, +1);
}

void Form2::move_entry(int Index, int direction) {
    if (Index < 0 || Index > 2) return;
    ui::ListBox& list = List1[static_cast<std::size_t>(Index)];
    int current = list.ListIndex;
    int target = current + direction;
    if (current < 0 || current >= list.ListCount() || target < 0 || target >= list.ListCount()) return;
    std::string moved = list.List(current);
    list.SetList(current, list.List(target));
    list.SetList(target, moved);
    list.ListIndex = target;
    for (int i = 0; i < list.ListCount(); ++i)
        list.Selected(i) = false;
    list.Selected(target) = true;
    if (Index == 2) AppsChanged = true;
}

void Form2::Command11_Click() {
    ui::ListBox& list = List1[2];
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.IsSelected(i) && !ends_with(list.List(i), " %1")) list.SetList(i, list.List(i) + " %1");
    AdaptListWidth(2);
}

void Form2::Command12_Click() {
    ui::ListBox& list = List1[2];
    for (int i = 0; i < list.ListCount(); ++i) {
        std::string entry = list.List(i);
        if (list.IsSelected(i) && ends_with(entry, " %1")) list.SetList(i, entry.substr(0, entry.size() - 3));
    }
    AdaptListWidth(2);
}

void Form2::List1_KeyUp(int Index, int& KeyCode, int& /*Shift*/) {
    if (KeyCode == ui::vbKeyDelete) Command6_Click(Index);
}

void Form2::List1_KeyDown(int Index, int& KeyCode, int& Shift) {
    if (Index > 2 || Shift != ui::vbAltMask) return;
    if (KeyCode == ui::vbKeyUp) {
        Command9_Click(Index);
        KeyCode = 0; // the list must not move its cursor as well
    } else if (KeyCode == ui::vbKeyDown) {
        Command10_Click(Index);
        KeyCode = 0;
    }
}

// --- the menus ---------------------------------------------------------------------------------

void Form2::ListToMenu(int Index) {
    if (Index < 0 || Index > 2) return;
    ui::ListBox& list = List1[static_cast<std::size_t>(Index)];
    ui::MenuArray* menu = MenuArrayOf(app, Index);
    if (!menu) return;
    const int n = list.ListCount();
    int m = menu->UBound();
    for (int k = m + 1; k <= n - 1; ++k) {
        try {
            menu->Load(k);
        } catch (const vb::Error&) {
        }
    }
    for (int k = std::max(n, 1); k <= m; ++k) {
        try {
            if (menu->Exists(k)) menu->Unload(k);
        } catch (const vb::Error&) {
            continue;
        }
        try {
            if (Index == 1) app.Settings.DeleteSetting("Vexo10", "Settings", "Pic" + std::to_string(k));
            if (Index == 2) app.Settings.DeleteSetting("Vexo10", "Settings", "App" + std::to_string(k));
        } catch (const vb::Error&) {
        }
    }
    struct Placement {
        int Picture, BarPosition, FirstItem;
    };
    static constexpr std::array<Placement, 3> placements{{{11, 4, 6}, {14, 0, 8}, {13, 5, 1}}};
    const Placement& place = placements[static_cast<std::size_t>(Index)];
    for (int k = 0; k < n; ++k) {
        try {
            std::string entry = list.List(k);
            (*menu)[k].Caption = Index == 0 ? entry : GetFileName(entry);
        } catch (const vb::Error&) {
        }
        try {
            Form1& main = app.form1();
            ChangeMenuBitmap2(main, main.Image3[static_cast<std::size_t>(place.Picture)], place.BarPosition,
                              k + place.FirstItem);
        } catch (const vb::Error&) {
        }
    }
    // An empty list leaves item 0 without a caption for every menu: the main window opens the
    // Preferences on the empty first entry, and a stale caption would name a removed entry.
    if (n == 0) {
        try {
            (*menu)[0].Caption = "";
        } catch (const vb::Error&) {
        }
    }
}

} // namespace vexolan
