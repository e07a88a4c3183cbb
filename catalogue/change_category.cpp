// Change category: the input box, the in-place write into Filter Factory plug-ins, the rewrite of
// settings files and text sources, and the update of the Plugin View's lists.

#include "catalogue/commands.hpp"

#include "filterfactory/bytes.hpp"
#include "filterfactory/layouts.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "shell/helpers.hpp"

#include <algorithm>
#include <array>

namespace vexolan {

namespace {

// The category field of each Filter Factory plug-in length: the length byte and the first letter,
// 1-based positions.
struct CategoryField {
    std::size_t Length;
    std::size_t LengthByte;
    std::size_t FirstLetter;
};
constexpr std::array<CategoryField, 4> CategoryFields{{
    {49152, 23895, 23896},
    {49664, 34979, 34980},
    {53760, 30403, 30404},
    {57344, 31063, 31064},
}};

const CategoryField* FieldForLength(std::uint64_t length) {
    for (const auto& f : CategoryFields)
        if (f.Length == length) return &f;
    return nullptr;
}

// The field of `file`, when it is a Filter Factory plug-in whose layout keeps its category there.
const CategoryField* FieldOf(std::string_view file) {
    const CategoryField* field = FieldForLength(file.size());
    if (!field) return nullptr;
    const ff::PluginLayout* layout = ff::FindPluginLayout(file);
    if (!layout || layout->CategoryLength != static_cast<ff::FilePos>(field->LengthByte)) return nullptr;
    return field;
}

// The 0-based end of the bytes the field may use: the next field of the layout, 255 letters at most.
std::size_t FieldLimit(std::string_view file, const CategoryField& field) {
    std::size_t limit = field.FirstLetter - 1 + 255;
    if (const ff::PluginLayout* layout = ff::FindPluginLayout(file)) {
        for (ff::FilePos next : {layout->ModesWord, layout->Block})
            if (next > static_cast<ff::FilePos>(field.FirstLetter))
                limit = std::min(limit, static_cast<std::size_t>(next - 1));
    }
    return std::min(limit, file.size());
}

const std::string_view ReportHeader = "Filter Factory Plugin Information:";

bool starts_no_case(std::string_view line, std::string_view key) {
    return line.size() >= key.size() && vb::EqualsNoCase(line.substr(0, key.size()), key);
}

std::string one_byte_per_letter(std::string_view text) {
    return vb::Utf8ToCp1252(text);
}

} // namespace

int CategoryFieldRoom(std::string_view file) {
    const CategoryField* field = FieldOf(file);
    if (!field) return 0;
    const std::size_t start = field->FirstLetter - 1;
    const std::size_t limit = FieldLimit(file, *field);
    std::size_t i = start;
    while (i < limit && file[i] != '\0')
        ++i;
    while (i < limit && file[i] == '\0')
        ++i;
    return static_cast<int>(i - start);
}

int CategoryLetters(std::string_view file) {
    if (!FieldOf(file)) return -1;
    return std::max(CategoryFieldRoom(file) - 1, 0);
}

bool WriteCategoryField(std::string& file, std::string_view category) {
    const CategoryField* field = FieldOf(file);
    if (!field) return false;
    const std::size_t room = static_cast<std::size_t>(CategoryFieldRoom(file));
    // The letters and their 0 byte; an empty category clears the length byte and the two after it.
    if (std::max<std::size_t>(category.size() + 1, 2) > room) return false;
    const std::size_t start = field->FirstLetter - 1;
    // The old text ends at its 0 byte or at the end of the room, whichever comes first: a text that
    // fills its room has no 0 byte before the next field, whose bytes must stay as they are.
    const std::size_t end = start + room;
    std::size_t oldEnd = start;
    while (oldEnd < end && file[oldEnd] != '\0')
        ++oldEnd;
    file[field->LengthByte - 1] = static_cast<char>(category.size());
    std::copy(category.begin(), category.end(), file.begin() + static_cast<std::ptrdiff_t>(start));
    file[start + category.size()] = '\0';
    if (category.empty()) file[start + 1] = '\0';
    // What is left of a longer old text is cleared, so that the field keeps its whole room.
    for (std::size_t i = start + category.size(); i < oldEnd; ++i)
        file[i] = '\0';
    return true;
}

std::string WithTextSourceCategory(std::string_view source, std::string_view category) {
    // The lines with their own endings, so that everything but the category line stays byte for byte.
    std::vector<std::pair<std::string_view, std::string_view>> lines; // text, ending
    std::size_t start = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] != '\r' && source[i] != '\n') continue;
        std::size_t end = i;
        if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n') ++i;
        lines.emplace_back(source.substr(start, end - start), source.substr(end, i + 1 - end));
        start = i + 1;
    }
    if (start < source.size()) lines.emplace_back(source.substr(start), std::string_view{});
    const std::string bytes = one_byte_per_letter(category);
    std::string out;
    out.reserve(source.size() + bytes.size() + 16);
    auto put = [&](std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j) {
            out += lines[j].first;
            out += lines[j].second;
        }
    };
    const bool report = !lines.empty() && lines[0].first.substr(0, ReportHeader.size()) == ReportHeader;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (report && lines[j].first.substr(0, 9) == "CATEGORY:" && j + 1 < lines.size()) {
            put(0, j + 1);
            out += bytes;
            out += lines[j + 1].second;
            put(j + 2, lines.size());
            return out;
        }
        if (!report && starts_no_case(lines[j].first, "category:")) {
            put(0, j);
            out += lines[j].first.substr(0, 9);
            out += " ";
            out += bytes;
            out += lines[j].second;
            put(j + 1, lines.size());
            return out;
        }
    }
    // A source without a category line gets one first.
    out = "Category: " + bytes + "\r\n";
    out += source;
    return out;
}

