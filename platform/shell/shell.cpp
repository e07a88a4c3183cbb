#include "platform/shell/shell.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace desktop {

namespace {

// A program started without waiting is reaped the moment it ends, by a thread that waits for that
// one child alone: it never lingers as a zombie, and no other child's end is taken from the code
// that waits for it.
void reap_when_done(pid_t pid) {
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

bool is_executable_file(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Starts a program; with `outputFd` set, its standard output goes there (and its error output too
// with `errorsToo`).
pid_t spawn(const std::vector<std::string>& argv, std::string_view workingFolder, int outputFd = -1,
            bool errorsToo = false) {
    if (argv.empty() || argv[0].empty()) throw vb::Error(vb::ErrInvalidCall);
    std::string folder = workingFolder.empty() ? files::CurDir() : files::absolute_path(std::string(workingFolder));
    if (!files::folder_exists(folder)) throw vb::Error(vb::ErrPathNotFound);
    std::string program = find_program(argv[0]);
    if (program.empty()) {
        bool named = argv[0].find('/') != std::string::npos;
        std::string there = files::absolute_path(argv[0]);
        if (named && files::folder_exists(there)) throw vb::Error(vb::ErrPathFileAccess);
        if (named && files::exists(there)) throw vb::Error(vb::ErrPermissionDenied);
        throw vb::Error(vb::ErrFileNotFound);
    }

    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The child starts in the working folder; this process's own folder never changes.
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    // No child reads this program's own standard input: a child that waits for input gets its end.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (outputFd >= 0) posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    if (outputFd >= 0 && errorsToo) posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    pid_t pid = 0;
    int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw vb::Error(vb::ErrorFromErrno(rc));
    return pid;
}

std::string two_digits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// Percent-encodes a path for a .trashinfo file: everything but unreserved characters and "/".
std::string percent_encode(std::string_view path) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : path) {
        auto u = static_cast<unsigned char>(c);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '_' || c == '.' || c == '~' || c == '/';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += digits[u >> 4];
            out += digits[u & 15];
        }
    }
    return out;
}

// One argument of a desktop file's Exec line, quoted when it holds a reserved character.
std::string exec_argument(std::string_view arg) {
    std::string escaped;
    bool quote = arg.empty();
    for (char c : arg) {
        if (std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos) quote = true;
        if (c == '"' || c == '`' || c == '$' || c == '\\') escaped += '\\';
        if (c == '%') escaped += '%';
        escaped += c;
    }
    if (!quote) return escaped;
    // Inside quotes the backslashes are escaped once more by the desktop file's own string rules.
    std::string out = "\"";
    for (char c : escaped) {
        if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

std::string desktop_string(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

std::string applications_folder() {
    return files::join_path(files::data_home(), "applications");
}

} // namespace

// --- opening documents and addresses ------------------------------------------------------------

OpenResult open_document(std::string_view target, std::string_view workingFolder, std::chrono::milliseconds patience) {
    std::string opener = find_program("xdg-open");
    if (opener.empty()) return OpenResult::NoAssociation;
    std::string folder(workingFolder);
    if (!folder.empty() && !files::folder_exists(folder)) folder.clear();
    pid_t pid;
    try {
        pid = spawn({opener, std::string(target)}, folder);
    } catch (const vb::Error&) {
        return OpenResult::Failed;
    }
    auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int status = 0;
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            if (!WIFEXITED(status)) return OpenResult::Failed;
            switch (WEXITSTATUS(status)) {
            case 0:
                return OpenResult::Opened;
            case 2:
                return OpenResult::NotFound;
            case 3:
                return OpenResult::NoAssociation;
            default:
                return OpenResult::Failed;
            }
        }
        if (r < 0 && errno != EINTR) return OpenResult::Failed;
        if (std::chrono::steady_clock::now() >= deadline) {
            reap_when_done(pid);
            return OpenResult::Opened;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// --- starting programs ---------------------------------------------------------------------------

std::string find_program(std::string_view program) {
    if (program.empty()) return {};
    if (program.find('/') != std::string_view::npos) {
        std::string abs = files::absolute_path(std::string(program));
        return is_executable_file(abs) ? abs : std::string();
    }
    const char* env = std::getenv("PATH");
    std::string_view path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    while (!path.empty()) {
        size_t colon = path.find(':');
        std::string_view dir = path.substr(0, colon);
        path = colon == std::string_view::npos ? std::string_view{} : path.substr(colon + 1);
        if (dir.empty() || dir.front() != '/') continue; // relative PATH entries are never searched
        std::string candidate = files::join_path(dir, program);
        if (is_executable_file(candidate)) return candidate;
    }
    return {};
}

int start_program(const std::vector<std::string>& argv, std::string_view workingFolder) {
    pid_t pid = spawn(argv, workingFolder);
    reap_when_done(pid);
    return static_cast<int>(pid);
}

int run_and_wait(const std::vector<std::string>& argv, std::string_view workingFolder) {
    pid_t pid = spawn(argv, workingFolder);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw vb::Error(vb::ErrPathFileAccess);
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

ProgramRun run_and_collect(const std::vector<std::string>& argv, std::string_view workingFolder) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw vb::Error(vb::ErrorFromErrno(errno));
    pid_t pid = -1;
    try {
        pid = spawn(argv, workingFolder, fds[1], true);
    } catch (const vb::Error&) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw;
    }
    ::close(fds[1]);
    ProgramRun run;
    for (;;) {
        char buffer[4096];
        ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) {
            if (run.Output.size() < 65536) run.Output.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw vb::Error(vb::ErrPathFileAccess);
    }
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    return run;
}

std::string program_output(const std::vector<std::string>& argv, std::chrono::milliseconds patience) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return {};
    pid_t pid = -1;
    try {
        pid = spawn(argv, {}, fds[1]);
    } catch (const vb::Error&) {
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return {};
    }
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    std::string out;
    auto deadline = std::chrono::steady_clock::now() + patience;
    bool ended = false, closed = false;
    int status = 0;
    while (!(ended && closed)) {
        char buffer[4096];
        ssize_t n = closed ? 0 : ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) {
            // A program that talks without end is not answering the question asked.
            if (out.size() < 65536) out.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) closed = true;
        if (!ended && ::waitpid(pid, &status, WNOHANG) == pid) ended = true;
        if (ended && closed) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            if (!ended) reap_when_done(pid);
            ::close(fds[0]);
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::close(fds[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return out;
}

namespace {

std::string first_line(std::string text) {
    auto end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.resize(end);
    return vb::Trim(text);
}

} // namespace

std::string desktop_folder() {
    if (!find_program("xdg-user-dir").empty()) {
        std::string named = first_line(program_output({"xdg-user-dir", "DESKTOP"}));
        if (!named.empty() && named.front() == '/') return named;
    }
    const char* home = std::getenv("HOME");
    return files::join_path(home && *home ? home : "/", "Desktop");
}

std::string mime_type(std::string_view file) {
    if (find_program("xdg-mime").empty()) return {};
    return first_line(program_output({"xdg-mime", "query", "filetype", std::string(file)}));
}

std::string default_application(std::string_view mimeType) {
    if (mimeType.empty() || find_program("xdg-mime").empty()) return {};
    return first_line(program_output({"xdg-mime", "query", "default", std::string(mimeType)}));
}

OpenResult open_with_association(std::string_view file, std::string_view workingFolder) {
    if (!files::exists(std::string(file))) return OpenResult::NotFound;
    // Without xdg-mime there is nothing to ask; the opener then decides on its own.
    if (!find_program("xdg-mime").empty() && default_application(mime_type(file)).empty())
        return OpenResult::NoAssociation;
    return open_document(file, workingFolder);
}

namespace {

std::string permission_text(mode_t mode) {
    std::string text;
    const char letters[] = "rwx";
    for (int shift = 6; shift >= 0; shift -= 3)
        for (int bit = 0; bit < 3; ++bit)
            text += (mode >> (shift + 2 - bit)) & 1 ? letters[bit] : '-';
    char octal[8];
    std::snprintf(octal, sizeof octal, "%03o", static_cast<unsigned>(mode & 0777));
    return text + " (" + octal + ")";
}

std::string owner_text(uid_t uid, gid_t gid) {
    std::string user = std::to_string(uid), group = std::to_string(gid);
    char buffer[4096];
    struct passwd pw {
    }, *pwFound = nullptr;
    if (::getpwuid_r(uid, &pw, buffer, sizeof buffer, &pwFound) == 0 && pwFound) user = pwFound->pw_name;
    struct group gr {
    }, *grFound = nullptr;
    if (::getgrgid_r(gid, &gr, buffer, sizeof buffer, &grFound) == 0 && grFound) group = grFound->gr_name;
    return user + " (group " + group + ")";
}

} // namespace

std::string file_information(std::string_view path) {
    std::string abs = files::absolute_path(std::string(path));
    if (abs.size() > 1 && abs.back() == '/') abs.pop_back();
    struct stat link {
    }, st{};
    if (::lstat(abs.c_str(), &link) != 0) throw vb::Error(vb::ErrFileNotFound);
    const bool isLink = S_ISLNK(link.st_mode);
    if (!isLink || ::stat(abs.c_str(), &st) != 0) st = link;

    std::string name = abs, folder;
    auto slash = abs.rfind('/');
    if (files::is_root(abs)) {
        name = "/";
    } else if (slash != std::string::npos) {
        name = abs.substr(slash + 1);
        folder = slash == 0 ? "/" : abs.substr(0, slash);
    }
    std::string kind = S_ISDIR(st.st_mode) ? "Folder" : S_ISREG(st.st_mode) ? "File" : "Special file";
    if (isLink) kind += " (symbolic link)";

    std::string text = "Name:\t" + name + "\n";
    if (!folder.empty()) text += "Folder:\t" + folder + "\n";
    text += "Kind:\t" + kind + "\n";
    std::string type = mime_type(abs);
    if (!type.empty()) text += "Type:\t" + type + "\n";
    if (!S_ISDIR(st.st_mode)) {
        std::string size = vb::Format(static_cast<double>(st.st_size), "#,###,###");
        text += "Size:\t" + (size.empty() ? std::string("0") : size) + " bytes\n";
    }
    text += "Modified:\t" + vb::GeneralDate(vb::DateFromTime(st.st_mtim.tv_sec)) + "\n";
    text += "Accessed:\t" + vb::GeneralDate(vb::DateFromTime(st.st_atim.tv_sec)) + "\n";
    text += "Permissions:\t" + permission_text(st.st_mode) + "\n";
    text += "Owner:\t" + owner_text(st.st_uid, st.st_gid);
    return text;
}

std::vector<std::string> split_command_line(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t') {
            if (inArgument) args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\'') {
            size_t end = line.find('\'', i + 1);
            if (end == std::string_view::npos) end = line.size();
            current.append(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) ++i;
                current += line[i++];
            }
            ++i;
        } else if (c == '\\' && i + 1 < line.size()) {
            current += line[i + 1];
            i += 2;
        } else {
            current += c;
            ++i;
        }
    }
    if (inArgument) args.push_back(std::move(current));
    return args;
}

// --- the trash -----------------------------------------------------------------------------------

std::string trash_folder() {
    return files::join_path(files::data_home(), "Trash");
}

namespace {

// A folder that is a real folder (not a link to one).
bool real_folder(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The trash of another file system than the home trash's: $top/.Trash/$UID when the administrator
// prepared a shared $top/.Trash (a real folder with the sticky bit), else $top/.Trash-$UID, made
// private to the user when missing. Never a link: a trash reached through a link could put the
// user's files anywhere. Fails (and nothing is trashed) when neither can be had.
std::string top_trash(const std::string& top) {
    const std::string uid = std::to_string(::getuid());
    const std::string shared = files::join_path(top, ".Trash");
    struct stat st;
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const std::string mine = files::join_path(shared, uid);
        if (!files::exists(mine) && ::mkdir(mine.c_str(), 0700) != 0) throw vb::Error(vb::ErrorFromErrno(errno));
        if (real_folder(mine)) return mine;
    }
    const std::string own = files::join_path(top, ".Trash-" + uid);
    if (!files::exists(own)) {
        files::make_folder(own);
        ::chmod(own.c_str(), 0700);
    }
    if (!real_folder(own)) throw vb::Error(vb::ErrPermissionDenied);
    return own;
}

} // namespace

std::string move_to_trash(std::string_view path) {
    std::string abs = files::absolute_path(std::string(path));
    if (files::is_root(abs)) throw vb::Error(vb::ErrPathFileAccess);
    if (!files::exists(abs)) throw vb::Error(vb::ErrFileNotFound);
    std::string trash = trash_folder();
    // The Path line of the home trash is absolute; a file system's own trash names its files
    // relative to its top folder, so the trash still restores them wherever it is mounted next.
    std::string original = abs;
    // A link lies on the file system of its folder, wherever it leads: the trash is chosen by the
    // link itself, never by what it leads to.
    struct stat own;
    const bool link = ::lstat(abs.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
    const std::string holder = link ? abs.substr(0, std::max<std::size_t>(abs.find_last_of('/'), 1)) : abs;
    if (!files::same_file_system(holder, trash)) {
        const std::string top = files::mount_top(holder);
        trash = top_trash(top);
        original = top == "/" ? abs.substr(1) : abs.substr(top.size() + 1);
    } else {
        bool fresh = !files::exists(trash);
        files::make_folders(trash);
        if (fresh) ::chmod(trash.c_str(), 0700); // the trash is private to its user
    }
    files::make_folders(files::join_path(trash, "files"));
    files::make_folders(files::join_path(trash, "info"));

    std::string name = abs.substr(abs.find_last_of('/') + 1);
    std::string stem = name, extension;
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0 && !files::folder_exists(abs)) {
        stem = name.substr(0, dot);
        extension = name.substr(dot);
    }
    vb::DateTime now = vb::Now();
    std::string info = "[Trash Info]\nPath=" + percent_encode(original) + "\nDeletionDate=" + std::to_string(now.Year) +
                       "-" + two_digits(now.Month) + "-" + two_digits(now.Day) + "T" + two_digits(now.Hour) + ":" +
                       two_digits(now.Minute) + ":" + two_digits(now.Second) + "\n";

    // The info file's name is the entry's name and ".trashinfo": for a name near the length limit
    // the entry's own name is shortened to leave room (cut between letters, the extension kept where
    // it is short), while the Path line keeps the original name whole.
    const std::string infoExtension = ".trashinfo";
    const long infoRoom = ::pathconf(files::join_path(trash, "info").c_str(), _PC_NAME_MAX);
    const long filesRoom = ::pathconf(files::join_path(trash, "files").c_str(), _PC_NAME_MAX);
    const std::size_t room = std::min(infoRoom > 0 ? static_cast<std::size_t>(infoRoom) - infoExtension.size() : 245,
                                      filesRoom > 0 ? static_cast<std::size_t>(filesRoom) : 255);
    if (extension.size() > room / 2) {
        stem = name;
        extension.clear();
    }
    auto fitted = [&](const std::string& tail) {
        if (stem.size() + tail.size() <= room) return stem + tail;
        std::size_t keep = room - tail.size();
        while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80)
            --keep; // not inside a UTF-8 letter
        return stem.substr(0, keep) + tail;
    };

