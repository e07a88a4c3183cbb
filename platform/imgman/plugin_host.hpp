#pragma once
// The plug-in host of the imaging layer. It runs Filter Factory plug-ins: their parameter block
// gives the sliders, maps, names and the four formulas, and the formula evaluator filters the
// picture in place under its handle. Other plug-ins cannot run here; loading them fails as a
// missing plug-in fails.
//
// The layer knows nothing of the plug-in file formats: the program installs the reader of Filter
// Factory plug-ins with set_plugin_reader before the host is used.

#include "platform/imgman/imgman.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Host;
}

namespace imgman {

// What the host needs of a Filter Factory plug-in. Texts are UTF-8.
struct PluginFilter {
    std::string Title, Category, Copyright, Author;
    std::array<std::string, 4> MapNames;
    std::array<std::string, 8> CtlNames;
    std::array<bool, 4> MapUsed{};
    std::array<bool, 8> CtlUsed{};
    std::array<uint8_t, 8> Values{};
    std::array<std::string, 4> Formulas; // red, green, blue, alpha
    bool EditorFlag = true;              // true: the dialog shows the controls only; false: the formulas too
    bool ShowDialog = false;             // the plug-in asks for its dialog when it runs
};

// Reads a whole plug-in file; nothing when it is not a Filter Factory plug-in.
using PluginReader = std::function<std::optional<PluginFilter>(std::string_view file)>;
void set_plugin_reader(PluginReader reader);
// What the program can tell of any other plug-in file without running it (its filters' names and
// categories, its version strings), as lines of text; empty when it finds nothing.
using PluginDescriber = std::function<std::string(std::string_view path)>;
void set_plugin_describer(PluginDescriber describer);

// Remembers the plug-in folder ("" allowed) and enables the host. 1.
int32_t ImgPlugInHostLoad(std::string_view folder);
// Loads the plug-in `name` (relative to the host's folder, or an absolute path). 1, or 0 when it is
// missing or not a Filter Factory plug-in. A formula that does not compile does not fail here.
int32_t ImgPlugInLoad(std::string_view name);
// Runs the loaded plug-in over `rect` (naming its last pixel) of the image `handle`, in place. The
// plug-in's dialog is shown through `owner` when its show-dialog flag is set. 1; 0 when the dialog
// is cancelled (status 26), when a formula does not compile (silently) or when nothing is loaded.
int32_t ImgPlugInInvoke(int32_t handle, ui::Host* owner, const Rect& rect);
// Releases the plug-in and disables the host. 1.
int32_t ImgPlugInHostUnload();
// Why `formula` does not compile as a formula of any channel, alpha included, whether the picture
// it would run on has alpha or not; empty when it compiles. Lets the caller say what is wrong with
// a filter before it runs one.
std::string formula_problem(std::string_view formula);
bool ImgPlugInHostIsEnabled();
// Shows what a plug-in file says about itself, through `owner`, without running it: title, author
// and copyright of a Filter Factory plug-in; for any other its name and what the installed describer
// finds. 1; 0 when the file cannot be read.
int32_t ImgPlugInAbout(ui::Host* owner, std::string_view path);

// What the host did, for tests: loads and unloads of the host, and per run the formulas compiled
// and the slider values used.
struct PluginHostLog {
    int HostLoads = 0;
    int HostUnloads = 0;
    int PluginLoads = 0;
    struct Invoke {
        std::vector<std::string> Formulas; // the compiled ones: R, G, B and, with alpha, A
        std::array<uint8_t, 8> Values{};
        bool DialogShown = false;
        int32_t Result = 0;
    };
    std::vector<Invoke> Invokes;
};
const PluginHostLog& plugin_host_log();
void reset_plugin_host_log();

} // namespace imgman
