#include "ffeditor/standins.hpp"

namespace vexolan {

void LoadSnippets(App&) {}

} // namespace vexolan
