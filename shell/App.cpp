#include "shell/App.hpp"

#include "shell/Form1.hpp"
#include "shell/standins.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

App::App(ui::Host& host, std::filesystem::path appPath, std::filesystem::path settingsFile)
    : host(host), AppPath(std::move(appPath)), Settings(std::move(settingsFile)) {
    files::set_app_folder(AppPath);
    FF.Host = &host;
    ScanPluginRecurse = [this](int Index, bool OnlyFF, int MultiTask, int LastDirInd) {
        return vexolan::ScanPluginRecurse(*this, Index, OnlyFF, MultiTask, LastDirInd);
    };
}

App::~App() = default;

Form1& App::form1() {
    if (!form1_) form1_ = std::make_unique<Form1>(*this);
    return *form1_;
}

} // namespace vexolan
