#pragma once
// The catalogue commands of the main window: change category, enable and disable, plug-in
// information, the plug-in list and the plug-in's own about box. Each acts on the active pane.
// Every write into a user's plug-in changes only the bytes it means to, and a file the command
// cannot handle is left as it is.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vexolan {

class App;
class PlugTypeTable;

// --- change category ---

// Gives the selected plug-ins of the active pane's Plugin View a new category: the one chosen or
// typed in the input box, or, after plug-in entries were dropped on the category list (the main
// window's PluginDragActive set), the category list's current entry.
void cmd_ChangeCategory(App& app);
// Writes `NewCategory` into the Filter Factory plug-in of catalogue row `Item` of the active pane.
// False, and the file untouched, when the row is not made by Filter Factory, the file is not a Filter
// Factory plug-in of the four lengths with its category field, or the category does not fit the
// field. A file that cannot be read or written fails with the file system's error.
bool ChangeCat_FV(App& app, int Item, const std::string& NewCategory);
// The same on the whole file's bytes; `category` is Windows-1252. The field: a length byte, the
// letters, a 0 byte; the old letters left over behind a shorter category become 0.
bool WriteCategoryField(std::string& file, std::string_view category);
// The letters the category field of a Filter Factory plug-in holds (its text and the zeros after
// it, at most 255); 0 when `file` has no such field.
int CategoryFieldRoom(std::string_view file);
// The letters a category written into the plug-in `file` may have: its field's room less the 0 byte
// that ends the text. -1 when `file` is no Filter Factory plug-in whose category can be written.
int CategoryLetters(std::string_view file);
// A text source with its category line (and nothing else) changed; `category` is UTF-8.
std::string WithTextSourceCategory(std::string_view source, std::string_view category);

// --- enable and disable ---

struct ToggledName {
    std::string Path;     // the new full path
    bool Enabled = false; // the rename enables the file (false: disables it)
};
// The name a file gets when it is switched between enabled and disabled; nothing when no rule
// applies. The base name keeps its case; the ending written is lower case, but for a user type
// being enabled, whose extension is written as the type table has it.
std::optional<ToggledName> ToggleName(const PlugTypeTable& PlugTypes, std::string_view path);
void cmd_EnableDisable(App& app);

// --- plug-in information ---

void cmd_PlugInInformation(App& app);

// --- plug-in list ---

void cmd_PlugInList(App& app);

// --- the plug-in's own about box, through the imaging layer's plug-in host ---

// The host calls the about box makes; each returns 1 on success. Tests put recorders in.
struct PluginHostCalls {
    std::function<bool()> IsEnabled;
    std::function<std::int32_t()> Unload;
    std::function<std::int32_t(std::string_view folder)> Load;
    std::function<std::int32_t(App& app, std::string_view path)> About;
};
// The calls in use; by default those of the imaging layer's host.
PluginHostCalls& plugin_host_calls();
PluginHostCalls DefaultPluginHostCalls();
void cmd_AboutDialog(App& app);

} // namespace vexolan
