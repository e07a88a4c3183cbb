#pragma once
// The mouse and keys of a pane's two file lists, the plain file box (Classic mode) and the report
// list: the size sum of the selected files, Enter, Alt+Enter and Backspace, entering a folder by a
// double click and coming back to it, and the inline rename of a report-list item.

#include <string>

namespace vexolan {

class App;

// A click in the file box: the selected files' sizes, in K, in the folder label.
void File1_Click(App& app, int Index);
void File1_KeyDown(App& app, int Index, int& KeyCode, int& Shift);
void ListView1_ItemClick(App& app, int Index, const std::string& ItemText);
// Opens the item under the last mouse press: a file by its type, a folder by going into it, " .."
// by going up (selecting again the folder item one came from).
void ListView1_DblClick(App& app, int Index);
void ListView1_KeyDown(App& app, int Index, int& KeyCode, int& Shift);
// The inline edit starts on the selected item, which the rename then names; " .." cannot be renamed.
void ListView1_BeforeLabelEdit(App& app, int Index, int& Cancel);
// Renames the edited item's file or folder to `NewString` (a folder's name trimmed of blanks),
// never replacing anything unasked. On Cancel or any failure the label goes back to the old name.
void ListView1_AfterLabelEdit(App& app, int Index, int& Cancel, std::string& NewString);
// The number of selected entries in the active pane's file box.
int FileListCount(App& app);

} // namespace vexolan
