#pragma once
// The plug-in name and category readers: what a plug-in file calls its filters and under which
// category it files them, read from its Windows resources (PiPL, PIMI, _8BFM), from the raw bytes of
// a Premiere plug-in, or from its version information, without ever running it.
//
// Each reader has a byte-level core over a ByteSource (a file in memory for tests and the fuzzer, or
// parts of a file on disk) with no user-interface dependency, and a file-level form the scanner and
// the catalogue commands call. Texts come out as UTF-8; the rooms and positions count the file's own
// Windows-1252 bytes.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {
class App;
class PlugTypeTable;
namespace ff {
struct FFContext;
}
} // namespace vexolan

namespace vexolan::catalogue {

// One filter of the plug-in file being read.
struct PluginInfo {
    std::string Category;
    std::string Title;
    // 1-based file position of the category's first letter; 0 = written through the Filter Factory
    // layout; for a PIMI category a value that is no position (see ReadCom8bf).
    std::int32_t CatOffset = 0;
    // Letters the category field holds: the text plus the zero bytes after it.
    std::int32_t CatRoom = 0;
};
// PluginInfoList(j) is element j - 1: filter 1 comes first.
using PluginInfoList = std::vector<PluginInfo>;

// Where a reader takes its bytes from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Length() const = 0;
    // Up to `length` bytes from the 0-based `position`; fewer at the end, none beyond it.
    virtual std::string Read(std::uint64_t position, std::size_t length) const = 0;
};

// A whole file already in memory (the view must outlive the source).
class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Length() const override { return bytes_.size(); }
    std::string Read(std::uint64_t position, std::size_t length) const override;

private:
    std::string_view bytes_;
};

// The fields of the .rsrc section header a reader uses, as stored (all 32 bits).
struct RsrcHeader {
    std::uint32_t VirtualAddress = 0;
    std::uint32_t SizeOfRawData = 0;
    std::uint32_t PointerToRawData = 0;
};

// Finds the .rsrc section header: first by its letters "rsrc" at the 0-based offsets 373, 377, ...,
// 1369, where the section table of a common plug-in lies; when they are not there, through the PE
// headers' own section table (after the optional header of a 32-bit or 64-bit file), so that plug-ins
// with a larger DOS stub or more sections are read too. Nothing when neither finds one.
std::optional<RsrcHeader> FindRsrcHeader(const ByteSource& file);

// --- byte-level cores ----------------------------------------------------------------------------

// The PIPL, PIMI and _8BFM resources of a PE file into `list`. True when filter 1 has a category and
// a title. `list` is always left with at least what was read so far.
bool ReadCom8bfResources(const ByteSource& file, PluginInfoList& list);

// The raw-byte search of a Premiere plug-in (see ReadComprm). `cy` and `Fy` are Windows-1252 bytes,
// appended to in place. Each window is read and searched in slices of a few MB; `stop`, when given,
// is asked between slices and ends the search (false) when it says so.
bool ReadComprmBytes(const ByteSource& file, std::string& cy, std::string& Fy, std::int32_t& Placy,
                     std::int32_t& CatyLen, const std::function<bool()>& stop = {});

// The values of every version string of `Which` (0 FileDescription, 1 InternalName, 2 ProductName) in
// file order, joined, as Windows-1252 bytes.
std::string ReadVersionBytes(std::string_view file, int Which);

// --- file-level readers --------------------------------------------------------------------------

// The filters of the plug-in `Filey` (full path). A MacBinary Filter Factory plug-in (".bin" of 99712
// or 99840 bytes) is read through the Filter Factory reader into `ff`; every other file through its
// resources. A file that cannot be opened or read gives False.
bool ReadCom8bf(ff::FFContext& ff, std::string_view Filey, PluginInfoList& list);

// Searches a Premiere plug-in without readable resources, in windows of its bytes, for PiPL name and
// category properties and the kind codes of video and audio filters and transitions. `cy` (category)
// and `Fy` (title) are appended to or overwritten, `Placy` receives a file position and `CatyLen` the
// room of the category. True when `cy` and `Fy` end up non-empty. `stop` may end a long search
// between its slices (see ReadComprmBytes); the file then counts as unreadable.
bool ReadComprm(std::string_view Filey, std::string& cy, std::string& Fy, std::int32_t& Placy, std::int32_t& CatyLen,
                const std::function<bool()>& stop = {});

// Names a plug-in of a user-defined type: category "[type name]" ("[Other Plugins]" without a
// matching type), title from the version information when the type's digit is below 3, else (or when
// that is empty) the file name up to its first "." (or, without one, its first "_"). `typeListHasEntries`
// says whether the Preferences type list holds any entry at all.
// The first type column whose extension ends the file name `name`, compared in lower case, after a
// "." or "_"; -1 for none. Columns with an empty extension (unchecked types) match nothing.
int MatchingPlugType(const PlugTypeTable& PlugTypes, std::string_view name);
bool ReadOther8b(const PlugTypeTable& PlugTypes, bool typeListHasEntries, std::string_view Filey, std::string& cy,
                 std::string& Fy);
bool ReadOther8b(App& app, std::string_view Filey, std::string& cy, std::string& Fy);

// A version string of the file `Filey` (see ReadVersionBytes), as UTF-8. Fails with the file
// system's error when the file cannot be read.
std::string ReadVersionRessource(std::string_view Filey, int Which);

// What a plug-in's about box tells of a plug-in that is no Filter Factory plug-in: a line
// "category: title" for each filter its resources name, then its version strings, as UTF-8 lines
// ended by CR. Empty when the file cannot be read or names nothing.
std::string DescribePlugin(std::string_view Filey);

} // namespace vexolan::catalogue
