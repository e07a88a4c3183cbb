#include "shell/standins.hpp"

#include "shell/App.hpp"

namespace vexolan {

void standin_called(std::string_view name) {
    standin_calls().emplace_back(name);
    if (on_standin_call()) on_standin_call()(name);
}

std::vector<std::string>& standin_calls() {
    static std::vector<std::string> calls;
    return calls;
}

std::function<void(std::string_view)>& on_standin_call() {
    static std::function<void(std::string_view)> hook;
    return hook;
}

long ScanPluginRecurse(App&, int, bool, int, int) {
    standin_called("ScanPluginRecurse");
    return 0;
}

void cmd_EnableDisable(App&) {
    standin_called("cmd_EnableDisable");
}
void cmd_ChangeCategory(App&) {
    standin_called("cmd_ChangeCategory");
}
void cmd_PlugInInformation(App&) {
    standin_called("cmd_PlugInInformation");
}
void cmd_PlugInList(App&) {
    standin_called("cmd_PlugInList");
}
void cmd_AboutDialog(App&) {
    standin_called("cmd_AboutDialog");
}
void ShowConvertDialog(App&) {
    standin_called("ShowConvertDialog");
}

void mnuHelp_Click(App&) {
    standin_called("mnuHelp_Click");
}
void mnuHelpTutorials_Click(App&) {
    standin_called("mnuHelpTutorials_Click");
}
void mnuHelpQMK_Click(App&) {
    standin_called("mnuHelpQMK_Click");
}
void mnuVexoNews_Click(App&) {
    standin_called("mnuVexoNews_Click");
}
void mnuAddURL_Click(App&, int) {
    standin_called("mnuAddURL_Click");
}
void mnuEmailAuthor_Click(App&) {
    standin_called("mnuEmailAuthor_Click");
}
void mnuEmailTechSupport_Click(App&) {
    standin_called("mnuEmailTechSupport_Click");
}
void mnuFilterDownload_Click(App&) {
    standin_called("mnuFilterDownload_Click");
}
void ShowURL(App&, std::string_view) {
    standin_called("ShowURL");
}
void ShowTipWindow(App&) {
    standin_called("ShowTipWindow");
}
void ShowAboutBox(App&, bool) {
    standin_called("ShowAboutBox");
}

} // namespace vexolan
