// Feeds the BMP reader with pictures from outside.
#include "tests/fuzz/picture_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::check_picture_reader(imgman::decode_bmp, data, size);
    return 0;
}
