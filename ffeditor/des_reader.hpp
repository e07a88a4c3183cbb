#pragma once
// Field-by-field reading of an interface description file (".des"), as the editor's skins are
// written: fields are separated by commas or line ends (CR LF, CR or LF), blanks before a field are
// skipped, and a field in double quotes may hold commas. The bytes are Windows-1252; fields come out
// as UTF-8.
//
//     DesReader in(bytes);
//     std::string name = in.text();   // "Vexolan Standard"
//     int n = in.number();            // 2
//     if (in.at_end()) ...

#include <string>
#include <string_view>

namespace vexolan {

class DesReader {
public:
    explicit DesReader(std::string_view bytes) : bytes_(bytes) {}

    // True when nothing is left to read (trailing blanks and line ends count as nothing).
    bool at_end() const;
    // The next field as text. Reading at the end fails with error 62 "Input past end of file".
    std::string text();
    // The next field as a whole number: its leading decimal number ("12px" is 12, "-3" is -3),
    // 0 when it begins with none; numbers beyond the int range are held at its ends.
    int number();
    // How many fields were read so far.
    int fields_read() const { return fields_; }

    // The leading whole number of a text, as number() reads it.
    static int leading_number(std::string_view text);

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int fields_ = 0;
};

} // namespace vexolan