    for (int n = 1;; ++n) {
        std::string candidate =
            n == 1 && name.size() <= room ? name : fitted(n == 1 ? extension : "." + std::to_string(n) + extension);
        std::string infoPath = files::join_path(trash, "info/" + candidate + ".trashinfo");
        std::string filesPath = files::join_path(trash, "files/" + candidate);
        // Creating the info file exclusively claims the name, also against another program trashing
        // at the same moment.
        int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            throw vb::Error(vb::ErrorFromErrno(errno));
        }
        bool written = ::write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
        ::close(fd);
        if (!written) {
            ::unlink(infoPath.c_str());
            throw vb::Error(vb::ErrDiskFull);
        }
        if (files::exists(filesPath)) {
            // A name left in files/ without its info file: leave both alone and take the next number.
            ::unlink(infoPath.c_str());
            continue;
        }
        try {
            files::rename(abs, filesPath);
        } catch (const vb::Error&) {
            ::unlink(infoPath.c_str());
            throw;
        }
        return filesPath;
    }
}

// --- file associations ---------------------------------------------------------------------------

std::string write_desktop_entry(const DesktopEntry& entry) {
    if (entry.Id.empty() || entry.Id.find('/') != std::string::npos) throw vb::Error(vb::ErrInvalidCall);
    std::string exec;
    for (const auto& arg : entry.Command)
        exec += exec_argument(arg) + " ";
    exec += "%f";
    std::string text = "[Desktop Entry]\nType=Application\nName=" + desktop_string(entry.Name) + "\nExec=" + exec +
                       "\nTerminal=false\n";
    if (!entry.Icon.empty()) text += "Icon=" + desktop_string(entry.Icon) + "\n";
    if (!entry.MimeTypes.empty()) {
        text += "MimeType=";
        for (const auto& m : entry.MimeTypes)
            text += m + ";";
        text += "\n";
    }
    if (entry.NoDisplay) text += "NoDisplay=true\n";
    std::string folder = applications_folder();
    files::make_folders(folder);
    std::string path = files::join_path(folder, entry.Id + ".desktop");
    files::replace_file(path, text);
    return path;
}

