#pragma once
// The desktop's shell services: opening documents and addresses with their programs, starting
// programs, the trash, and file associations. Programs are always started with an argument vector,
// never through a command shell, so a file name is always exactly one argument. A relative program
// path and a missing working folder are taken from the virtual current folder (files::CurDir).
//
// Failures are thrown as vb::Error with Windows numbers: 53 program or file not found, 76 working
// folder not found, 70 not allowed, 75 any other failure to start.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// --- opening documents and addresses ------------------------------------------------------------

enum class OpenResult {
    Opened,        // handed to its program
    NoAssociation, // no program is associated with it (or there is no opener at all)
    NotFound,      // the file does not exist
    Failed,        // the program could not do it
};

// Opens a file, folder or address ("https://...", "mailto:...") with `xdg-open` from PATH, as the
// desktop's "Open" does. Waits up to `patience` for the opener's answer; an opener still busy after
// that (some hand the document to a program that stays attached) counts as Opened and is reaped when it ends.
OpenResult open_document(std::string_view target, std::string_view workingFolder = {},
                         std::chrono::milliseconds patience = std::chrono::seconds(5));

// --- starting programs ---------------------------------------------------------------------------

// The full path of a program: a name without "/" is looked up on PATH, a path is resolved against
// the current folder. "" when there is no such executable file.
std::string find_program(std::string_view program);

// Starts argv[0] with the arguments argv[1..] in `workingFolder` (empty: the current folder) and returns
// at once with the process id. The program is reaped as soon as it ends. Every program this layer
// starts reads its standard input from /dev/null, never from this program's.
int start_program(const std::vector<std::string>& argv, std::string_view workingFolder = {});

// Runs a program and waits for its end: its exit code, or 128 + the signal number that ended it.
int run_and_wait(const std::vector<std::string>& argv, std::string_view workingFolder = {});

// Runs a program in `workingFolder` to its end and returns its exit code (as run_and_wait) with what it
// wrote to its standard and error output, the first 64 KiB of it.
struct ProgramRun {
    int ExitCode = 0;
    std::string Output;
};
ProgramRun run_and_collect(const std::vector<std::string>& argv, std::string_view workingFolder = {});

// Runs a program to its end and returns what it wrote to its standard output; "" when it cannot start,
// fails, or has not ended after `patience` (it is then left to end on its own).
std::string program_output(const std::vector<std::string>& argv,
                           std::chrono::milliseconds patience = std::chrono::seconds(5));

// The user's desktop folder: what `xdg-user-dir DESKTOP` names, else ~/Desktop.
std::string desktop_folder();

// --- file types and their programs ---------------------------------------------------------------

// The desktop's MIME type of a file (`xdg-mime query filetype`), "" when it cannot tell.
std::string mime_type(std::string_view file);
// The desktop entry of the program associated with a MIME type (`xdg-mime query default`), "" for none.
std::string default_application(std::string_view mimeType);
// Opens a file with the program associated with its type: NoAssociation when the desktop names no
// program for it, NotFound when the file is missing, otherwise as open_document.
OpenResult open_with_association(std::string_view file, std::string_view workingFolder = {});

// What the Properties box tells of a file or folder, one "Label:<tab>value" line each: name, folder,
// kind, the desktop's MIME type, size, dates, permissions and owner. Error 53 when it does not exist.
std::string file_information(std::string_view path);

// Splits a command line of the application list into program and arguments, without a shell: blanks
// and tabs separate; "double quotes" group (\" and \\ inside them are a quote and a backslash);
// 'single quotes' group literally; outside quotes a backslash makes the next character plain. Nothing is
// expanded. An empty pair of quotes is an empty argument.
std::vector<std::string> split_command_line(std::string_view line);

// --- the trash -----------------------------------------------------------------------------------

// Moves a file or folder to the user's freedesktop trash: $XDG_DATA_HOME/Trash/files/NAME with
// info/NAME.trashinfo holding the original path (percent-encoded) and the deletion date. A name that
// is taken there gets a number ("a.2.txt", "a.3.txt", ...). Returns the path in Trash/files. An item
// on another file system than the home trash goes to that file system's own trash ($top/.Trash/$UID
// or $top/.Trash-$UID, with a Path relative to $top); when that cannot be had it fails and the item
// stays where it is.
std::string move_to_trash(std::string_view path);

// The trash folder: $XDG_DATA_HOME/Trash.
std::string trash_folder();

// --- file associations ---------------------------------------------------------------------------

struct DesktopEntry {
    std::string Id;                     // the file name without ".desktop", for example "vexolan"
    std::string Name;                   // shown in menus
    std::vector<std::string> Command;   // program and arguments; the file to open is added as %f
    std::vector<std::string> MimeTypes; // for example "image/png"
    std::string Icon;
    bool NoDisplay = false;
};

// Writes $XDG_DATA_HOME/applications/ID.desktop and returns its path.
std::string write_desktop_entry(const DesktopEntry& entry);
// A file type of the desktop's shared MIME database: its name ("application/x-8bf"), a description
// and the file-name patterns that give it ("*.8bf", matched without regard to case).
struct MimeTypeDefinition {
    std::string Type;
    std::string Comment;
    std::vector<std::string> Globs;
};
// Declares file types for the user: writes the package $XDG_DATA_HOME/mime/packages/NAME.xml and
// rebuilds the user's MIME database with `update-mime-database` from PATH. Error 53 when that
// program is missing, 75 when it fails; the package file stays written either way.
void register_mime_types(std::string_view packageName, const std::vector<MimeTypeDefinition>& types);
// The full path of the running program ("" when the system cannot tell).
std::string program_path();

// Makes ID.desktop the default program for a MIME type in $XDG_DATA_HOME/applications/mimeapps.list,
// leaving every other line of that file as it was.
void set_default_application(std::string_view mimeType, std::string_view desktopId);

} // namespace desktop
