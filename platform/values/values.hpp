#pragma once
// Windows-style values: the number and date texts, rounding and error numbers that the program's
// stored files and messages depend on. Nothing here depends on the process locale.

#include <cstdint>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vb {

// --- errors --------------------------------------------------------------------------------------

// Windows run-time error numbers the program branches on or shows.
enum ErrorNumber : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrSubscript = 9,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrDeviceIO = 57,
    ErrFileExists = 58,
    ErrDiskFull = 61,
    ErrInputPastEnd = 62,
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrInvalidProperty = 380,
};

// The description Windows gives for an error number ("File not found" for 53).
std::string ErrorText(int number);

// A failure of a platform call, carrying its Windows error number and description.
class Error : public std::runtime_error {
public:
    explicit Error(int number);
    Error(int number, std::string description);
    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

// Runs one step of a procedure that ignores its errors: a step that fails is skipped and the next
// one runs, as Windows' "On Error Resume Next" does.
template <typename Step> void ResumeNext(Step&& step) {
    try {
        step();
    } catch (const Error&) {
    }
}

// Maps a POSIX errno to the Windows error number a file call would have raised.
int ErrorFromErrno(int err);

// The "current error" that error boxes report: the last failure a procedure caught.
struct ErrObject {
    int Number = 0;
    std::string Description;
    void Raise(const Error& e) {
        Number = e.number();
        Description = e.description();
    }
    void Clear() {
        Number = 0;
        Description.clear();
    }
};

// --- numbers -------------------------------------------------------------------------------------

// Leading-number parse: skips blanks, tabs and line feeds, takes an optional sign, digits, an
// optional point with decimals and an optional exponent, stops at the first other character.
// 0 when there is no number. "&H" hex is also read as Windows reads it.
double Val(std::string_view text);

// Windows Str(): the shortest decimal text, with a leading blank for non-negative numbers
// (" 12", "-3", " .5").
std::string Str(double n);
// Windows CStr(): the plain text, no leading blank, with a zero before the point ("12", "0.5").
std::string CStr(double n);

// Rounds halves to even; fails with error 6 (Overflow) outside the 16-bit range of Windows' Integer.
int CInt(double n);
// Same as CInt for a Long (32-bit).
long CLng(double n);
// Rounds halves to even to `digits` decimals.
double Round(double n, int digits = 0);
// Nearest whole number, halves to even, without a range check.
double RoundHalfEven(double n);

// Whether the whole text reads as a number: blanks around it, a sign, digits with "," thousands
// separators, a decimal point, an exponent. Empty text is not numeric.
bool IsNumeric(std::string_view text);
// The value of a text IsNumeric accepted (thousands separators removed); 0 otherwise.
double NumericValue(std::string_view text);

// Windows Format() for numeric patterns made of "#", "0", "," and ".":
// Format(1200000, "#,###,###") is "1,200,000"; Format(0, "#,###,###") is "".
std::string Format(double n, std::string_view pattern);

// "True"/"False" as Windows writes booleans; a parse that accepts only those (any case).
inline std::string BoolText(bool b) {
    return b ? "True" : "False";
}
std::optional<bool> ParseBool(std::string_view text);

// --- dates ---------------------------------------------------------------------------------------

struct DateTime {
    int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0;
    auto operator<=>(const DateTime&) const = default;
};

DateTime DateFromTime(std::time_t t); // local time
std::time_t TimeFromDate(const DateTime& d); // its inverse: a local date and time as seconds since 1970
DateTime Now();
// The general date text of an English Windows system: "12/9/2026 4:15:16 AM", the date alone at
// midnight, the time alone on the zero date 12/30/1899.
std::string GeneralDate(const DateTime& d);
// Parses what GeneralDate writes (and "m/d/yyyy" or "h:mm:ss AM" alone).
std::optional<DateTime> ParseGeneralDate(std::string_view text);
// "yyyymmddhhnnss": a key that sorts as the date does.
std::string DateKey(const DateTime& d);

// --- text ------------------------------------------------------------------------------------------

std::string LCase(std::string_view s); // ASCII letters only: used for comparing, never for paths on disk
std::string UCase(std::string_view s);
std::string Trim(std::string_view s); // blanks only, as Windows Trim
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
// The order of lists sorted without regard to case (ASCII letters), names equal but for case in
// their byte order; compares in place, without copies.
bool LessNoCase(std::string_view a, std::string_view b);

// Windows-1252 bytes to UTF-8 and back. A character with no Windows-1252 byte becomes "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);
// Where the UTF-8 character that starts at byte `at` of `text` ends: the next character's first byte
// (or the end of the text); `at` + 1 at the least.
std::size_t Utf8CharEnd(std::string_view text, std::size_t at);

} // namespace vb
