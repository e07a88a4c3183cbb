#include "platform/settings/settings.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include <algorithm>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>

namespace settings {

namespace {

constexpr std::string_view NewFileComment =
    "; Vexolan settings. Values are quoted; inside quotes \\\\ \\\" \\r \\n \\t and \\xHH are escapes.";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && is_blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool has_control(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

void check_name(std::string_view name) {
    if (name.empty() || has_control(name)) throw vb::Error(vb::ErrInvalidCall);
}

void check_names(std::string_view app, std::string_view section, std::string_view key) {
    check_name(app);
    check_name(section);
    check_name(key);
    // The header splits application and section at the first backslash.
    if (app.find('\\') != std::string_view::npos) throw vb::Error(vb::ErrInvalidCall);
}

// A key is written bare unless reading it back bare would change it.
bool key_needs_quotes(std::string_view key) {
    if (key.empty() || is_blank(key.front()) || is_blank(key.back())) return true;
    if (key.front() == '[' || key.front() == ';' || key.front() == '#') return true;
    return key.find_first_of("=\"\\") != std::string_view::npos || has_control(key);
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes a quoted text starting at `s[0] == '"'`; `end` receives the position after the closing quote.
std::string decode_quoted(std::string_view s, size_t& end) {
    std::string out;
    size_t i = 1;
    while (i < s.size()) {
        char c = s[i];
        if (c == '"') {
            end = i + 1;
            return out;
        }
        if (c == '\\' && i + 1 < s.size()) {
            char e = s[i + 1];
            switch (e) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'x':
                if (i + 3 < s.size() && hex_digit(s[i + 2]) >= 0 && hex_digit(s[i + 3]) >= 0) {
                    out += static_cast<char>(hex_digit(s[i + 2]) * 16 + hex_digit(s[i + 3]));
                    i += 4;
                    continue;
                }
                out += "\\x";
                break;
            default:
                out += '\\';
                out += e;
                break; // not an escape: both characters stand
            }
            i += 2;
            continue;
        }
        out += c;
        ++i;
    }
    end = s.size();
    return out;
}

} // namespace

std::string quote_value(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : bytes) {
        auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || u == 0x7F) {
                out += "\\x";
                out += digits[u >> 4];
                out += digits[u & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string unquote_value(std::string_view quoted) {
    if (quoted.empty() || quoted.front() != '"') return std::string(quoted);
    size_t end = 0;
    return decode_quoted(quoted, end);
}

std::string default_path() {
    return files::join_path(files::config_home(), "Vexo10/settings.ini");
}

Store::Store(std::filesystem::path file) : path_(files::absolute_path(file)) {
    load();
}

Store::FileSignature Store::signature_of(const std::filesystem::path& p) {
    FileSignature s;
    struct stat st;
    if (::stat(p.c_str(), &st) != 0) return s;
    s.Present = true;
    s.Device = st.st_dev;
    s.Inode = st.st_ino;
    s.Size = st.st_size;
    s.ModifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
    return s;
}

void Store::load() {
    FileSignature now = signature_of(path_);
    if (!now.Present) {
        preamble_.clear();
        sections_.clear();
        unreadable_ = false;
        loaded_ = now;
        return;
    }
    try {
        std::string text = files::read_file_bytes(path_);
        preamble_.clear();
        sections_.clear();
        parse(text);
        unreadable_ = false;
    } catch (const vb::Error&) {
        // Keep what is in memory; the file is moved aside before it would be overwritten.
        unreadable_ = true;
    }
    loaded_ = now;
}

// Another copy of the program (or the user) may have written the file since: take its contents first,
// so that a write here does not undo theirs.
void Store::reload_if_changed() {
    if (!(signature_of(path_) == loaded_) || unreadable_) load();
}

void Store::parse(std::string_view text) {
    // Sections and keys read so far, by their lower-case names, so that each line is checked in
    // constant time and a large file reads in time linear in its size.
    std::unordered_map<std::string, std::size_t> sectionIndex;
    std::vector<std::unordered_set<std::string>> keysOf;
    Section* current = nullptr;
    std::unordered_set<std::string>* currentKeys = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? text.size() : eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        auto keep_raw = [&] {
            if (current)
                current->Lines.push_back(Line{false, std::string(line), {}, {}});
            else
                preamble_.emplace_back(line);
        };
        std::string_view t = trim_blanks(line);
        if (t.empty() || t.front() == ';' || t.front() == '#') {
            keep_raw();
            continue;
        }
        if (t.front() == '[' && t.find(']') != std::string_view::npos) {
            std::string_view inside = t.substr(1, t.rfind(']') - 1);
            size_t slash = inside.find('\\');
            std::string_view app = slash == std::string_view::npos ? inside : inside.substr(0, slash);
            std::string_view name = slash == std::string_view::npos ? std::string_view{} : inside.substr(slash + 1);
            // A section written twice is read as one.
            auto [at, added] = sectionIndex.try_emplace(vb::LCase(app) + '\\' + vb::LCase(name), sections_.size());
            if (added) {
                sections_.push_back(Section{std::string(app), std::string(name), {}});
                keysOf.emplace_back();
            }
            current = &sections_[at->second];
            currentKeys = &keysOf[at->second];
            continue;
        }
        if (!current) {
            keep_raw();
            continue;
        }
        std::string key;
        std::string_view rest;
        if (t.front() == '"') {
            size_t end = 0;
            key = decode_quoted(t, end);
            rest = trim_blanks(t.substr(end));
            if (rest.empty() || rest.front() != '=') {
                keep_raw();
                continue;
            }
            rest.remove_prefix(1);
        } else {
            size_t eq = t.find('=');
            if (eq == std::string_view::npos || eq == 0) {
                keep_raw();
                continue;
            }
            key = std::string(trim_blanks(t.substr(0, eq)));
            rest = t.substr(eq + 1);
        }
        rest = trim_blanks(rest);
        std::string value = !rest.empty() && rest.front() == '"' ? unquote_value(rest) : std::string(rest);
        // Of two equal keys the first holds; the second could never be read, and dropping it keeps a
        // deleted key from coming back.
        if (currentKeys->insert(vb::LCase(key)).second)
            current->Lines.push_back(Line{true, {}, std::move(key), std::move(value)});
    }
}

void Store::write() {
    std::string text;
    if (!loaded_.Present && preamble_.empty()) preamble_.emplace_back(NewFileComment);
    for (const auto& raw : preamble_)
        text.append(raw).append("\n");
    for (const auto& s : sections_) {
        // A hand-written header without a section name ("[Name]") is written back as it was.
        text.append("[").append(s.App).append(s.Name.empty() ? "" : "\\").append(s.Name).append("]\n");
        for (const auto& l : s.Lines) {
            if (!l.IsEntry) {
                text.append(l.Raw).append("\n");
                continue;
            }
            text.append(key_needs_quotes(l.Key) ? quote_value(l.Key) : l.Key);
            text.append("=").append(quote_value(l.Value)).append("\n");
        }
    }
    std::string folder = path_.parent_path().string();
    files::make_folders(folder);
    if (unreadable_ && files::exists(path_)) {
        // Never overwrite a file that could not be read: it may hold settings worth saving by hand.
        std::string aside = path_.string() + ".unreadable";
        for (int n = 2; files::exists(aside); ++n)
            aside = path_.string() + ".unreadable" + std::to_string(n);
        files::rename(path_, aside);
        unreadable_ = false;
    }
    files::replace_file(path_, text);
    loaded_ = signature_of(path_);
}

Store::Section* Store::find_section(std::string_view app, std::string_view section) {
    for (auto& s : sections_)
        if (vb::EqualsNoCase(s.App, app) && vb::EqualsNoCase(s.Name, section)) return &s;
    return nullptr;
}

std::string Store::GetSetting(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    reload_if_changed();
    if (Section* s = find_section(app, section))
        for (const auto& l : s->Lines)
            if (l.IsEntry && vb::EqualsNoCase(l.Key, key)) return l.Value;
    return std::string(defaultValue);
}

void Store::SaveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
    check_names(app, section, key);
    reload_if_changed();
    Section* s = find_section(app, section);
    if (!s) {
        sections_.push_back(Section{std::string(app), std::string(section), {}});
        s = &sections_.back();
    }
    auto it = std::find_if(s->Lines.begin(), s->Lines.end(),
                           [&](const Line& l) { return l.IsEntry && vb::EqualsNoCase(l.Key, key); });
    if (it != s->Lines.end()) {
        it->Value = std::string(value);
    } else {
        // After the section's last entry, so that comments trailing the section stay at its end.
        auto last = std::find_if(s->Lines.rbegin(), s->Lines.rend(), [](const Line& l) { return l.IsEntry; });
        s->Lines.insert(last.base(), Line{true, {}, std::string(key), std::string(value)});
    }
    write();
}

void Store::DeleteSetting(std::string_view app, std::string_view section, std::string_view key) {
    reload_if_changed();
    Section* s = find_section(app, section);
    if (!s) return;
    auto it = std::find_if(s->Lines.begin(), s->Lines.end(),
                           [&](const Line& l) { return l.IsEntry && vb::EqualsNoCase(l.Key, key); });
    if (it == s->Lines.end()) return;
    s->Lines.erase(it);
    if (s->Lines.empty())
        DeleteSection(app, section);
    else
        write();
}

void Store::DeleteSection(std::string_view app, std::string_view section) {
    reload_if_changed();
    auto it = std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) {
        return vb::EqualsNoCase(s.App, app) && vb::EqualsNoCase(s.Name, section);
    });
    if (it == sections_.end()) return;
    sections_.erase(it);
    write();
}

std::vector<std::pair<std::string, std::string>> Store::GetAllSettings(std::string_view app, std::string_view section) {
    reload_if_changed();
    std::vector<std::pair<std::string, std::string>> out;
    if (Section* s = find_section(app, section))
        for (const auto& l : s->Lines)
            if (l.IsEntry) out.emplace_back(l.Key, l.Value);
    return out;
}

} // namespace settings
