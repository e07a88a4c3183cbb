#include "filemanager/standins.hpp"

#include "filemanager/fileview.hpp"

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/standins.hpp"

#include <algorithm>

namespace vexolan {

void cmd_CopyFiles(App&) {
    standin_called("cmd_CopyFiles");
}
void cmd_MoveFiles(App&) {
    standin_called("cmd_MoveFiles");
}
void cmd_RenameFiles(App&) {
    standin_called("cmd_RenameFiles");
}
void cmd_DeleteFiles(App&) {
    standin_called("cmd_DeleteFiles");
}
void cmd_Kill(App&) {
    standin_called("cmd_Kill");
}
void mnuRenameFolder_Click(App&) {
    standin_called("mnuRenameFolder_Click");
}
void cmd_MoveDir(App&) {
    standin_called("cmd_MoveDir");
}
void cmd_KillDir(App&) {
    standin_called("cmd_KillDir");
}
void cmd_MakeDir(App&) {
    standin_called("cmd_MakeDir");
}
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
