#pragma once
// The byte and line helpers that the Filter Factory formats share. A file is held whole in memory;
// positions are 1-based, as the formats name them, and become buffer indices only in buffer_index.
// Every read is checked against the buffer: a position outside it reads as nothing, never as memory
// beyond the file. Texts come out as UTF-8 and go in as Windows-1252 bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan::ff {

// A 1-based position in a file: the first byte is position 1.
using FilePos = std::int64_t;

// The buffer index of 1-based position `pos`: the one place where positions are converted.
constexpr std::size_t buffer_index(FilePos pos) {
    return static_cast<std::size_t>(pos - 1);
}

// Whether the `count` bytes from position `pos` all lie inside `file`.
bool in_file(std::string_view file, FilePos pos, std::int64_t count = 1);

// The byte at position `pos`, or nothing when it lies outside the file.
std::optional<std::uint8_t> byte_at(std::string_view file, FilePos pos);

// The raw bytes from `pos` up to (not including) the first 0 byte or the end of the file.
std::string_view zero_terminated_at(std::string_view file, FilePos pos);

// Reads a whole file. Fails with vb::Error (53 File not found, 75 Path/File access error, ...).
std::string read_file_bytes(const std::filesystem::path& path);

// Reads a whole source file of at most `bound` bytes. A longer file is refused before it is opened
// (only its size is looked at) and gives nothing, its length going to `refused` (0 when nothing was
// refused); a file that has grown past the bound by the time it is opened is refused too, so the read
// never takes more than `bound` bytes. Fails as read_file_bytes does.
std::optional<std::string> read_bounded_file(const std::string& path, std::uint64_t bound, std::uint64_t& refused);
// A size for the user: "1,048,577 bytes".
std::string SizeText(std::uint64_t bytes);

// --- fixed-position texts -------------------------------------------------------------------------

// Writes `Stringy` as Windows-1252 bytes from position `pointer` on, then one 0 byte after the last
// one. An empty text writes its 0 at `pointer`, so the slot reads back empty. Writing past the end
// grows the file with zero bytes, as a file written at that position would.
void string2bytes(std::string_view Stringy, FilePos pointer, std::string& file);
// The same without the closing 0 byte.
void string2bytes_w0(std::string_view Stringy, FilePos pointer, std::string& file);

// The formula text of a code slot from position `pointer`: "//" comments are skipped up to the next
// carriage return or 0 byte, a carriage return (and a line feed right after it) is dropped, a 0 byte
// ends the text (a 0 in the first position gives the empty text).
std::string bytes2string(FilePos pointer, std::string_view file);
// A name or text slot: as bytes2string without the comment rule; a lone line feed is kept.
std::string bytes2string2(FilePos pointer, std::string_view file);
// What bytes2string2 reads, as the file's own Windows-1252 bytes (for texts cut to a length byte).
std::string slot_bytes2(FilePos pointer, std::string_view file);

// --- lines ------------------------------------------------------------------------------------------

// A reading position in a file held in memory: the "current position" of the line readers.
struct ByteCursor {
    std::string_view Bytes;
    std::size_t Next = 0; // index of the next byte to read

    bool AtEnd() const { return Next >= Bytes.size(); }
    FilePos Seek() const { return static_cast<FilePos>(Next) + 1; } // 1-based, as Windows' Seek
};

// A line up to a carriage return, a line feed or the end of the file; a line feed right after the
// carriage return is consumed too. Neither is returned.
std::string Byt2str(ByteCursor& file);
// Up to a carriage return or the end; the carriage return is consumed, a line feed after it is not.
std::string ReadtoD(ByteCursor& file);
// Like ReadtoD, but a carriage return ends the text only when the byte after it is below 14 (both
// are then consumed); before any other byte it is dropped and the line goes on (a wrapped line).
std::string ReadtoDD(ByteCursor& file);

// --- text helpers ------------------------------------------------------------------------------------

// The prefix of `Codefrag` up to the first `Untill` that stands outside parentheses; the whole text
// when there is none. "(" counts one level down, ")" one level up.
std::string GetUntill(std::string_view Codefrag, char Untill);

// The random padding of an "Encrypted" plug-in: n = `rnd` × 2048 rounded halves to even, and n + 1
// zero bytes written from the file's last byte on, so the last byte becomes 0 and the file grows by
// n bytes. `rnd` is a number in [0, 1) from a freshly seeded generator (Host::Randomize, Host::Rnd).
void RandomFileSize(std::string& file, double rnd);

} // namespace vexolan::ff

namespace vexolan::ff {

// The lines of a text file, each without its end: CR LF, CR and LF each end a line. A last line
// without an end counts; nothing follows a final line end.
std::vector<std::string> SplitTextLines(std::string_view bytes);

// The same lines taken one at a time from the text itself, which the caller keeps: a reader that
// goes through a file line by line holds no second copy of it.
class TextLines {
public:
    explicit TextLines(std::string_view bytes) : bytes_(bytes) {}
    bool AtEnd() const { return next_ >= bytes_.size(); }
    // The next line; empty at the end.
    std::string_view Next();

private:
    std::string_view bytes_;
    std::size_t next_ = 0;
};

} // namespace vexolan::ff
