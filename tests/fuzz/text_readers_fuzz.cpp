// Feeds the readers of Filter Factory files from outside that come as text: settings files (.afs,
// .pff), the binary .ffx file, text sources and library entries, and the code rewriting of what
// they read. The input is written to a file of each kind in a temporary folder and read back.
#include "filterfactory/bytes.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/rewrite.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace vexolan::ff;

namespace {

const std::filesystem::path& folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("vexolan-fuzz-text-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder(), ec);
        });
        return d;
    }();
    return dir;
}

void write(const std::string& name, std::string_view bytes) {
    std::ofstream out(folder() / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string dir = folder().string();
    FFContext ff;
    for (const char* name : {"f.afs", "f.pff", "f.ffx", "f.txt"})
        write(name, input);
    ReadAFS(ff, dir, "f.afs");
    ReadPFF(ff, dir, "f.pff");
    ReadFFX(ff, dir, "f.ffx");
    ReadTXT(ff, dir, "f.txt", true, true);
    // The same input as an .afs body behind a valid header, so that the reads go past it.
    write("g.afs", "%RGB-1.0\r" + std::string(input));
    ReadAFS(ff, dir, "g.afs");

    TextLines lines(input);
    while (!lines.AtEnd())
        if (!ReadFFLEntry(ff, lines)) break;

    std::string code(input);
    OptimizeFormula(code, static_cast<int>(size % 4), size % 2 == 0);
    Correctprmcode(code);
    return 0;
}
