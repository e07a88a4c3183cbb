#pragma once
// The catalogue rows behind one pane's Plugin View.

#include <cstdint>
#include <string>
#include <vector>

namespace vexolan {

// Parallel rows, one per filter found by the scan: row 0 is never filled, so a plug-in list entry
// whose ItemData is 0 names no file.
struct PluginCatalogPane {
    std::vector<std::string> Path;
    std::vector<std::string> Category;
    std::vector<std::string> Title;
    std::vector<std::int32_t> CatOffset;
    std::vector<std::uint8_t> CatRoom;

    int RowBound() const { return static_cast<int>(Path.size()) - 1; }
    // Empty rows 0 and 1, as a fresh catalogue starts.
    void Reset() {
        Path.assign(2, "");
        Category.assign(2, "");
        Title.assign(2, "");
        CatOffset.assign(2, 0);
        CatRoom.assign(2, 0);
    }
    // Rows 1 to the bound made empty, the bound kept.
    void Blank() {
        for (std::size_t r = 1; r < Path.size(); ++r) {
            Path[r].clear();
            Category[r].clear();
            Title[r].clear();
            CatOffset[r] = 0;
            CatRoom[r] = 0;
        }
    }
    // Keeps rows 0 to `rows` (row 0 alone with 0).
    void Truncate(int rows) {
        std::size_t n = static_cast<std::size_t>(rows < 0 ? 0 : rows) + 1;
        Path.resize(n);
        Category.resize(n);
        Title.resize(n);
        CatOffset.resize(n);
        CatRoom.resize(n);
    }
    // The fields of a row, empty (0) for a row that does not exist.
    std::string CategoryOf(int row) const { return field(Category, row); }
    std::string TitleOf(int row) const { return field(Title, row); }
    // The path of a row, "" for a row that does not exist.
    std::string PathOf(int row) const {
        if (row < 0 || row >= static_cast<int>(Path.size())) return {};
        return Path[static_cast<std::size_t>(row)];
    }

private:
    static std::string field(const std::vector<std::string>& v, int row) {
        if (row < 0 || row >= static_cast<int>(v.size())) return {};
        return v[static_cast<std::size_t>(row)];
    }
};

} // namespace vexolan

namespace vexolan {

class App;

// Places the pane's report list beside its folder box when the folder box is shown, and over the
// whole width of the File View when it is hidden.
void ArrangeFileView(App& app, int pane);

} // namespace vexolan