void set_default_application(std::string_view mimeType, std::string_view desktopId) {
    std::string folder = applications_folder();
    std::string path = files::join_path(folder, "mimeapps.list");
    std::string text = files::file_exists(path) ? files::read_file_bytes(path) : std::string();
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < text.size();) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos) eol = text.size();
        lines.push_back(text.substr(pos, eol - pos));
        pos = eol + 1;
    }
    std::string entry = std::string(mimeType) + "=" + std::string(desktopId) + ".desktop;";
    std::string prefix = std::string(mimeType) + "=";
    auto header = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return vb::Trim(l) == "[Default Applications]"; });
    if (header == lines.end()) {
        if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
        lines.emplace_back("[Default Applications]");
        lines.push_back(entry);
    } else {
        auto it = header + 1;
        for (; it != lines.end() && vb::LTrim(*it).rfind('[', 0) != 0; ++it) {
            if (vb::LTrim(*it).rfind(prefix, 0) == 0) {
                *it = entry;
                break;
            }
        }
        if (it == lines.end() || vb::LTrim(*it).rfind('[', 0) == 0) lines.insert(header + 1, entry);
    }
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";
    files::make_folders(folder);
    files::replace_file(path, out);
}

namespace {

std::string xml_text(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

void register_mime_types(std::string_view packageName, const std::vector<MimeTypeDefinition>& types) {
    if (packageName.empty() || packageName.find('/') != std::string_view::npos) throw vb::Error(vb::ErrInvalidCall);
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const auto& t : types) {
        text += "  <mime-type type=\"" + xml_text(t.Type) + "\">\n";
        text += "    <comment>" + xml_text(t.Comment) + "</comment>\n";
        for (const auto& g : t.Globs)
            text += "    <glob pattern=\"" + xml_text(g) + "\"/>\n";
        text += "  </mime-type>\n";
    }
    text += "</mime-info>\n";
    std::string database = files::join_path(files::data_home(), "mime");
    std::string packages = files::join_path(database, "packages");
    files::make_folders(packages);
    files::replace_file(files::join_path(packages, std::string(packageName) + ".xml"), text);
    std::string updater = find_program("update-mime-database");
    if (updater.empty()) throw vb::Error(vb::ErrFileNotFound);
    if (run_and_wait({updater, database}) != 0) throw vb::Error(vb::ErrPathFileAccess);
}

std::string program_path() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

} // namespace desktop
