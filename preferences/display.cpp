// Preferences commands that act at once: the main window's fonts, the File View display options,
// the search for editor interface files and the folder browser.

#include "preferences/Form2.hpp"
#include "preferences/main_window.hpp"
#include "shell/App.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

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

void Form2::Check12_Click(int Index) {
    if (Index < 0 || Index > 5) return;
    if (Index < 5)
        ApplyListViewOption(app, Index, Check12[static_cast<std::size_t>(Index)].Value == ui::vbChecked);
    else
        FitListViewColumns(app);
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

int Form2::InterfaceEntry(std::string_view fileName) const {
    for (std::size_t i = 1; i < InterfaceFileNames.size(); ++i)
        if (vb::EqualsNoCase(InterfaceFileNames[i], fileName)) return static_cast<int>(i);
    return -1;
}

} // namespace vexolan
