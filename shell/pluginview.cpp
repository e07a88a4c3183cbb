// The Plugin View: the category list, the plug-in list with its "+ " / "- " marks, Photoshop Mode and
// the information line.

#include "ffeditor/commands.hpp"
#include "filemanager/open_by_type.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"

#include <algorithm>
#include <array>

namespace vexolan {

namespace {

struct BuiltIn {
    std::string_view Category;
    std::vector<std::string_view> Names;
};

// The host application's own filters of the standard categories, shown in Photoshop Mode.
const std::array<BuiltIn, 6>& BuiltInFilters() {
    static const std::array<BuiltIn, 6> table{{
        {"Blur", {"Blur", "Blur More", "Gaussian Blur...", "Motion Blur..."}},
        {"Noise", {"Add Noise...", "Despeckle", "Dust & Scratches", "Median..."}},
        {"Pixelate", {"Facet", "Fragment", "Mosaic..."}},
        {"Sharpen", {"Sharpen", "Sharpen Edges", "Sharpen More", "Unsharp Mask..."}},
        {"Stylize", {"Diffuse...", "Emboss...", "Find Edges", "Trace Contour..."}},
        {"Other", {"Custom...", "High Pass...", "Maximum...", "Minimum...", "Offset..."}},
    }};
    return table;
}

// Characters, not bytes, of a UTF-8 text.
std::size_t letters(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

bool ends_with(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The entry text of a row by its file's ending: "+ " enabled, "- " disabled, no mark for a source;
// "" when Photoshop Mode does not list it.
std::string MarkedTitle(App& app, const std::string& path, const std::string& title, bool photoshopMode) {
    std::string name = vb::LCase(GetFileName(path));
    std::string ext = name.size() >= 4 ? name.substr(name.size() - 4) : name;
    static const std::vector<std::string_view> enabled{".prm", ".aex", ".bin", ".vft", ".vfx", ".aft", ".tub",
                                                       ".aip", ".atn", ".8be", ".8bi", ".8ba", ".8bx", ".8li",
                                                       ".8by", ".8bp", ".8bc", ".8bs", ".mll", ".tsx"};
    if (ext == ".8bf") return "+ " + title;
    if (std::find(enabled.begin(), enabled.end(), ext) != enabled.end()) return photoshopMode ? "" : "+ " + title;
    if (ext == ".txt" || ext == ".afs" || ext == ".pff" || ext == ".ffx") return photoshopMode ? "" : title;
    if (app.form2().List1[3].ListCount() > 0) {
        for (int c = 0; c <= app.PlugTypes.UBound(); ++c) {
            std::string typeExt = vb::LCase(app.PlugTypes(1, c));
            if (!typeExt.empty() && ends_with(name, "." + typeExt)) return "+ " + title;
        }
    }
    return photoshopMode ? "" : "- " + title;
}

} // namespace

void Form1::List2_Click(int Index) {
    if (PluginDragActive || List2[Index].SelCount() == 0) return;
    try {
        Label5[Index].Caption = files::with_separator(File1[Index].Path.get());
    } catch (const vb::Error&) {
    }
    const bool photoshopMode = Check1[Index].Value != 0;
    std::vector<std::string> collected;
    bool other = false;
    for (int j = 0; j < List2[Index].ListCount(); ++j) {
        if (!List2[Index].IsSelected(j)) continue;
        std::string c = List2[Index].List(j);
        // In Photoshop Mode "Other" is listed after everything else; it is skipped here, not kept as
        // an empty entry that would match rows without a category.
        if (photoshopMode && c == "Other")
            other = true;
        else
            collected.push_back(c);
    }
    List3[Index].Clear();
    MousePointer = ui::vbHourglass;
    FreezeRedraw(true);
    std::string longest;
    auto add = [&](const std::string& text, int row) {
        List3[Index].AddItem(text);
        List3[Index].ItemData(List3[Index].NewIndex()) = row;
        if (letters(text) > letters(longest)) longest = text;
    };
    if (photoshopMode) {
        for (const auto& c : collected)
            for (const auto& b : BuiltInFilters())
                if (b.Category == c && c != "Other")
                    for (auto n : b.Names)
                        add(std::string(n), 0);
        if (other)
            for (auto n : BuiltInFilters()[5].Names)
                add(std::string(n), 0);
    }
    const PluginCatalogPane& cat = app.PluginCatalog[Index];
    for (int row = 1; row <= cat.RowBound(); ++row) {
        std::string category = cat.CategoryOf(row);
        for (const auto& c : collected) {
            if (c != category) continue;
            std::string text = MarkedTitle(app, cat.PathOf(row), cat.TitleOf(row), photoshopMode);
            if (!text.empty()) add(text, row);
        }
    }
    if (photoshopMode && other) {
        for (int row = 1; row <= cat.RowBound(); ++row) {
            std::string category = cat.CategoryOf(row);
            bool listed = false;
            for (int j = 0; j < List2[Index].ListCount() && !listed; ++j)
                listed = List2[Index].List(j) != "Other" && List2[Index].List(j) == category;
            if (!listed && ends_with(vb::LCase(cat.PathOf(row)), ".8bf")) add("+ " + cat.TitleOf(row), row);
        }
    }
    FreezeRedraw(false);
    MousePointer = ui::vbDefault;
    List3[Index].HorizontalExtent =
        static_cast<int>(vb::RoundHalfEven(static_cast<double>(TextWidth("+ " + longest)) / host().TwipsPerPixelX()));
}

void Form1::List3_Click(int Index) {
    Timer1.Enabled = false;
    if (Toolbar1.Buttons(1).Value == ui::tbrPressed) Timer1.Enabled = true;
    int i = List3[Index].ListIndex;
    if (i < 0) return;
    int row = List3[Index].GetItemData(i);
    std::string path = app.PluginCatalog[Index].PathOf(row);
    if (path.empty()) {
        if (Check1[Index].Value == 1) Label5[Index].Caption = ">>> This filter is built into Photoshop.exe";
        return;
    }
    // A row whose file has gone shows its path without a size.
    std::string size;
    try {
        size = " (" + std::to_string(files::file_length(path) / 1024) + " K)";
    } catch (const vb::Error&) {
    }
    if (TextWidth(path + size) <= Label5[Index].Width)
        Label5[Index].Caption = path + size;
    else
        Label5[Index].Caption = " ../" + GetFileName(path) + size;
}

void Form1::List3_DblClick(int) {
    // The click before the double click started the preview delay; the editor takes over now.
    Timer1.Enabled = false;
    LoadintoFFEditor(app, false, false);
}

void Form1::List3_KeyDown(int Index, int KeyCode, int Shift) {
    if (KeyCode == ui::vbKeyReturn && Shift == 4) {
        mnuFileInformation_Click(app);
    } else if (KeyCode == ui::vbKeyReturn && Shift == 0) {
        List3_DblClick(Index);
    } else if (KeyCode == ui::vbKeyBack && List2[Index].ListIndex >= 1) {
        List2[Index].ListIndex = List2[Index].ListIndex - 1;
    }
}

void Form1::CheckPhotoshopMode(int Index) {
    if (Check1[Index].Value != 1) return;
    const PluginCatalogPane& cat = app.PluginCatalog[Index];
    bool missing = false;
    for (int j = 0; j < List2[Index].ListCount() && !missing; ++j) {
        std::string c = List2[Index].List(j);
        if (c == "Other" || c == "-------------") continue;
        bool found = false;
        for (int row = 1; row <= cat.RowBound() && !found; ++row)
            found = cat.CategoryOf(row) == c && ends_with(vb::LCase(cat.PathOf(row)), ".8bf");
        missing = !found;
    }
    if (!missing) return;
    FreezeRedraw(true);
    Check1[Index].Value = 0;
    Check1[Index].Value = 1;
    FreezeRedraw(false);
}

} // namespace vexolan
