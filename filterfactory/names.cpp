#include "filterfactory/names.hpp"

#include "platform/values/values.hpp"

namespace vexolan::ff {

std::string SafeFileName(std::string_view name) {
    // A name read from a file may hold a 0 byte, which would end the name the file system sees: the
    // name ends there, so that the extension the caller adds is the written file's own.
    name = name.substr(0, name.find('\0'));
    const auto cut = name.find_last_of('/');
    if (cut != std::string_view::npos) name.remove_prefix(cut + 1);
    if (name.empty() || name == "." || name == "..") return "-NoName";
    return std::string(name);
}

std::string NameFromFile(std::string_view name) {
    const auto cut = name.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? name : name.substr(cut + 1));
}

bool EndsWithNoCase(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() && vb::EqualsNoCase(name.substr(name.size() - ending.size()), ending);
}

std::string GetFilname(int DestType, std::string_view FName, bool macBinary) {
    std::string name = SafeFileName(FName);
    std::string_view extension;
    switch (DestType) {
    case DestPlugin:
        extension = macBinary ? "bin" : "8bf";
        break;
    case DestPremiereFF:
    case DestPremiereTF:
        extension = "prm";
        break;
    case DestAFS:
        extension = "afs";
        break;
    case DestPFF:
        extension = "pff";
        break;
    case DestText:
        extension = "txt";
        break;
    default:
        return name;
    }
    const auto dot = name.find('.');
    // A name with nothing before its first "." (".txt", what a writer makes of an empty name) would
    // become a hidden file: it is written as "-NoName" like an empty one.
    if (dot == 0) return "-NoName." + std::string(extension);
    if (dot != std::string::npos) return name.substr(0, dot + 1) + std::string(extension);
    if (DestType == DestPlugin && EndsWithNoCase(name, "_8bf") && name.size() > 4)
        return name.substr(0, name.size() - 4) + "." + std::string(extension);
    return name + "." + std::string(extension);
}

} // namespace vexolan::ff
