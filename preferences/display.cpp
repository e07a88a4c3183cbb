// Preferences commands that act at once: the main window's fonts, the File View display options,
// the search for editor interface files and the folder browser.

#include "preferences/Form2.hpp"
#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/interface.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/imgman.hpp"
#include "preferences/main_window.hpp"
#include "shell/App.hpp"
#include "shell/dialogs.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vexolan {

namespace {

// The first field of an interface description: leading blanks skipped, then either a quoted text
// (which may hold commas) or the text up to the first comma or line end.
std::string first_field(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && text[i] == '"') {
        auto close = text.find('"', i + 1);
        return std::string(
            text.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
    }
    auto end = text.find_first_of(",\r\n", i);
    return std::string(text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
}

} // namespace

void Form2::SetFont(const std::string& ffont, int fsize, bool Bold, bool Italic, int Index) {
    if (Index < 0 || Index > 1) return;
    ui::FontChoice font;
    font.Name = ffont;
    font.Size = fsize;
    font.Bold = Bold;
    font.Italic = Italic;
    ApplyFontGroup(app, Index, font);
}

void Form2::Command14_Click(int Index) {
    if (Index < 0 || Index > 1) return;
    // Both buttons start from the list font.
    ui::FontChoice current = ListFont(app);
    std::string name = current.Name;
    auto size = static_cast<short>(vb::RoundHalfEven(current.Size));
    std::string style;
    if (current.Bold) style += 'b';
    if (current.Italic) style += 'i';
    if (!ShowFontDialog(*this, name, size, style, 257)) return;
    bool bold = style.find('b') != std::string::npos;
    bool italic = style.find('i') != std::string::npos;
    SetFont(name, size, bold, italic, Index);
    Label1[static_cast<std::size_t>(Index)].Caption = name + ", " + std::to_string(size);
}

void Form2::Check12_Click(int Index) {
    if (Index < 0 || Index > 5) return;
    if (Index < 5)
        ApplyListViewOption(app, Index, Check12[static_cast<std::size_t>(Index)].Value == ui::vbChecked);
    else
        FitListViewColumns(app);
}

void Form2::Command2_Click(int Index) {
    struct Browse {
        std::string_view Title, Name, Filter, Extension;
    };
    static constexpr std::array<Browse, 3> dialogs{{
        {"Choose Photoshop Filter Factory plugin", "",
         "PC FF Plugin (*.8bf)|*.8bf|Mac FF Plugin (*.bin)|*.bin|All Files (*.*)|*.*", "8bf"},
        {"Choose Premiere Filter Factory plugin", "fl-fact.prm", "Premiere Plugins (*.prm)|*.prm", "prm"},
        {"Choose Premiere Transition Factory plugin", "fx-fact.prm", "Premiere Plugins (*.prm)|*.prm", "prm"},
    }};
    // The lengths of the Filter Factory template plug-ins the compiler can patch.
    static constexpr std::array<std::uint64_t, 5> templateLengths{49152, 49664, 57344, 99712, 99840};
    if (Index < 1 || Index > 3) return;
    const Browse& d = dialogs[static_cast<std::size_t>(Index - 1)];
    try {
        std::string folder = "/";
        if (Index == 1) Option4[2].Value = true;
        std::string name = ShowOpenDialog(*this, d.Title, folder, d.Name, d.Filter, d.Extension);
        if (name.empty()) return;
        std::string path = files::join_path(folder, name);
        if (Index == 1 && std::find(templateLengths.begin(), templateLengths.end(), files::file_length(path)) ==
                              templateLengths.end()) {
            host().MsgBox("Vexo doesn't know this FF plugin type.", ui::vbExclamation);
            return;
        }
        ui::ComboBox& box = Combo2[static_cast<std::size_t>(Index - 1)];
        box.AddItem(path, 0);
        box.ListIndex = 0;
    } catch (const vb::Error&) {
        // Any failure ends the command.
    }
}

std::string Form2::GetBrowseDirectory(std::string_view Message) {
    // The whole path comes back, however long.
    return host().BrowseForFolder(Message, {});
}

void Form2::LookforInterface() {
    std::vector<files::DirEntry> found;
    for (std::string_view folder : {"interface", "interfac"}) {
        try {
            found = files::list_files(files::app_path(folder), "*.des");
        } catch (const vb::Error&) {
            found.clear();
        }
        if (!found.empty()) {
            app.InterfaceFolder = std::string(folder);
            break;
        }
    }
    if (found.empty()) {
        host().MsgBox("Can't find FF Editor interface files.\r\nThe FF Editor won't be usable.");
        return;
    }
    while (Combo1.ListCount() > 1)
        Combo1.RemoveItem(Combo1.ListCount() - 1);
    InterfaceFileNames.resize(1);
    for (const auto& entry : found) {
        std::string field;
        try {
            field = vb::Cp1252ToUtf8(first_field(
                files::read_file_bytes(files::join_path(files::app_path(app.InterfaceFolder), entry.Name))));
        } catch (const vb::Error&) {
        }
        Combo1.AddItem(field + " - " + entry.Name);
        InterfaceFileNames.push_back(entry.Name);
    }
}

void Form2::Combo1_Click() {
    // Filling or selecting the box from code while the window is hidden chooses nothing.
    if (!Visible) return;
    const int entry = Combo1.ListIndex;
    if (entry < 0) return;
    if (entry == 0) {
        // The plain editor has no window of ours: a loaded editor window goes out of sight.
        FFEditorType1& editor = app.EditorForm();
        if (editor.Loaded()) editor.Hide();
        app.InterfaceFile = "OFF";
        return;
    }
    MousePointer = ui::vbHourglass;
    struct Restore {
        Form2& w;
        ~Restore() { w.MousePointer = ui::vbDefault; }
    } restore{*this};
    if (entry < static_cast<int>(InterfaceFileNames.size())) {
        app.InterfaceFile = InterfaceFileNames[static_cast<std::size_t>(entry)];
    } else {
        const std::string text = Combo1.List(entry);
        app.InterfaceFile = text.size() > 12 ? text.substr(text.size() - 12) : text;
    }
    if (app.PreviewImage != 0) {
        imgman::ImgClose(app.PreviewImage);
        app.PreviewImage = 0;
        PreparePreviewPic(app);
    }
    LoadInterface(app);
}

int Form2::InterfaceEntry(std::string_view fileName) const {
    for (std::size_t i = 1; i < InterfaceFileNames.size(); ++i)
        if (vb::EqualsNoCase(InterfaceFileNames[i], fileName)) return static_cast<int>(i);
    return -1;
}

} // namespace vexolan
