#pragma once
// Running Filter Factory formulas over a picture. The four formulas (red, green, blue, alpha) are
// compiled once per run into one compact register program: constants folded (the picture's size and
// the sliders are constants of a run), expressions that several formulas share computed once per
// pixel, a get of a cell the same pixel has put before replaced by the value put, and the code that
// cannot matter left out. The program computes whole runs of a row at once; only what depends on
// get and rnd goes pixel by pixel and channel by channel, in the order the cells and the generator
// depend on. A program with no get and no rnd left computes bands of rows on all cores.
//
// Pixels are 8-bit RGBA, four bytes a pixel. Every read sees the source, never the result.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace imgman::ff {

// The filter of one run: the formulas of the channels 0 red, 1 green, 2 blue, 3 alpha, and the
// eight slider values.
struct Filter {
    std::array<std::string, 4> formulas{"r", "g", "b", "a"};
    std::array<uint8_t, 8> sliders{};
};

// The filtered area of a picture, top row first.
struct SourceView {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // bytes from one row to the next
};
struct TargetView {
    uint8_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
};

// How many threads a whole-picture scan uses at most (one per core).
int worker_count();

// Whether `formula` is a formula of the language (for a picture with alpha).
bool compiles(std::string_view formula);

// Why the formulas of channels 0..channels-1 of `filter` do not compile, naming the first channel
// that fails ("The green formula does not compile: unknown function \"sn\""); empty when they compile.
std::string compile_problem(const Filter& filter, int channels);

class Program;

// One run of a filter over a picture.
class FilterRun {
public:
    FilterRun();
    ~FilterRun();
    FilterRun(FilterRun&&) noexcept;
    FilterRun& operator=(FilterRun&&) noexcept;

    // Prepares a run over a `width` × `height` area with `channels` channels (3, or 4 with alpha):
    // clears the cells, seeds the generator from `stored_seed` and compiles formulas 0..channels-1
    // (the alpha formula only with alpha). False when one of them does not compile.
    bool start(const Filter& filter, int width, int height, int channels, int32_t stored_seed);

    // The whole scan, every result clamped to 0..255 and written to `target` (which must not overlap
    // `source`); the pixels, cells and seed are those of a scan row by row, pixel by pixel. Without
    // alpha the source's alpha bytes are copied. Returns when the whole picture is done.
    void scan(const SourceView& source, const TargetView& target);

    // The results of the compiled formulas at (x, y), before clamping, computed as the scan would
    // compute that pixel next (the cells and the generator carry on). Unused channels read 0.
    std::array<int32_t, 4> pixel(const SourceView& source, int x, int y);

    // The seed the next run starts from: the argument of the last rst, or the seed this run started
    // with.
    int32_t stored_seed() const;
    // Whether the program depends on the order of pixels (put, get, rnd or rst).
    bool pixel_by_pixel() const;
    // How many instructions the compiled program has (0 for a copy of the picture).
    int instruction_count() const;

private:
    std::unique_ptr<Program> program_;
};

// Compiles and runs `filter` over `source` into `target`. False, with `target` untouched, when a
// formula does not compile. `stored_seed` carries the generator's seed from run to run.
bool run_filter(const Filter& filter, int channels, const SourceView& source, const TargetView& target,
                int32_t& stored_seed);

} // namespace imgman::ff
