#include "platform/imgman/plugin_host.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/ff_code.hpp"
#include "platform/imgman/ff_program.hpp"
#include "platform/imgman/images.hpp"
#include "platform/imgman/plugin_dialog.hpp"
#include "platform/imgman/status.hpp"
#include "platform/ui/Host.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace imgman {

namespace {

// No Filter Factory plug-in comes near this size; a larger file is never read into memory.
constexpr std::uintmax_t LargestPlugin = 1 << 20;

struct HostState {
    PluginReader reader;
    PluginDescriber describer;
    bool enabled = false;
    std::string folder;
    std::optional<PluginFilter> plugin;
    int32_t stored_seed = 0; // carried from run to run while the plug-in stays loaded
    PluginHostLog log;
};

HostState& state() {
    static HostState s;
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The file `name` in `folder`, letter case ignored when the exact name is not there.
std::filesystem::path resolve(std::string_view folder, std::string_view name) {
    std::filesystem::path path(name);
    if (path.is_absolute() || folder.empty()) return path;
    const std::filesystem::path dir(folder);
    std::error_code ec;
    if (std::filesystem::exists(dir / path, ec)) return dir / path;
    if (path.has_parent_path()) return dir / path;
    const std::string wanted = lower(name);
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (lower(it->path().filename().string()) == wanted) return it->path();
    return dir / path;
}

std::optional<std::string> read_small_file(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > LargestPlugin) return std::nullopt;
    // Through the file layer, whose open never waits on a FIFO put in the file's place meanwhile.
    try {
        std::string bytes = files::read_file_bytes(path.string());
        if (bytes.size() != size) return std::nullopt;
        return bytes;
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

std::optional<PluginFilter> parse(std::string_view bytes) {
    const HostState& s = state();
    if (!s.reader) return std::nullopt;
    return s.reader(bytes);
}

} // namespace

void set_plugin_reader(PluginReader reader) {
    state().reader = std::move(reader);
}

void set_plugin_describer(PluginDescriber describer) {
    state().describer = std::move(describer);
}

int32_t ImgPlugInHostLoad(std::string_view folder) {
    HostState& s = state();
    s.folder = std::string(folder);
    s.enabled = true;
    s.plugin.reset();
    s.stored_seed = 0;
    ++s.log.HostLoads;
    record_success();
    return 1;
}

int32_t ImgPlugInLoad(std::string_view name) {
    HostState& s = state();
    s.plugin.reset();
    if (!s.enabled) return record_failure(StatusBadArgument, "The plug-in host is not loaded.");
    const auto bytes = read_small_file(resolve(s.folder, name));
    if (!bytes) return record_failure(StatusFileError, "The plug-in could not be read.");
    s.plugin = parse(*bytes);
    if (!s.plugin) return record_failure(StatusBadArgument, "The file is not a Filter Factory plug-in.");
    s.stored_seed = 0;
    ++s.log.PluginLoads;
    record_success();
    return 1;
}

int32_t ImgPlugInInvoke(int32_t handle, ui::Host* owner, const Rect& rect) {
    HostState& s = state();
    if (!s.enabled || !s.plugin) return record_failure(StatusBadArgument, "No plug-in is loaded.");
    Image* image = image_of(handle);
    if (!image) return record_failure(StatusBadHandle, "There is no such image.");
    // The filtered area, kept inside the picture.
    const int left = std::clamp(rect.left, 0, image->width - 1), top = std::clamp(rect.top, 0, image->height - 1);
    const int right = std::clamp(rect.right, left, image->width - 1),
              bottom = std::clamp(rect.bottom, top, image->height - 1);
    const int width = right - left + 1, height = bottom - top + 1;

    ff::Filter filter;
    filter.formulas = s.plugin->Formulas;
    filter.sliders = s.plugin->Values;
    PluginHostLog::Invoke entry;
    if (s.plugin->ShowDialog && owner) {
        PlugInDialog dialog(*owner, *s.plugin);
        entry.DialogShown = true;
        dialog.ShowModal();
        const bool accepted = dialog.Accepted;
        filter.sliders = dialog.values();
        filter.formulas = dialog.formulas();
        dialog.Unload();
        if (!accepted) {
            entry.Values = filter.sliders;
            s.log.Invokes.push_back(entry);
            return record_failure(StatusCancelled, "The filter was cancelled.");
        }
    }
    const int channels = image->has_alpha ? 4 : 3;
    entry.Formulas.assign(filter.formulas.begin(), filter.formulas.begin() + channels);
    entry.Values = filter.sliders;

    const std::ptrdiff_t image_stride = static_cast<std::ptrdiff_t>(image->width) * 4;
    const ff::SourceView source{image->rgba.data() + top * image_stride + static_cast<std::ptrdiff_t>(left) * 4, width,
                                height, image_stride};
    std::vector<uint8_t> result(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const ff::TargetView target{result.data(), static_cast<std::ptrdiff_t>(width) * 4};
    int32_t seed = s.stored_seed;
    if (!ff::run_filter(filter, channels, source, target, seed)) {
        // Told through the status and its text, not in a box: a preview recompiles at every pause in
        // typing, and the editor shows the reason beside its formulas.
        s.log.Invokes.push_back(entry);
        std::string why = ff::compile_problem(filter, channels);
        if (why.empty()) why = "A formula of the filter is not valid.";
        return record_failure(StatusBadFormula, why);
    }
    s.stored_seed = seed;
    for (int y = 0; y < height; ++y)
        std::copy_n(result.begin() + static_cast<std::ptrdiff_t>(y) * width * 4, static_cast<std::size_t>(width) * 4,
                    image->rgba.begin() + (top + y) * image_stride + static_cast<std::ptrdiff_t>(left) * 4);
    entry.Result = 1;
    s.log.Invokes.push_back(entry);
    record_success();
    return 1;
}

int32_t ImgPlugInHostUnload() {
    HostState& s = state();
    s.enabled = false;
    s.plugin.reset();
    s.folder.clear();
    ++s.log.HostUnloads;
    return 1;
}

std::string formula_problem(std::string_view formula) {
    // In the alpha slot of a picture with alpha, where every name of the language is known.
    const std::array<std::string, 4> formulas{"0", "0", "0", std::string(formula)};
    std::string why;
    if (ff::compile_program(formulas, {}, 1, 1, 4, &why)) return {};
    return why.empty() ? std::string("it is not a formula of the language") : why;
}

bool ImgPlugInHostIsEnabled() {
    return state().enabled;
}

int32_t ImgPlugInAbout(ui::Host* owner, std::string_view path) {
    const std::filesystem::path file(path);
    const auto bytes = read_small_file(file);
    // A file too large to be a Filter Factory plug-in is still described by its name; anything but a
    // regular file (a FIFO would block the open for good) is not looked at.
    std::error_code ec;
    if (!bytes && (!std::filesystem::is_regular_file(file, ec) || !std::ifstream(file, std::ios::binary))) return 0;
    std::string text;
    if (const auto plugin = bytes ? parse(*bytes) : std::nullopt) {
        text = plugin->Title;
        if (!plugin->Author.empty()) text += "\r\r" + plugin->Author;
        if (!plugin->Copyright.empty()) text += "\r" + plugin->Copyright;
    } else {
        text = std::filesystem::path(path).filename().string();
        if (state().describer) {
            const std::string more = state().describer(path);
            if (!more.empty()) text += "\r\r" + more;
        }
    }
    if (owner) owner->MsgBox(text, ui::vbInformation, "About");
    return 1;
}

const PluginHostLog& plugin_host_log() {
    return state().log;
}

void reset_plugin_host_log() {
    state().log = {};
}

} // namespace imgman
