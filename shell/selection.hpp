#pragma once
// The selection of a pane turned into plain results: full paths of the selected files or
// plug-ins, the one current item, the selected folders, and the folder label. No messages: an
// empty selection shows only in the result.

#include <string>
#include <vector>

namespace ui {
class ListView;
}

namespace vexolan {

class App;

// The selected files of the File View or plug-ins of the Plugin View, in list order. False, and
// `Itemarray` untouched, when nothing was found (always in the FFL View).
bool GetSelectedItems(App& app, std::vector<std::string>& Itemarray, int Switchx);
// The selected file (report list), the cursor entry (file list box or plug-in list), or "".
std::string GetSingleItem(App& app, int Switchx);
// The selected or highlighted folder ending in "/", ".." for a selected parent entry when
// `UpperPath`, the pane's folder when nothing is selected (or "\" when `UpperPath`), and a lone
// "\" outside the File View.
std::string GetSingleFolder(App& app, int Switchx, bool UpperPath);
// The selected folders, each ending in "/". False, and `Itemarray` untouched, when none.
bool GetSelectedFolders(App& app, std::vector<std::string>& Itemarray, int Switchx);
// The number of selected items of a report list.
int Listview_SelCount(const ui::ListView& Listy);
// Shows the pane's folder in its label, right-aligned when it is too wide, so its end stays seen.
void DrawDirLabel(App& app, int c);
// The pane's folder with one trailing "/".
std::string BaseFolder(App& app, int Switchx);

} // namespace vexolan
