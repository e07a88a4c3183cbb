#pragma once
// Filter Factory libraries (.ffl): "FFL1.0" or "FFL1.1", the entry count, then 29-line entries (CR LF).
// Libraries are unpacked entry by entry into single files; the loaders that bring one file of any
// Filter Factory kind into the current filter choose their reader by the file's extension.

#include "filterfactory/bytes.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/record.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace vexolan {
class App;
class ConversionBatch;
} // namespace vexolan

namespace vexolan::ff {

inline constexpr int LibraryEntryLines = 29;

// The room a library may take for each entry its second line counts: 16 KiB. An entry holds one filter
// in 29 lines: four formulas that must each fit a plug-in's 1024-byte slot, sixteen names and texts of
// at most 255 bytes, a file name and eight values, under 9 KB with its line ends; the bound is about
// twice that. A library may take this room for each entry counted and once more (for its first two
// lines and a count that is short by one), and never less than the bound of the other sources: the
// reader does not trust the count, so a count of 0, junk or one smaller than the entries must not
// refuse a library of an ordinary size. A larger one is refused before it is read, with its size
// named among the files the conversion skipped. The count is read from the file's first bytes, after
// its first line has shown it to be a library, so that a large file of another kind that merely has the
// name is never read whole.
inline constexpr std::uint64_t LibraryBytesPerEntry = 16 * 1024;
// The bound of every library, whatever its count says: that of a text source or a settings file.
inline constexpr std::uint64_t LibraryLeastBound = 4 * 1024 * 1024;
// The largest library whose second line counts `count` entries (a count outside the five digits
// the line holds counts as 0 or 99999): the larger of the room of its entries and LibraryLeastBound.
std::uint64_t LibraryBound(double count);

// Fills ff.Record from the next entry of a library's lines, without clearing it first: a green
// formula of one '"' repeats the red one, a blue one of '"' the green one, a copyright starting with
// "©" gets "Copyright " in front. pFlag becomes false when the entry's Filename ends in ".prm", else
// true. False when fewer than 29 lines are left (they are all taken), a line is longer than a whole
// entry's room or a value is not 0..255.
bool ReadFFLEntry(FFContext& ff, TextLines& lines);
// The same from a library held in memory, from the cursor's position, line by line with Byt2str.
bool ReadFFLEntryII(FFContext& ff, ByteCursor& file);

// Unpacks every entry of library `FFLy` into folder `Destdir` (created when missing) in the format
// `DestType` (see names.hpp). Entries whose Filename begins "//" are deleted ones: counted, not
// written. Each target that exists is asked about with OverwriteCheck; Esc stops before the next
// entry; the main window's status label counts " 1 of  3". A file that is no library is reported.
// Its messages and questions go through `batch`, which also learns of the entries it cannot read.
void Convertffl(App& app, std::string_view FFLy, std::string Destdir, int DestType, ConversionBatch& batch);
// The same as a batch of its own.
void Convertffl(App& app, std::string_view FFLy, std::string Destdir, int DestType);

// Writes the current filter into folder `Diry` with the writer of format `DestType`, as the
// conversion does (plug-ins with `options`). True when a file was written.
bool WriteCurrent(FFContext& ff, int DestType, std::string Diry, const CompileOptions& options);

// Reads the Filter Factory file `path` of any supported kind into ff.Record, as the conversion does:
// plug-ins with code optimisation, Premiere plug-ins (Filter Factory, else Transition Factory), text
// sources without presets, settings files. False for other extensions and failed reads.
bool ReadFFfile(FFContext& ff, std::string_view PathFily);

// The same for the editor: text sources with their presets, Premiere code rewritten into the
// Photoshop dialect, and a source file's own extension kept in Filename.
bool LoadIt(FFContext& ff, std::string_view path);

// Writes the entry count `Numy` into line 2 of library `FFLfile`: 5 characters from byte position 9,
// right-aligned with blanks. Reports nothing; false (nothing written) when the count does not fit
// 0..99999, line 2 is not five characters long, or the file cannot be written.
bool FFLNumWrite(std::string_view FFLfile, int Numy);

// Library functions of the FFL View that this edition leaves empty.
void WriteFFLEntry(std::string_view freeD);
void cmd_SearchFFL();
void cmd_Extract(int DestType, bool pConvert);
void cmd_Add2FFL();

} // namespace vexolan::ff
