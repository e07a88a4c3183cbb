#include "shell/help.hpp"

#include "shell/App.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "platform/ui/Host.hpp"

#include <cstdlib>
#include <fstream>

namespace vexolan {

namespace {

constexpr std::string_view NoHtmlViewer = "You have no HTML Viewer installed!";
constexpr std::string_view NoEmailProgram = "You have no email application installed!";

// The subject's title text: a field of the main window that nothing fills, so the subjects go out
// as their leading words alone.
constexpr std::string_view SubjectTitle = "";

// Opens a document through the desktop; says `noAssociation` when no program is associated. Errors
// of the desktop itself are the caller's.
void open_and_report(App& app, std::string_view target, std::string_view noAssociation) {
    desktop::OpenResult r = desktop::open_document(target, app.AppPath.string());
    if (r == desktop::OpenResult::NoAssociation) app.host.MsgBox(noAssociation, ui::vbExclamation, ui::DefaultTitle);
}

// A help page name with Windows separators, as the callers write them, in the form of this system.
std::string page_path(std::string_view page) {
    std::string p(page);
    for (char& c : p)
        if (c == '\\') c = '/';
    while (!p.empty() && p.front() == '/')
        p.erase(0, 1);
    return p;
}

void report_start_failure(App& app, std::string_view program, const vb::Error& e) {
    app.host.MsgBox("Could not start \"" + std::string(program) + "\": " + e.description(), ui::vbExclamation);
}

} // namespace

void ShowHelp(App& app, std::string_view Fily) {
    try {
        open_and_report(app, files::app_path("help/" + page_path(Fily)), NoHtmlViewer);
    } catch (const vb::Error& e) {
        app.host.MsgBox(e.description());
    }
}

void ShowURL(App& app, std::string_view URL) {
    try {
        open_and_report(app, URL, NoHtmlViewer);
    } catch (const vb::Error& e) {
        app.host.MsgBox(e.description());
    }
}

void SendEmail(App& app, std::string_view Address, std::string_view Subject, std::string_view Body) {
    std::string request = "mailto:" + std::string(Address);
    std::string separator = "?";
    if (!Subject.empty()) {
        request += separator + "subject=" + std::string(Subject);
        separator = "&";
    }
    // The first parameter always gets "?", also when there is no subject.
    if (!Body.empty()) request += separator + "body=" + std::string(Body);
    try {
        open_and_report(app, request, NoEmailProgram);
    } catch (const vb::Error&) {
        // Other failures are not reported.
    }
}

std::string GetSpecialPath(App& app, int CSIDL) {
    try {
        if (CSIDL == CSIDL_FAVORITES) {
            std::string folder = (app.AppPath / "Favorites").string();
            files::make_folders(folder);
            return folder;
        }
        if (CSIDL == CSIDL_DESKTOPDIRECTORY) {
            const char* home = std::getenv("HOME");
            std::string homeDir = home ? home : "";
            std::string folder = homeDir.empty() ? "" : homeDir + "/Desktop";
            // user-dirs.dirs holds lines such as XDG_DESKTOP_DIR="$HOME/Schreibtisch".
            std::ifstream dirs(files::config_home() + "/user-dirs.dirs");
            std::string line;
            while (std::getline(dirs, line)) {
                const std::string key = "XDG_DESKTOP_DIR=\"";
                if (line.rfind(key, 0) != 0) continue;
                std::string value = line.substr(key.size());
                if (!value.empty() && value.back() == '"') value.pop_back();
                if (value.rfind("$HOME", 0) == 0) value = homeDir + value.substr(5);
                if (!value.empty() && value.front() == '/') folder = value;
            }
            if (!folder.empty() && files::folder_exists(folder)) return folder;
        }
    } catch (const vb::Error&) {
    }
    return {};
}

void CreateURLFile(App& app, std::string_view name, std::string_view url, int onDesktop) {
    std::string folder = GetSpecialPath(app, onDesktop ? CSIDL_DESKTOPDIRECTORY : CSIDL_FAVORITES);
    if (folder.empty()) {
        // Without its folder the shortcut would land somewhere the user never looks: say so instead.
        app.host.MsgBox(std::string(onDesktop ? "The Desktop folder" : "The Favorites folder") +
                            " was not found. The shortcut was not created.",
                        ui::vbExclamation);
        return;
    }
    std::string bytes = "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n";
    try {
        files::replace_file(files::join_path(folder, std::string(name) + ".url"), bytes);
    } catch (const vb::Error& e) {
        app.host.MsgBox("The shortcut could not be written: " + e.description(), ui::vbExclamation);
    }
}

void RunDLL(App& app, std::string_view Commandy) {
    constexpr std::string_view openWith = "shell32.dll,OpenAs_RunDLL ";
    if (Commandy.size() < openWith.size() || !vb::EqualsNoCase(Commandy.substr(0, openWith.size()), openWith)) {
        app.host.MsgBox("Could not start \"" + std::string(Commandy) + "\".", ui::vbExclamation);
        return;
    }
    std::string path(Commandy.substr(openWith.size()));
    std::string command = app.host.InputBox("Open with (command):", ui::DefaultTitle);
    if (vb::Trim(command).empty()) return;
    std::vector<std::string> argv = desktop::split_command_line(command);
    if (argv.empty()) return;
    argv.push_back(path);
    try {
        desktop::start_program(argv);
    } catch (const vb::Error& e) {
        report_start_failure(app, argv.front(), e);
    }
}

void ShellAndWait(App& app, std::string_view RunProg) {
    std::vector<std::string> argv = desktop::split_command_line(RunProg);
    if (argv.empty()) return;
    try {
        desktop::run_and_wait(argv);
    } catch (const vb::Error& e) {
        report_start_failure(app, argv.front(), e);
    }
}

// --- the Help menu ---

void mnuHelp_Click(App& app) {
    try {
        open_and_report(app, files::app_path("Help.htm"), NoHtmlViewer);
    } catch (const vb::Error&) {
    }
}

void mnuHelpTutorials_Click(App& app) {
    ShowHelp(app, "tuts\\tutorials.htm");
}

void mnuHelpQMK_Click(App& app) {
    ShowURL(app, endpoints::HomePage);
}

void mnuVexoNews_Click(App& app) {
    ShowURL(app, endpoints::NewsletterPage);
}

void mnuAddURL_Click(App& app, int Index) {
    CreateURLFile(app, endpoints::ShortcutName, endpoints::HomePage, Index);
}

void mnuEmailAuthor_Click(App& app) {
    SendEmail(app, endpoints::FeedbackAddress, "Feedback on " + std::string(SubjectTitle), "");
}

void mnuEmailTechSupport_Click(App& app) {
    SendEmail(app, endpoints::SupportAddress, "I need help with " + std::string(SubjectTitle), "");
}

} // namespace vexolan
