#include "imaging/standins.hpp"

#include "shell/standins.hpp"

namespace vexolan {

void OpenPreviewPic(App&) {
    standin_called("OpenPreviewPic");
}
void LoadintoPicView(App&, const std::string& ImageFile, int&) {
    standin_called("LoadintoPicView " + ImageFile);
}

} // namespace vexolan
