// The plug-in name and category readers over arbitrary bytes: resources, the Premiere search and the
// version strings must stay inside the bytes given and always end.

#include "catalogue/readers.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vexolan::catalogue::MemoryBytes source(bytes);
    vexolan::catalogue::PluginInfoList list;
    vexolan::catalogue::ReadCom8bfResources(source, list);
    std::string cy, fy;
    std::int32_t placy = 0, room = 0;
    vexolan::catalogue::ReadComprmBytes(source, cy, fy, placy, room);
    for (int which = 0; which < 3; ++which)
        vexolan::catalogue::ReadVersionBytes(bytes, which);
    return 0;
}
