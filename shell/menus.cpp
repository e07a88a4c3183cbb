#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

void Form1::mnuFileview_Click() {}
void Form1::mnuFilterview_Click() {}
void Form1::mnuFflview_Click() {}
void Form1::mnuFileViewMode_Click(int) {}
void Form1::mnuRefresh_Click() {}
void Form1::mnuDirectorys_Click(int) {}
void Form1::mnuPhotoshopPluginsFolder_Click() {}
void Form1::mnuEditFolders_Click() {}
void Form1::mnuEditApps_Click() {}
void Form1::mnuOptions_Click() {}
void Form1::mnuApps_Click(int) {}
void Form1::mnuOperations_Click() {}
void Form1::mnuExiting_Click() {}
void Form1::mnuTip_Click() {}
void Form1::mnuOrder_Click() {}
void Form1::mnuabout_Click() {}

} // namespace vexolan
