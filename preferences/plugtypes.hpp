#pragma once
// Plug-in types: kinds of plug-in files the catalogue lists besides Filter Factory and Photoshop filters.
// Each kind is one line of the Preferences type list, "Name (ext|d)", where d says where a plug-in's
// display name comes from: 0 the version resource's FileDescription, 1 InternalName, 2 ProductName,
// 3 the file name.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

// The derived table of the checked kinds: PlugTypes(row, column), row 0 the name, 1 the extension,
// 2 the name-source digit as text; one column per list entry, and an unchecked entry's column holds
// three empty strings (readers skip a column whose extension is empty).
class PlugTypeTable {
public:
    // "" outside the table, as an empty column reads.
    const std::string& operator()(int row, int column) const;
    // The number of columns (the list's entry count when it was built); UBound is Columns() - 1.
    int Columns() const { return static_cast<int>(columns_.size()); }
    int UBound() const { return Columns() - 1; }

    void clear() { columns_.clear(); }
    void resize(int columns) { columns_.assign(static_cast<std::size_t>(columns), {}); }
    void set(int column, std::string name, std::string extension, std::string digit);

private:
    std::vector<std::array<std::string, 3>> columns_;
};

// One kind split into its parts.
struct PlugTypeParts {
    std::string Name;
    std::string Extension;
    std::string Digit;
};

// The built-in kinds, in their order, as type lines ("Acrobat Plugin (api|2)").
const std::vector<std::string>& DefaultPlugTypes();

// Builds "Name (ext|d)".
std::string PlugTypeLine(std::string_view name, std::string_view extension, int digit);

// Splits a type line: the last "|" and the last "(" before it delimit the extension, the name is
// what stands before the blank in front of that "(", the digit is the character after "|". A line
// without both marks gives nothing.
std::optional<PlugTypeParts> SplitPlugTypeLine(std::string_view line);

// The scan patterns of one extension: ";*?ext" for three or more characters, ";*.ext;*_ext" for a
// shorter one, nothing for an empty one.
std::string PlugTypePattern(std::string_view extension);

// Whether a list entry already stands for a built-in kind: the entry's text before its first "|"
// equals the built-in's own text before its "|", compared without regard to case (the digit is
// not compared).
bool SamePlugType(std::string_view entry, std::string_view builtin);

// The extension the type dialog keeps: lower case, without ".", "*", and without "|", "(", ")" and ";",
// which would break the type line or the scan mask.
std::string NormalisePlugTypeExtension(std::string_view typed);

} // namespace vexolan