bool ChangeCat_FV(App& app, int Item, const std::string& NewCategory) {
    const PluginCatalogPane& cat = app.PluginCatalog[app.form1().Switchy];
    if (Item < 1 || Item > cat.RowBound()) return false;
    const std::string path = cat.PathOf(Item);
    if (cat.CatOffset[static_cast<std::size_t>(Item)] != 0) return false;
    if (!FieldForLength(files::file_length(path))) return false;
    const std::string old = files::read_file_bytes(path);
    std::string patched = old;
    if (!WriteCategoryField(patched, one_byte_per_letter(NewCategory))) return false;
    if (patched != old) files::rewrite_file(path, patched);
    return true;
}

namespace {

// A settings file read and written at its own place; its code comes back optimised, as any read does.
bool ChangeSettingsFile(App& app, const std::string& path, const std::string& category) {
    if (!ff::ReadAFS(app.FF, GetPathName(path), GetFileName(path))) return false;
    ff::FilterRecord& r = app.FF.Record;
    r.Category = category;
    // The controls neither named nor belonging to a named map are written as 0, as every settings
    // writer writes them.
    for (int c = 0; c < 8; ++c)
        if (r.CtlName[c].empty() && r.MapName[c / 2].empty()) r.CtlValue[c] = 0;
    files::rewrite_file(path, ff::AfsBytes(r));
    return true;
}

// A text source keeps its name, its preset lines and its layout: only the category line changes.
bool ChangeTextSource(App& app, const std::string& path, const std::string& category) {
    if (!ff::ReadTXT(app.FF, GetPathName(path), GetFileName(path), false, false)) return false;
    app.FF.Record.Category = category;
    files::rewrite_file(path, WithTextSourceCategory(files::read_file_bytes(path), category));
    return true;
}

// The letters the category field of the plug-in at `path` holds at most, when it is a plug-in whose
// field is too small for `category`; -1 otherwise (not a plug-in with a field, or a category that fits).
int RoomTooSmall(const std::string& path, const std::string& category) {
    try {
        if (!FieldForLength(files::file_length(path))) return -1;
        const int letters = CategoryLetters(files::read_file_bytes(path));
        if (letters < 0) return -1;
        return static_cast<int>(one_byte_per_letter(category).size()) > letters ? letters : -1;
    } catch (const vb::Error&) {
        return -1;
    }
}

bool bracketed(const std::string& c) {
    return !c.empty() && c.front() == '[' && c.back() == ']';
}

// Asks for the category in the input box; "" when the user cancelled.
std::string AskCategory(App& app, int pane) {
    Form1& f = app.form1();
    Form3& box = app.form3();
    box.Label1.Caption = "Choose or enter a new category";
    box.Combo1.Clear();
    for (int j = 0; j < f.List2[pane].ListCount(); ++j) {
        std::string c = f.List2[pane].List(j);
        if (c.empty() || c.front() != '[') box.Combo1.AddItem(c);
    }
    for (;;) {
        const bool textShown = box.Text1.Visible;
        box.Text1.Visible = false;
        box.Combo1.Visible = true;
        app.DialogOK = false;
        box.ShowModal();
        box.Combo1.Visible = false;
        box.Text1.Visible = textShown;
        if (!app.DialogOK) return {};
        std::string text = box.Combo1.Text;
        const int chosen = box.Combo1.ListIndex;
        if (chosen < 0 || box.Combo1.List(chosen) != text) {
            if (text.substr(0, 9) == "[Premiere") {
                box.Combo1.Text = "";
                continue;
            }
            // A typed category is offered in the category list at once, unless the list has it.
            bool listed = false;
            for (int j = 0; j < f.List2[pane].ListCount() && !listed; ++j)
                listed = f.List2[pane].List(j) == text;
            if (!text.empty() && !listed) f.List2[pane].AddItem(text);
        }
        if (!text.empty()) return text;
    }
}

} // namespace

