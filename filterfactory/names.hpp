#pragma once
// Output file names of the Filter Factory writers. Every writer and the overwrite question before it
// build the name the same way, so the file asked about is the file written.

#include <string>
#include <string_view>

namespace vexolan::ff {

// The conversion targets, by the index of the Convert dialog's format list.
enum DestTypes : int { DestPlugin = 0, DestPremiereFF = 1, DestPremiereTF = 2, DestAFS = 3, DestPFF = 4, DestText = 5 };

// The name an output file gets: what follows the last "/" ("../../x.8bf" gives "x.8bf"), so that a
// writer never leaves its target folder; an empty name, "." and ".." become "-NoName". A backslash is
// a letter of a file name here ("back\slash.afs" stays whole): names read from inside a file pass
// through NameFromFile first.
std::string SafeFileName(std::string_view name);

// The file name a Filter Factory file gives for its filter, as the readers take it: Windows paths are
// written there, so only what follows the last "\" or "/" counts ("C:\a\b.8bf" gives "b.8bf").
std::string NameFromFile(std::string_view name);

// The output name for `FName` in format `DestType`: the part up to and including the first ".",
// then the format's extension ("8bf", or "bin" for Macintosh plug-ins; "prm"; "afs"; "pff"; "txt");
// a name without "." gets "." and the extension. A plug-in name without "." that ends in "_8bf" has
// those four characters replaced by ".8bf". Other `DestType` values leave the name as it is. The name
// is first reduced with SafeFileName; a name that begins with "." gets "-NoName" before the
// extension, so an empty name, and the same name with the extension a writer adds, give one file.
std::string GetFilname(int DestType, std::string_view FName, bool macBinary = false);

// Whether `name` ends in `ending`, compared without regard to letter case.
bool EndsWithNoCase(std::string_view name, std::string_view ending);

} // namespace vexolan::ff
