#pragma once
// Reading Filter Factory plug-ins (.8bf of every accepted length, Macintosh plug-ins in MacBinary
// form) and Premiere Filter Factory and Transition Factory plug-ins (.prm) into the current filter.

#include "filterfactory/record.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace vexolan::ff {

// Reads the Filter Factory plug-in `Diry` + `FName` into ff.Record. `Diry` gets a trailing "/" when
// it lacks one (the caller's variable keeps it). `Silent` reads only the title and category;
// `optimize` runs OptimizeCode afterwards. Sets pFlag and returns true on success. A file of another
// length or without a signature gives false with the record cleared but for Filename; a missing file
// refreshes the active pane first. Nothing is shown to the user.
bool Read8bf(FFContext& ff, std::string& Diry, std::string_view FName, bool Silent, bool optimize);

// The Premiere Filter Factory plug-in `Diry` + `FName` (50176, 50688 or 53248 bytes). The formulas
// stay in the Premiere dialect: pFlag becomes false. A file that cannot be opened or read is reported
// as "Skiping <name>! Unexpected Error!" unless `Silent`.
bool Readprm(FFContext& ff, std::string& Diry, std::string_view FName, bool Silent, bool optimize);

// The largest Transition Factory plug-in read: 4 MiB. Its texts and parameter block lie within the
// first 30 KB, and a real plug-in is a few tens of kilobytes; the bound is a hundred times that, so that
// a large file of another kind that merely has the name is never read whole. A larger file is refused
// before it is opened, as a file that could not be read, with its length in ff.RefusedLength.
inline constexpr std::uint64_t TransitionFileBound = 4 * 1024 * 1024;

// The Premiere Transition Factory plug-in `Diry` + "/" + `FName`; a `Diry` of "/" (the drive root)
// becomes "" first. Always optimises; pFlag becomes false; the category is "[Premiere TF]".
bool ReadTF(FFContext& ff, std::string& Diry, std::string_view FName, bool Silent);

// --- the same readers over a file already in memory -----------------------------------------------
// They fill `record` (which the caller has cleared) from the whole file `file` and return false when
// it is not of their format; they neither optimise nor touch pFlag.

bool Read8bfBytes(FilterRecord& record, std::string_view file, bool Silent);
bool ReadprmBytes(FilterRecord& record, std::string_view file, bool Silent);
bool ReadTFBytes(FilterRecord& record, std::string_view file, bool Silent);

// The categories the readers give when a file names none.
inline constexpr std::string_view DefaultPluginCategory = "Photoshop";
inline constexpr std::string_view PremiereFFCategory = "[Premiere FF]";
inline constexpr std::string_view PremiereTFCategory = "[Premiere TF]";

} // namespace vexolan::ff