void cmd_ChangeCategory(App& app) {
    Form1& f = app.form1();
    const int pane = f.Switchy;
    // A drop ends here whatever happens: the category list must not stay in its drag state.
    const bool dropped = f.PluginDragActive;
    struct ClearDrop {
        Form1& f;
        ~ClearDrop() { f.PluginDragActive = false; }
    } clearDrop{f};

    if (app.PaneMode[pane] != 2) {
        app.host.MsgBox("Change Category only works in Plugin View.", ui::vbExclamation);
        return;
    }
    ui::ListBox& list = f.List3[pane];
    if (list.SelCount() == 0) {
        app.host.MsgBox("Please select a plugin.", ui::vbExclamation);
        return;
    }
    std::string category;
    if (dropped) {
        const int current = f.List2[pane].ListIndex;
        if (current < 0) return;
        category = f.List2[pane].List(current);
    } else {
        category = AskCategory(app, pane);
        if (category.empty()) return;
    }
    if (bracketed(category)) {
        app.host.MsgBox(category + " is only a virtual category!\r\nMoving plugins to this category isn't possible.",
                        ui::vbQuestion);
        return;
    }

    f.MousePointer = ui::vbHourglass;
    PluginCatalogPane& cat = app.PluginCatalog[pane];
    bool changed = false;
    int failed = 0;
    int tooLong = 0, smallestRoom = -1; // plug-ins refused because the category does not fit their room
    try {
        int i = 0;
        while (i < list.ListCount()) {
            if (!list.IsSelected(i)) {
                ++i;
                continue;
            }
            const int row = list.GetItemData(i);
            const std::string path = cat.PathOf(row);
            const std::string name = GetFileName(path);
            const std::string ext = vb::LCase(name.size() >= 4 ? name.substr(name.size() - 4) : name);
            bool ok = false;
            if (row >= 1 && !path.empty()) {
                if (ext == ".afs")
                    ok = ChangeSettingsFile(app, path, category);
                else if (ext == ".txt")
                    ok = ChangeTextSource(app, path, category);
                else if (ext != ".pff") // settings files of that kind cannot be written in this edition
                    ok = ChangeCat_FV(app, row, category);
            }
            if (ok) {
                list.RemoveItem(i);
                cat.Category[static_cast<std::size_t>(row)] = category;
                changed = true;
            } else if (const int room = ext == ".afs" || ext == ".txt" ? -1 : RoomTooSmall(path, category); room >= 0) {
                ++tooLong;
                smallestRoom = smallestRoom < 0 ? room : std::min(smallestRoom, room);
                ++i;
            } else {
                ++failed;
                ++i;
            }
        }
    } catch (const vb::Error&) {
        app.host.MsgBox("Error accessing plugin for category change!", ui::vbExclamation, "Error");
        f.MousePointer = ui::vbDefault;
        return;
    }
    f.PluginDragActive = false;

    if (changed) {
        std::vector<std::string>& known = app.PaneCategories[pane];
        if (std::find(known.begin(), known.end(), category) != known.end()) {
            f.CheckPhotoshopMode(pane);
        } else {
            f.ArrayList.Clear();
            for (const auto& c : known)
                f.ArrayList.AddItem(c);
            f.ArrayList.AddItem(category);
            known.resize(static_cast<std::size_t>(f.ArrayList.ListCount()));
            for (int j = 0; j < f.ArrayList.ListCount(); ++j)
                known[static_cast<std::size_t>(j)] = f.ArrayList.List(j);
            f.ArrayList.Clear();
            if (f.Check1[pane].Value == ui::vbChecked) {
                f.FreezeRedraw(true);
                f.Check1[pane].Value = 0;
                f.Check1[pane].Value = 1;
                f.FreezeRedraw(false);
            }
        }
        ui::ListBox& categories = f.List2[pane];
        for (int j = 0; j < categories.ListCount(); ++j)
            if (categories.IsSelected(j)) categories.Selected(j) = false;
        for (int j = 0; j < categories.ListCount(); ++j)
            if (categories.List(j) == category) categories.Selected(j) = true;
        f.List2_Click(pane);
    }
    if (failed > 0)
        app.host.MsgBox(" " + std::to_string(failed) +
                            " plugin(s) couldn't be moved to the new category.\r\n"
                            "Only Filter Factory plugins and sources can be changed in this edition.",
                        ui::vbExclamation);
    if (tooLong > 0)
        app.host.MsgBox(" " + std::to_string(tooLong) + " plugin(s) couldn't be moved to the new category.\r\n" +
                            "The new category has " + std::to_string(one_byte_per_letter(category).size()) +
                            " letters; the category of " + (tooLong == 1 ? "this plugin" : "these plugins") +
                            " has room for " + std::to_string(smallestRoom) + " letters.",
                        ui::vbExclamation);
    f.MousePointer = ui::vbDefault;
}

} // namespace vexolan
