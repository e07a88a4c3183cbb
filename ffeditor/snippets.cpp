#include "ffeditor/snippets.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/characters.hpp"
#include "ffeditor/preview.hpp"
#include "filterfactory/bytes.hpp"
#include "shell/App.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

namespace {

// The byte length of the UTF-8 character that starts `text`.
std::size_t first_character_length(std::string_view text) {
    return text.empty() ? 0 : vb::Utf8CharEnd(text, 0);
}

// The highest code box that is open, or -1.
int open_code_box(const FFEditorType1& e) {
    for (int b = 3; b >= 0; --b)
        if (e.Text5[static_cast<std::size_t>(b)].Visible) return b;
    return -1;
}

} // namespace

std::vector<Snippet> ParseSnippets(std::string_view bytes) {
    std::vector<Snippet> out;
    for (const std::string& raw : ff::SplitTextLines(bytes)) {
        if (raw.empty() || raw.front() == '#') continue;
        const std::string line = vb::Cp1252ToUtf8(raw);
        Snippet s;
        const std::size_t semicolon = line.find(';');
        if (semicolon == std::string::npos) {
            // A line that forgot its ";" is all title; its item inserts nothing.
            s.Title = line;
        } else {
            s.Code = line.substr(0, semicolon);
            std::string_view rest = std::string_view(line).substr(semicolon + 1);
            s.Title = std::string(rest.substr(first_character_length(rest)));
        }
        out.push_back(std::move(s));
    }
    return out;
}

void LoadSnippets(App& app) {
    FFEditorType1& e = app.EditorForm();
    const std::string path = files::app_path("Snipets.db");
    if (!files::file_exists(path)) return;
    std::string bytes;
    try {
        bytes = files::read_file_bytes(path);
    } catch (const vb::Error& err) {
        app.Err.Raise(err);
        ErrorMessage(app);
        return;
    }
    for (Snippet& s : ParseSnippets(bytes)) {
        e.Combo1[1].AddItem(s.Title);
        e.SnippetCode.push_back(std::move(s.Code));
    }
}

void FFEditorType1::Combo1_Click(int Index) {
    const int b = open_code_box(*this);
    if (b < 0) return;
    auto& box = Text5[static_cast<std::size_t>(b)];
    vb::ResumeNext([&] {
        const int chosen = Combo1[static_cast<std::size_t>(Index)].ListIndex;
        if (chosen < 0) return;
        if (Index == 0) {
            const std::string item = Combo1[0].List(chosen);
            box.SetSelText(item);
            // The caret goes right after the opening parenthesis, ready for the first argument.
            const std::size_t paren = item.find('(');
            const int paren_at = paren == std::string::npos ? 0 : character_count(item.substr(0, paren)) + 1;
            box.SelStart = box.SelStart - character_count(item) + paren_at;
        } else {
            if (static_cast<std::size_t>(chosen) >= SnippetCode.size()) return;
            const std::string code = SnippetCode[static_cast<std::size_t>(chosen)];
            box.SetSelText(code);
            const int length = character_count(code);
            box.SelStart = box.SelStart - length;
            box.SelLength = length;
        }
    });
    vb::ResumeNext([&] { box.SetFocus(); });
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
}

} // namespace vexolan
