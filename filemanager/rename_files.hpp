#pragma once
// "Rename..." (F2) on the active pane's File View: one file gets a new name (in place in the report
// list, or through the input box in Classic mode); several files get a new extension typed once.
// No rename ever replaces a file unless the user said so, and then only once the new name is free.

#include <string>

namespace vexolan {

class App;

void cmd_RenameFiles(App& app);

// Renames one file (or folder) `item` to `entry` in its folder, for both ways of renaming. Onto an
// existing file the user is asked "Overwrite <entry> ?"; OK puts the existing file aside, renames, and
// only then erases it, and a failing rename puts it back; a folder of that name makes the question come
// again. Returns false when the user cancelled; throws what failed (52 for a name that is a path).
bool RenameOne(App& app, const std::string& item, const std::string& entry);

// The new name of `name` when its extension becomes `entry`: everything after its first point is
// replaced ("b.tar.gz" and "bak" give "b.bak"); a name without a point becomes `entry` itself.
std::string NameWithExtension(const std::string& name, const std::string& entry);

} // namespace vexolan
