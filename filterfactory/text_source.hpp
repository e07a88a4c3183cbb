#pragma once
// Filter Factory text sources (.txt): the key and value layout that WriteTXT writes, and the read-only
// report layout that begins "Filter Factory Plugin Information:" (its control values come from an .afs
// file of the same name beside it).

#include "filterfactory/record.hpp"

#include "platform/fs/files.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vexolan::ff {

// The largest text source read: 4 MiB. A source holds one filter, whose four formulas must each fit a
// plug-in's 1024-byte slot; with its names, values and ten preset lines that is under 10 KB. The bound
// is hundreds of times that, for comments, ignored lines, blank lines and even a formula of a megabyte
// (longer than any plug-in holds, but still read and rewritten), while a real text file that merely
// ends in ".txt" (a log, a book) is never read whole: a larger file is refused before it is opened,
// silently, as a file that could not be read, with its length in ff.RefusedLength.
inline constexpr std::uint64_t TextSourceBound = 4 * 1024 * 1024;

// Reads `FName` in folder `Diry` into ff.Record. `Silent` has no effect. `Preset` also reads the
// "set[" lines into MemorySpots and marks their spots. A missing file refreshes the active pane and
// gives false; a source without all four formulas gives false; a damaged source shows
// "<FName>: Format Violation" and gives false. On success the code is optimised and pFlag is true.
bool ReadTXT(FFContext& ff, std::string_view Diry, std::string_view FName, bool Silent, bool Preset);

// The control values of a report come from the settings file beside it: the report's name with the
// extension "afs", an exact match first, else one that differs only in letter case. While a
// SettingsLookups lives (a scan), every folder is listed once for all its reports: at its first
// lookup, or not at all when the scan hands in the listing it made itself. Without one, a lookup that
// finds no exact match lists the folder. Only one is open at a time (an inner one adds to the outer).
class SettingsLookups {
public:
    SettingsLookups();
    ~SettingsLookups();
    SettingsLookups(const SettingsLookups&) = delete;
    SettingsLookups& operator=(const SettingsLookups&) = delete;

    // The files of `folder` as just listed, hidden ones included.
    void Listed(const std::string& folder, const std::vector<files::DirEntry>& entries);
    // The settings files of `folder` ("*.afs" in any letter case), listed at the first call.
    const std::vector<std::string>& SettingsFilesIn(const std::string& folder);

    // The lookups open now, or nullptr.
    static SettingsLookups* Open();

private:
    SettingsLookups* outer_ = nullptr;
    std::unordered_map<std::string, std::vector<std::string>> folders_;
};

// Writes ff.Record into folder `Diry` as "<name>.txt" (lines end CR LF), rewriting Premiere code
// first; `Preset` also writes the stored memory spots. A failed write is told through ff.ShowError
// (when set); false when the file could not be written (an existing file is then left whole).
bool WriteTXT(FFContext& ff, std::string_view Diry, bool Preset);

// The bytes WriteTXT writes for `record`; `storedSpot` says which memory spots to write (null: none).
std::string TextSourceBytes(const FilterRecord& record, const std::function<bool(int)>* storedSpot);
// The same text before its conversion to Windows-1252: UTF-8, as the clipboard carries it.
std::string TextSourceText(const FilterRecord& record, const std::function<bool(int)>* storedSpot);

} // namespace vexolan::ff
