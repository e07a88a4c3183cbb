#include "filemanager/zip_commands.hpp"

#include "filemanager/command_helpers.hpp"
#include "filemanager/refresh.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "shell/status.hpp"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <utility>

namespace vexolan {

namespace {

bool ends_with_zip(const std::string& name) {
    return name.size() >= 4 && vb::LCase(name.substr(name.size() - 4)) == ".zip";
}

// The file box's current entry, "" when none.
std::string current_entry(const ui::FileListBox& box) {
    const int i = box.ListIndex;
    return i >= 0 && i < box.ListCount() ? box.List(i) : std::string();
}

std::string home_folder() {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) : std::string();
}

// Whether a folder must never be entered by the cleaning: it is or holds the home or application folder.
bool holds_own_folders(const std::string& folder) {
    for (const std::string& keep : {home_folder(), files::app_folder()})
        if (!keep.empty() && IsInFolder(files::absolute_path(keep), folder)) return true;
    return false;
}

} // namespace

std::string ZipProgram() {
    const std::string own = files::find_file_no_case(files::app_folder(), "zip");
    if (!own.empty() && ::access(own.c_str(), X_OK) == 0 && !files::folder_exists(own)) return own;
    return "zip";
}

std::vector<std::string> AddToZipArguments(const std::string& archive, const std::vector<std::string>& names) {
    std::vector<std::string> args{"-n", ".zip:.tif:.gif:.jpg:.arj:.rar", archive};
    for (const auto& name : names)
        args.push_back(!name.empty() && name[0] == '-' ? "./" + name : name);
    return args;
}

