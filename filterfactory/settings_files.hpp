#pragma once
// Settings files: ".afs" (read and written; every line ends with a lone CR), its variant ".pff" with
// the channels blue, green, red, alpha (read only), and the binary ".ffx" file (read only).

#include "filterfactory/record.hpp"

#include <string>
#include <string_view>

namespace vexolan::ff {

// The largest settings file read (.afs, .pff, .ffx): 4 MiB. A file holds one filter: four formulas that
// must each fit a plug-in's 1024-byte slot, sixteen names and texts of at most 255 bytes and eight
// values, under 10 KB in all. The bound is hundreds of times that, so that a formula of a megabyte
// (longer than any plug-in holds, but still read and rewritten) passes, while a large file of another
// kind that merely has the name (a log, a disk image) is never read whole: a larger file is refused
// before it is opened, as a file that could not be read, with its length in ff.RefusedLength.
inline constexpr std::uint64_t SettingsFileBound = 4 * 1024 * 1024;

// Reads the .afs file `FName` in `Diry`. The title and file name become `FName` with "8bf" for its
// last three letters and the category "Synthetic", unless the file's optional names tail gives them.
// Optimises the code; pFlag becomes true. A missing file refreshes the active pane; every failure
// gives false without a message.
bool ReadAFS(FFContext& ff, std::string_view Diry, std::string_view FName);
// The same for a .pff file, whose code stays in the Premiere dialect: pFlag becomes false.
bool ReadPFF(FFContext& ff, std::string_view Diry, std::string_view FName);
// Reads the .ffx file `Fily` in `Diry`: length-prefixed texts (32-bit little-endian lengths) and eight
// control entries. False for a missing file, a first text that does not begin "FFX" or a file that
// ends too soon. The code is taken as it stands, in the Photoshop dialect: pFlag becomes true.
bool ReadFFX(FFContext& ff, std::string_view Diry, std::string_view Fily);

// Writes ff.Record into `Diry`: `Desicion` 0 as "<name>.afs", 1 (.pff) writes nothing. Premiere code
// is rewritten first. A control that is unused (neither it nor its map has a name) is written, and
// kept in the record, as 0. A failed write is told through ff.ShowError (when set); false when
// nothing could be written (an existing file is then left whole).
bool Writeafspff(FFContext& ff, std::string_view Diry, int Desicion);

// The bytes Writeafspff writes for `record` (which has had its unused values cleared).
std::string AfsBytes(const FilterRecord& record);

} // namespace vexolan::ff
