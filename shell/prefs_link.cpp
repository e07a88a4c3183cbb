#include "shell/prefs_link.hpp"

#include "shell/standins.hpp"

namespace vexolan {

std::string PlugTypeMask(App&) {
    return {};
}
std::vector<std::string> PlugTypeExtensions(App&) {
    return {};
}
bool IncludeSources(App&) {
    return false;
}
bool AutoColumnWidth(App&) {
    return false;
}
void ShowPreferences(App&, int) {
    standin_called("ShowPreferences");
}
std::string ApplicationCommand(App&, int) {
    return {};
}
void RemoveFavouriteFolder(App&, int) {
    standin_called("RemoveFavouriteFolder");
}

} // namespace vexolan
