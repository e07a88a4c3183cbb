#include "filemanager/standins.hpp"

#include "filemanager/fileview.hpp"

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/standins.hpp"

#include <algorithm>

namespace vexolan {

void mnuClearTmp_Click(App&) {
    standin_called("mnuClearTmp_Click");
}
void mnuZipit_Click(App&) {
    standin_called("mnuZipit_Click");
}
void mnuUnzipit_Click(App&) {
    standin_called("mnuUnzipit_Click");
}
void mnuViewZip_Click(App&) {
    standin_called("mnuViewZip_Click");
}
void mnuUnzip_Click(App&) {
    standin_called("mnuUnzip_Click");
}
void mnuAddtoZip_Click(App&) {
    standin_called("mnuAddtoZip_Click");
}
void mnuTestZip_Click(App&) {
    standin_called("mnuTestZip_Click");
}
void mnuRepairZip_Click(App&) {
    standin_called("mnuRepairZip_Click");
}
void mnuRescueZip_Click(App&) {
    standin_called("mnuRescueZip_Click");
}

} // namespace vexolan
