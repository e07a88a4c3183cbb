#pragma once
// The text rules of the list files of the application folder ("FolderList.log", "PlugTypes.ini",
// the link lists): lines end with CR LF, LF or a lone CR, and the files are written in UTF-8. A line
// that is not valid UTF-8 comes from an older list written in Windows-1252 and is read as such.

#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

// The lines of a list file: CR LF, LF and a lone CR all end a line; a last line without an end
// counts, an empty text has none.
std::vector<std::string> SplitListLines(std::string_view text);
// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view text);
// A line of a list file as UTF-8.
std::string ListLineText(std::string_view line);
// The text of a list file without its byte-order mark, if it has one.
std::string_view WithoutByteOrderMark(std::string_view text);

} // namespace vexolan
