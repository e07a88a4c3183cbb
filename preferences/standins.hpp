#pragma once
// What the Preferences window needs of the imaging part, which is not there yet: the picture dialog
// of the imaging library and the closing of its image handles.

#include <string>

namespace vexolan {

class App;

// The imaging library's picture dialog: the chosen file's full path into `name` ("" on cancel) and
// an open image handle (0 when none), which the caller closes with CloseImg.
int OpenImgDialog(App& app, std::string& name);
void CloseImg(App& app, int& handle);

} // namespace vexolan
