#pragma once
// Copying the filter between the editor window's controls and the current filter (App::FF.Record).
// The window must be loaded.

namespace vexolan {

class App;

// The window into the record: texts, names (a map's name while the map is on), the values of the
// value labels, and the four formulas. A step that fails leaves its field as it was.
void EditorToFilter(App& app);
// The record into the window, with the window disabled meanwhile so that the change events it
// raises start no preview; the window is enabled again however the filling ends.
void FilterToEditor(App& app);

} // namespace vexolan
