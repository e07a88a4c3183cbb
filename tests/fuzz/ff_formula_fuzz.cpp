// Feeds arbitrary text to the formula compiler as the four formulas of a filter and, when they
// compile, runs them over a small picture with alpha.
#include "platform/imgman/ff_program.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    imgman::ff::Filter filter;
    // The text is split into the four formulas at its first three NUL bytes.
    std::size_t start = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t end = k < 3 ? text.find('\0', start) : std::string::npos;
        filter.formulas[k] = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos) {
            for (std::size_t j = k + 1; j < 4; ++j)
                filter.formulas[j] = "c";
            break;
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < 8; ++i)
        filter.sliders[i] = static_cast<uint8_t>(size * 31 + i * 17);
    std::vector<uint8_t> source(7 * 5 * 4), target(source.size());
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<uint8_t>(i * 37);
    int32_t seed = 0;
    imgman::ff::run_filter(filter, 4, {source.data(), 7, 5, 7 * 4}, {target.data(), 7 * 4}, seed);
    return 0;
}
