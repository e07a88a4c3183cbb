// Feeds the in-place category writer with plug-ins and text sources from outside. The input is laid
// over a Filter Factory plug-in of each accepted length with its signature, around the category
// field, so that the room measure and the write run on every kind of neighbourhood; the writer must
// never touch a byte beyond the field's room, nor change the file's length.
#include "catalogue/commands.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Field {
    std::size_t length, lengthByte, signature;
};
constexpr Field Fields[] = {{49152, 23895, 21025}, {49664, 34979, 21025}, {53760, 30403, 27697}, {57344, 31063, 28209}};

void check(std::string file, std::string_view category, std::size_t lengthByte) {
    const std::string before = file;
    const int room = vexolan::CategoryFieldRoom(file);
    const bool written = vexolan::WriteCategoryField(file, category);
    if (file.size() != before.size()) std::abort();
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == before[i]) continue;
        if (!written || i + 1 < lengthByte || i >= lengthByte + static_cast<std::size_t>(room)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view category = input.substr(0, std::min<std::size_t>(input.size(), input.empty() ? 0 : data[0]));
    for (const Field& f : Fields) {
        std::string file(f.length, '\0');
        file.replace(f.signature - 1, 14, "Filter Factory");
        const std::size_t at = f.lengthByte - 1;
        for (std::size_t i = 0; i < input.size() && at + i < file.size(); ++i)
            file[at + i] = input[i];
        check(file, category, f.lengthByte);
    }
    // The input as a whole file: a plug-in of an accepted length has its field where its length says.
    std::size_t lengthByte = 1;
    for (const Field& f : Fields)
        if (f.length == input.size()) lengthByte = f.lengthByte;
    check(std::string(input), category, lengthByte);
    (void)vexolan::WithTextSourceCategory(input, category);
    return 0;
}