void mnuAddtoZip_Click(App& app) {
    Form1& f = app.form1();
    const int active = f.Switchy, passive = 1 - active;
    try {
        ui::FileListBox& box = f.File1[active];
        std::vector<std::string> names;
        for (int i = 0; i < box.ListCount(); ++i)
            if (box.IsSelected(i)) names.push_back(box.List(i));
        if (names.empty()) return;
        Form3& input = app.form3();
        input.Label1.Caption = "Enter name for zip file";
        const std::string current = current_entry(box);
        input.Text1.Text = ends_with_zip(current) ? current : std::string("New.zip");
        // Only an answer given to this showing counts.
        app.DialogOK = false;
        input.ShowModal();
        if (!app.DialogOK) return;
        const std::string entry = input.Text1.Text;
        const std::string folder = box.Path;
        std::vector<std::string> argv{ZipProgram()};
        for (auto& a : AddToZipArguments(files::with_separator(folder) + entry, names))
            argv.push_back(std::move(a));
        int code = 0;
        {
            HourglassPointer pointer(f);
            // The names carry no folder: zip finds them in the pane's folder, its working folder.
            code = desktop::run_and_wait(argv, folder);
        }
        if (code != 0)
            app.host.MsgBox("zip could not make the archive " + entry + " (it ended with error" + vb::Str(code) + ").",
                            ui::vbExclamation);
        f.Combo1[passive].ListIndex = 1;
        RefreshFile1C(app, active);
        // The archive lies in the active pane's folder: that pane shows it too.
        vb::ResumeNext([&] { RefreshFile1(app, active); });
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
}

void mnuTestZip_Click(App& app) {
    Form1& f = app.form1();
    try {
        const ui::FileListBox& box = f.File1[f.Switchy];
        const std::string entry = current_entry(box);
        if (!ends_with_zip(entry)) return;
        const std::string folder = box.Path;
        const std::string zip = ZipProgram();
        // A name starting with "-" would be read by zip as options: it goes as "./name".
        const std::string archive = entry[0] == '-' ? "./" + entry : entry;
        if (!desktop::find_program("x-terminal-emulator").empty()) {
            // The names reach the shell as arguments, never as part of its script.
            desktop::start_program({"x-terminal-emulator", "-e", "sh", "-c",
                                    "\"$1\" -T \"$2\"; printf '\\nPress Return to close this window. '; read -r answer",
                                    "sh", zip, archive},
                                   folder);
            return;
        }
        const desktop::ProgramRun run = desktop::run_and_collect({zip, "-T", archive}, folder);
        app.host.MsgBox(run.Output.empty() ? "zip -T " + entry + " ended with error" + vb::Str(run.ExitCode) + "."
                                           : run.Output,
                        run.ExitCode == 0 ? ui::vbInformation : ui::vbExclamation, "Test Zip");
    } catch (const vb::Error&) {
    }
}

std::uint64_t GetFreeDiskSpace(const std::string& folder) {
    try {
        return files::free_space(folder);
    } catch (const vb::Error&) {
        return 0;
    }
}

std::string SpaceGainedText(std::uint64_t before, std::uint64_t after) {
    const std::uint64_t difference = before > after ? before - after : after - before;
    // Shown as a single-precision number: seven significant digits.
    const float megabytes = static_cast<float>(static_cast<double>(difference) / 1024.0 / 1024.0);
    char text[64];
    std::snprintf(text, sizeof text, "%.7G", static_cast<double>(megabytes));
    return vb::Str(vb::Val(text)) + " MB gained by cleaning the Temporary folder.";
}

namespace {

// A file by its identity: the device and inode number.
using FileId = std::pair<dev_t, ino_t>;

// The files mapped into memory by the process whose /proc folder is `base` (code and data of its
// program and libraries, files it mapped and may have closed since), from its maps: each line ends in
// the device (major:minor, in hex), the inode and the name. A file is known by the numbers the kernel
// gives and by its name as it stands, as a stacked file system may show other numbers through the name.
void add_mapped_files(const std::string& base, std::set<FileId>& held) {
    std::FILE* maps = std::fopen((base + "/maps").c_str(), "re");
    if (!maps) return;
    std::set<std::string> names;
    char* line = nullptr;
    std::size_t room = 0;
    while (::getline(&line, &room, maps) > 0) {
        unsigned major = 0, minor = 0;
        unsigned long long inode = 0;
        int nameAt = 0;
        if (std::sscanf(line, "%*s %*s %*s %x:%x %llu %n", &major, &minor, &inode, &nameAt) < 3 || inode == 0) continue;
        held.insert({static_cast<dev_t>(::makedev(major, minor)), static_cast<ino_t>(inode)});
        std::string name = line + nameAt;
        while (!name.empty() && (name.back() == '\n' || name.back() == ' '))
            name.pop_back();
        if (!name.empty() && name[0] == '/' && !name.ends_with(" (deleted)")) names.insert(name);
    }
    std::free(line);
    std::fclose(maps);
    for (const std::string& name : names) {
        struct stat st;
        if (::stat(name.c_str(), &st) == 0) held.insert({st.st_dev, st.st_ino});
    }
}

// The files and folders that processes of this user use: those they hold open (their open
// descriptors), work in (their current folders), run (their programs) or have mapped into memory,
// read from /proc. A process that ends or goes meanwhile is passed over.
std::set<FileId> files_held_open() {
    std::set<FileId> held;
    const uid_t me = ::geteuid();
    DIR* proc = ::opendir("/proc");
    if (!proc) return held;
    while (const dirent* d = ::readdir(proc)) {
        const std::string pid = d->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string base = "/proc/" + pid;
        struct stat st;
        if (::stat(base.c_str(), &st) != 0 || st.st_uid != me) continue;
        if (::stat((base + "/cwd").c_str(), &st) == 0) held.insert({st.st_dev, st.st_ino});
        if (::stat((base + "/exe").c_str(), &st) == 0) held.insert({st.st_dev, st.st_ino});
        add_mapped_files(base, held);
        DIR* fds = ::opendir((base + "/fd").c_str());
        if (!fds) continue;
        while (const dirent* fd = ::readdir(fds)) {
            if (fd->d_name[0] == '.') continue;
            if (::stat((base + "/fd/" + fd->d_name).c_str(), &st) == 0) held.insert({st.st_dev, st.st_ino});
        }
        ::closedir(fds);
    }
    ::closedir(proc);
    return held;
}

// Whether an entry has rested for the whole time: its modification, change and access times all
// before the cutoff. A file just unpacked keeps an old modification time, and a file just read has
// a new access time: either keeps it. A link's own access time is renewed whenever a name is looked
// up through it (this cleaning's own listing does): a link counts by the other two.
bool rested(const struct stat& st, std::int64_t cutoff) {
    return st.st_mtime < cutoff && st.st_ctime < cutoff && (S_ISLNK(st.st_mode) || st.st_atime < cutoff);
}

// The file system and the mount of the folder being cleaned: an entry with another of either is not
// its own (a disk mounted below it, or another folder of the same disk bind-mounted there).
struct Place {
    std::uint64_t Device = 0;
    std::uint64_t Mount = 0;
};

int clean_folder(App& app, const std::string& folder, std::int64_t cutoff, const Place& place,
                 const std::set<FileId>& held) {
    int failures = 0;
    std::vector<files::DirEntry> entries;
    try {
        entries = files::list_all(folder);
    } catch (const vb::Error&) {
        return 1;
    }
    const uid_t me = ::geteuid();
    for (const auto& entry : entries) {
        const std::string path = files::join_path(folder, entry.Name);
        struct stat st;
        // lstat: a link is looked at as the link, never as what it leads to.
        if (::lstat(path.c_str(), &st) != 0 || st.st_uid != me) continue;
        if (held.count({st.st_dev, st.st_ino})) continue;
        const bool old = rested(st, cutoff);
        try {
            // A link is looked at as itself; anything else on another file system or mount is not the
            // folder's own.
            if (!S_ISLNK(st.st_mode) &&
                (files::device_of(path) != place.Device || files::mount_of(path) != place.Mount))
                continue;
            if (S_ISDIR(st.st_mode)) {
                if (holds_own_folders(path)) continue;
                failures += clean_folder(app, path, cutoff, place, held);
                if (!old) continue;
                bool empty = false;
                vb::ResumeNext([&] { empty = files::list_all(path).empty(); });
                if (!empty) continue;
                LeaveFolder(app, path);
                files::remove_folder(path);
            } else if ((S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) && old) {
                files::delete_file(path);
            }
        } catch (const vb::Error&) {
            ++failures;
        }
    }
    return failures;
}

} // namespace

int CleanTemporaryFolder(App& app, const std::string& folder, std::int64_t cutoff) {
    Place place;
    try {
        place = {files::device_of(folder), files::mount_of(folder)};
    } catch (const vb::Error&) {
        return 1;
    }
    return clean_folder(app, folder, cutoff, place, files_held_open());
}

void mnuClearTmp_Click(App& app) {
    Form1& f = app.form1();
    const std::string temp = files::temp_folder();
    if (files::is_root(temp) || holds_own_folders(files::absolute_path(temp))) {
        app.host.MsgBox("The temporary folder " + temp + " holds your own folders: it is not cleaned.",
                        ui::vbExclamation);
        return;
    }
    std::uint64_t before = 0, after = 0;
    int failures = 0;
    {
        HourglassPointer pointer(f);
        before = GetFreeDiskSpace(temp);
        // Other programs keep live files there: only what has rested for a day goes.
        failures =
            CleanTemporaryFolder(app, temp, static_cast<std::int64_t>(vb::TimeFromDate(app.host.Now())) - 24 * 60 * 60);
    }
    after = GetFreeDiskSpace(temp);
    if (failures >= 1)
        app.host.MsgBox(vb::Str(failures) + " files or folders couldn't be deleted." + "\r" +
                            "They are probably used by running applications.",
                        ui::vbExclamation);
    app.host.MsgBox(SpaceGainedText(before, after), ui::vbOKOnly);
}

void mnuZipit_Click(App&) {}
void mnuUnzipit_Click(App&) {}
void mnuViewZip_Click(App&) {}
void mnuUnzip_Click(App&) {}
void mnuRepairZip_Click(App&) {}
void mnuRescueZip_Click(App&) {}

} // namespace vexolan
