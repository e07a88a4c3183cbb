#pragma once
// The per-user settings store (Windows GetSetting/SaveSetting/DeleteSetting/GetAllSettings over
// application, section and key), kept in one INI-style text file:
//
//     [Vexo10\Settings]
//     AutoAdd 0=" 1"
//     Interface="Interfc4.des"
//
// Values are opaque byte strings kept byte for byte: every value is written in double quotes with
// \\, \", \r, \n, \t and \xHH escapes, so leading and trailing blanks, "=", ";", quotes, backslashes
// and line breaks all come back unchanged. Application, section and key are matched without regard to
// letter case (ASCII), and keep the case of their first write. Every change is written at once through
// files::replace_file, so an interrupted write leaves the previous file whole. Nothing here depends on
// the locale.
//
// Reading is lenient: comments and lines it cannot read are kept as they are, an unquoted value (a hand
// edit) is taken without its surrounding blanks, and a file that cannot be read at all is moved aside
// to "settings.ini.unreadable" before the first write, never overwritten.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace settings {

// $XDG_CONFIG_HOME/Vexo10/settings.ini (~/.config/Vexo10/settings.ini).
std::string default_path();

class Store {
public:
    // Reads the file now when it exists; a missing file is an empty store, created by the first write.
    explicit Store(std::filesystem::path file = default_path());

    // The value, or `defaultValue` when the key is missing.
    std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view defaultValue = {});
    // Sets a value and writes the file. Fails with 5 (invalid call) for an empty name, a name holding a
    // line break or control character, or an application name holding "\"; a failed write throws the
    // file layer's error (the value stays set in memory and goes out with the next write).
    void SaveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value);
    // Removes a key and writes the file; a missing key does nothing.
    void DeleteSetting(std::string_view app, std::string_view section, std::string_view key);
    // Removes a whole section; a missing section does nothing.
    void DeleteSection(std::string_view app, std::string_view section);
    // Every key and value of a section, in file order.
    std::vector<std::pair<std::string, std::string>> GetAllSettings(std::string_view app, std::string_view section);

    const std::filesystem::path& path() const { return path_; }

private:
    struct Line {
        bool IsEntry = false;
        std::string Raw; // a line kept as read: comment, blank or unreadable
        std::string Key;
        std::string Value;
    };
    struct Section {
        std::string App;
        std::string Name;
        std::vector<Line> Lines;
    };
    struct FileSignature {
        bool Present = false;
        dev_t Device = 0;
        ino_t Inode = 0;
        off_t Size = 0;
        long long ModifiedNs = 0;
        bool operator==(const FileSignature&) const = default;
    };

    void reload_if_changed();
    void load();
    void parse(std::string_view text);
    void write();
    Section* find_section(std::string_view app, std::string_view section);
    static FileSignature signature_of(const std::filesystem::path& p);

    std::filesystem::path path_;
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
    FileSignature loaded_;    // the file as last read or written by this store
    bool unreadable_ = false; // the file is there but could not be read
};

// Encodes bytes as a double-quoted value of the settings file, and decodes one back. The decoder reads
// from an opening quote to its closing quote; an unterminated value runs to the end of the text.
std::string quote_value(std::string_view bytes);
std::string unquote_value(std::string_view quoted);

} // namespace settings
