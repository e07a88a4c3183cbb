#include "shell/App.hpp"

#include "shell/Form1.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

App::App(ui::Host& host, std::filesystem::path appPath, std::filesystem::path settingsFile)
    : host(host), AppPath(std::move(appPath)), Settings(std::move(settingsFile)) {
    files::set_app_folder(AppPath);
    FF.Host = &host;
}

App::~App() = default;

Form1& App::form1() {
    if (!form1_) form1_ = std::make_unique<Form1>(*this);
    return *form1_;
}

} // namespace vexolan
