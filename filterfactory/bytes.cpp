#include "filterfactory/bytes.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vexolan::ff {

namespace {

constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;

void write_bytes(std::string_view bytes, FilePos pointer, std::string& file) {
    if (pointer < 1) throw vb::Error(63, "Bad record number");
    const std::size_t at = buffer_index(pointer);
    if (file.size() < at + bytes.size()) file.resize(at + bytes.size(), '\0');
    file.replace(at, bytes.size(), bytes);
}

// The rules shared by bytes2string and bytes2string2, on the file's own bytes.
std::string slot_bytes(FilePos pointer, std::string_view file, bool comments) {
    std::string raw;
    if (!in_file(file, pointer)) return raw;
    std::size_t i = buffer_index(pointer);
    const std::size_t end = file.size();
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(file[k]); };
    while (i < end) {
        unsigned char c = at(i);
        if (comments && c == '/' && i + 1 < end && at(i + 1) == '/') {
            // A comment runs to the next carriage return; a 0 byte (the slot's end) stops it too.
            i += 2;
            while (i < end && at(i) != CR && at(i) != 0)
                ++i;
            if (i >= end) break;
            c = at(i);
        }
        if (c == 0) break;
        if (c == CR) {
            ++i;
            if (i < end && at(i) == LF) ++i;
            continue;
        }
        raw.push_back(static_cast<char>(c));
        ++i;
    }
    return raw;
}

} // namespace

bool in_file(std::string_view file, FilePos pos, std::int64_t count) {
    if (pos < 1 || count < 0) return false;
    const auto size = static_cast<std::int64_t>(file.size());
    return pos - 1 <= size && count <= size - (pos - 1);
}

std::optional<std::uint8_t> byte_at(std::string_view file, FilePos pos) {
    if (!in_file(file, pos)) return std::nullopt;
    return static_cast<std::uint8_t>(file[buffer_index(pos)]);
}

std::string_view zero_terminated_at(std::string_view file, FilePos pos) {
    if (!in_file(file, pos)) return {};
    std::string_view rest = file.substr(buffer_index(pos));
    return rest.substr(0, rest.find('\0'));
}

std::string read_file_bytes(const std::filesystem::path& path) {
    // Through the file layer, which opens regular files only (a FIFO would block the read for good).
    return files::read_file_bytes(path.string());
}

std::optional<std::string> read_bounded_file(const std::string& path, std::uint64_t bound, std::uint64_t& refused) {
    refused = 0;
    if (const std::uint64_t length = files::file_length(path); length > bound) {
        refused = length;
        return std::nullopt;
    }
    const files::InputFile file(path);
    const std::uint64_t length = file.Length();
    if (length > bound) {
        refused = length;
        return std::nullopt;
    }
    return file.Read(0, static_cast<std::size_t>(length));
}

std::string SizeText(std::uint64_t bytes) {
    std::string digits = std::to_string(bytes);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits + (bytes == 1 ? " byte" : " bytes");
}

void string2bytes(std::string_view Stringy, FilePos pointer, std::string& file) {
    std::string bytes = vb::Utf8ToCp1252(Stringy);
    bytes.push_back('\0');
    write_bytes(bytes, pointer, file);
}

void string2bytes_w0(std::string_view Stringy, FilePos pointer, std::string& file) {
    write_bytes(vb::Utf8ToCp1252(Stringy), pointer, file);
}

std::string bytes2string(FilePos pointer, std::string_view file) {
    return vb::Cp1252ToUtf8(slot_bytes(pointer, file, true));
}

std::string bytes2string2(FilePos pointer, std::string_view file) {
    return vb::Cp1252ToUtf8(slot_bytes(pointer, file, false));
}

std::string slot_bytes2(FilePos pointer, std::string_view file) {
    return slot_bytes(pointer, file, false);
}

std::string Byt2str(ByteCursor& file) {
    std::string raw;
    while (!file.AtEnd()) {
        const auto c = static_cast<unsigned char>(file.Bytes[file.Next++]);
        if (c == LF) break; // a library whose lines end in LF alone
        if (c == CR) {
            if (!file.AtEnd() && static_cast<unsigned char>(file.Bytes[file.Next]) == LF) ++file.Next;
            break;
        }
        raw.push_back(static_cast<char>(c));
    }
    return vb::Cp1252ToUtf8(raw);
}

std::string ReadtoD(ByteCursor& file) {
    std::string raw;
    while (!file.AtEnd()) {
        const auto c = static_cast<unsigned char>(file.Bytes[file.Next++]);
        if (c == CR) break;
        raw.push_back(static_cast<char>(c));
    }
    return vb::Cp1252ToUtf8(raw);
}

std::string ReadtoDD(ByteCursor& file) {
    std::string raw;
    while (!file.AtEnd()) {
        const auto c = static_cast<unsigned char>(file.Bytes[file.Next++]);
        if (c != CR) {
            raw.push_back(static_cast<char>(c));
            continue;
        }
        if (file.AtEnd()) break;
        if (static_cast<unsigned char>(file.Bytes[file.Next]) < 14) {
            ++file.Next;
            break;
        }
        // A carriage return inside a wrapped line: dropped, and the line goes on.
    }
    return vb::Cp1252ToUtf8(raw);
}

std::string GetUntill(std::string_view Codefrag, char Untill) {
    std::string out;
    std::int16_t depth = 0;
    for (char c : Codefrag) {
        if (c == Untill && depth == 0) break;
        if (c == '(') ++depth;
        if (c == ')') --depth;
        out.push_back(c);
    }
    return out;
}

void RandomFileSize(std::string& file, double rnd) {
    const double scaled = vb::RoundHalfEven(rnd * 2048);
    const auto n = static_cast<std::size_t>(scaled < 0 ? 0 : scaled > 2048 ? 2048 : scaled);
    if (file.empty()) {
        file.assign(n + 1, '\0');
        return;
    }
    file.back() = '\0';
    file.append(n, '\0');
}

} // namespace vexolan::ff

namespace vexolan::ff {

std::vector<std::string> SplitTextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string_view TextLines::Next() {
    if (AtEnd()) return {};
    const std::size_t start = next_;
    std::size_t end = start;
    while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n')
        ++end;
    next_ = end + 1;
    if (end < bytes_.size() && bytes_[end] == '\r' && next_ < bytes_.size() && bytes_[next_] == '\n') ++next_;
    return bytes_.substr(start, end - start);
}

} // namespace vexolan::ff
