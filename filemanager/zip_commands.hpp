#pragma once
// The zip menu and the temporary-folder cleaning. Archives are made and tested by the command-line
// zip program, started with one argument per name and never through a shell; the program reads no
// archive itself. These entries sit in menus that stay hidden in this edition.

#include <cstdint>
#include <string>
#include <vector>

namespace vexolan {

class App;

// "Add to Zip...": asks the archive's name and adds the selected files of the active pane's file box.
void mnuAddtoZip_Click(App& app);
// "Test Zip": tests the file box's current ".zip" entry, in a terminal when there is one, else the
// program's answer shows in a message box.
void mnuTestZip_Click(App& app);
// "Gain Harddisc Space": removes the user's own files and folders of the temporary folder that have
// not been touched for a day, and tells how much space that gained.
void mnuClearTmp_Click(App& app);

// Entries that do nothing in this edition.
void mnuZipit_Click(App& app);
void mnuUnzipit_Click(App& app);
void mnuViewZip_Click(App& app);
void mnuUnzip_Click(App& app);
void mnuRepairZip_Click(App& app);
void mnuRescueZip_Click(App& app);

// The zip program: "zip" in the application folder when it is there, else the one on PATH.
std::string ZipProgram();
// The arguments of Add to Zip after the program's name: the suffixes stored without compression, the
// archive, then the names; a name beginning with "-" goes as "./" + name so that it is never an option.
std::vector<std::string> AddToZipArguments(const std::string& archive, const std::vector<std::string>& names);
// The bytes free on the file system holding `folder` (0 when it cannot be told).
std::uint64_t GetFreeDiskSpace(const std::string& folder);
// The report of the cleaning: the difference in MB as a single-precision number, after Str.
std::string SpaceGainedText(std::uint64_t before, std::uint64_t after);
// Removes from `folder` (never the folder itself) the regular files, links and folders owned by the
// current user whose modification, change and access times are all older than `cutoff` (seconds
// since 1970); folders are emptied the same way first and go only when nothing stays in them.
// Sockets, pipes, devices, other users' entries and whatever a process of the user holds open or
// works in stay; links are never followed; a folder on another file system than `folder` (a share
// mounted below it) and a folder that is or holds the home folder or the application folder are
// never entered. Returns the number of removals that failed.
int CleanTemporaryFolder(App& app, const std::string& folder, std::int64_t cutoff);

} // namespace vexolan
