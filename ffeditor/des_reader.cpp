#include "ffeditor/des_reader.hpp"

#include "platform/values/values.hpp"

#include <limits>

namespace vexolan {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool is_line_end(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

bool DesReader::at_end() const {
    for (std::size_t p = pos_; p < bytes_.size(); ++p)
        if (!is_blank(bytes_[p]) && !is_line_end(bytes_[p])) return false;
    // A field that is empty but delimited by a comma still waits to be read.
    return true;
}

std::string DesReader::text() {
    // Blanks and the line ends of empty lines before a field are passed over.
    while (pos_ < bytes_.size() && (is_blank(bytes_[pos_]) || is_line_end(bytes_[pos_])))
        ++pos_;
    if (pos_ >= bytes_.size()) throw vb::Error(62, "Input past end of file");
    std::string field;
    if (bytes_[pos_] == '"') {
        std::size_t close = bytes_.find('"', pos_ + 1);
        if (close == std::string_view::npos) close = bytes_.size();
        field = std::string(bytes_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        // Whatever follows the closing quote up to the delimiter is not part of the field.
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_]))
            ++pos_;
    } else {
        std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_]))
            ++pos_;
        std::size_t end = pos_;
        while (end > start && is_blank(bytes_[end - 1]))
            --end;
        field = std::string(bytes_.substr(start, end - start));
    }
    // The delimiter: a comma, or one line end (CR LF counts as one).
    if (pos_ < bytes_.size()) {
        if (bytes_[pos_] == ',') {
            ++pos_;
        } else if (bytes_[pos_] == '\r') {
            ++pos_;
            if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        } else if (bytes_[pos_] == '\n') {
            ++pos_;
        }
    }
    ++fields_;
    return vb::Cp1252ToUtf8(field);
}

int DesReader::number() {
    return leading_number(text());
}

int DesReader::leading_number(std::string_view t) {
    std::size_t p = 0;
    while (p < t.size() && is_blank(t[p]))
        ++p;
    bool negative = false;
    if (p < t.size() && (t[p] == '-' || t[p] == '+')) negative = t[p++] == '-';
    long long v = 0;
    for (; p < t.size() && t[p] >= '0' && t[p] <= '9'; ++p) {
        v = v * 10 + (t[p] - '0');
        if (v > std::numeric_limits<int>::max()) {
            v = std::numeric_limits<int>::max();
            break;
        }
    }
    if (negative) v = -v;
    return static_cast<int>(v);
}

} // namespace vexolan
