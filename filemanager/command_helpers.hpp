#pragma once
// What the file and folder commands share: the hourglass for the length of a command, the Esc poll,
// the progress line of a batch, one entry per file in a selection, the Plugin View rows of files that
// are gone, and moving a pane off a folder that a command removed or moved.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;
class Form1;

// Shows the hourglass while it lives and the normal pointer again however the command ends.
class HourglassPointer {
public:
    explicit HourglassPointer(Form1& f);
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;

private:
    Form1& f_;
};

// Whether the user asked to skip the target-folder dialog.
bool SelectFolderSuppressed(App& app);
// Whether Esc is down now.
bool EscapePressed(App& app);

// The progress of a batch after item `done` of `total`: the bar and "n of m" on the status line.
void ShowBatchProgress(App& app, long done, long total, std::chrono::steady_clock::time_point started);

// The paths in their first order with repeats and empty entries left out: a plug-in with several
// filters is selected as several rows of one file, and each file must be handled once.
std::vector<std::string> UniquePaths(const std::vector<std::string>& items);

// Whether a file name ends in one of the plug-in endings whose renaming changes the Plugin View.
bool HasPluginEnding(std::string_view name);

// Removes from the pane's plug-in list every selected row whose file no longer exists, emptying the
// category of its catalogue row; rows of files still on disk stay. Returns the number removed.
int RemoveRowsOfGoneFiles(App& app, int pane);

// Renames a file that is about to be replaced to a free hidden name beside it and returns that name:
// the old file stays whole until the new one is in place, and can be put back if that fails.
std::string PutAside(const std::string& path);

// The items of a batch that were not done, with the reason of each (the file layer's error text).
struct FailedItem {
    std::string Path;
    std::string Reason;
};
// After a batch: one message naming how many items were not `done` ("copied", "moved"), the first
// few of them and why. Nothing when the list is empty.
void ReportFailedItems(App& app, const std::vector<FailedItem>& failed, std::string_view done);

// Points a pane at a folder as the target-folder dialog does: drive, folder and file box, label.
void PointPaneAt(App& app, int pane, const std::string& folder);
// Every pane that shows `folder` or a folder below it goes to the nearest folder above it that
// still exists; the current folder follows the active pane.
void LeaveFolder(App& app, const std::string& folder);
// Every pane that showed `from` or a folder below it follows the folder to `to`.
void FollowMovedFolder(App& app, const std::string& from, const std::string& to);
// Whether `path` is `folder` or lies below it (both absolute, separators ignored at their ends).
bool IsInFolder(const std::string& path, const std::string& folder);

} // namespace vexolan
