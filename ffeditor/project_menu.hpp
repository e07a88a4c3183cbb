#pragma once
// The editor's "&Project" menu: a hidden menu of the main window that the editor window pops up.
// Its handlers act on the editor window; the filter text is the clipboard form of a filter (the
// text source layout without its preset lines).

#include "filterfactory/record.hpp"

#include <string>
#include <vector>

namespace vexolan {

class App;
class Form1;

// Connects the entries of the main window's "&Project" menu to the handlers below.
void ConnectProjectMenu(App& app, Form1& main);

// The filter text of `record`: the information lines, the four formulas, the name and value lines,
// each line ending in CR LF.
std::string FilterText(const ff::FilterRecord& record);
// The lines "Print Filter..." prints from the editor window's controls.
std::vector<std::string> PrintedFilterLines(App& app);

void mnuCopyFilter2Clip_FFE_Click(App& app);
// Cancel at "Delete the current filter?" keeps the filter and pastes nothing.
void mnuPasteFilter_FFE_Click(App& app);
void mnuFindReplace_FFE_Click(App& app);
void mnuAlphaChannel_Click(App& app);
void mnuFfeUpdatePreview_FFE_Click(App& app);
void mnuBigView_FFE_Click(App& app);
void mnuRandomize_FFE_Click(App& app);
void mnuFfeReset_FFE_Click(App& app);
void mnuFfeOpenPic_FFE_Click(App& app);
void mnuFfeSavePic_FFE_Click(App& app);
void mnuSaveType_FFE_Click(App& app, int Index);
void mnuCopyPreview_FFE_Click(App& app);
void mnuPrinterSetup_FFE_Click(App& app);
// Cancel in the print dialog prints nothing.
void mnuPrintFilter_FFE_Click(App& app);

} // namespace vexolan
