#include "imaging/standins.hpp"

#include "shell/standins.hpp"

namespace vexolan {

void OpenPreviewPic(App&) {
    standin_called("OpenPreviewPic");
}

} // namespace vexolan
