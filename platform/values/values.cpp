#include "platform/values/values.hpp"

#include <algorithm>

#include <array>
#include <cctype>
#include <cerrno>
#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vb {

// --- errors --------------------------------------------------------------------------------------

std::string ErrorText(int number) {
    switch (number) {
    case 0:
        return "";
    case ErrInvalidCall:
        return "Invalid procedure call or argument";
    case ErrOverflow:
        return "Overflow";
    case 7:
        return "Out of memory";
    case ErrSubscript:
        return "Subscript out of range";
    case 11:
        return "Division by zero";
    case ErrTypeMismatch:
        return "Type mismatch";
    case ErrBadFileName:
        return "Bad file name or number";
    case ErrFileNotFound:
        return "File not found";
    case 54:
        return "Bad file mode";
    case 55:
        return "File already open";
    case ErrDeviceIO:
        return "Device I/O error";
    case ErrFileExists:
        return "File already exists";
    case ErrDiskFull:
        return "Disk full";
    case ErrInputPastEnd:
        return "Input past end of file";
    case 67:
        return "Too many files";
    case ErrDeviceUnavailable:
        return "Device unavailable";
    case ErrPermissionDenied:
        return "Permission denied";
    case ErrDiskNotReady:
        return "Disk not ready";
    case 74:
        return "Can't rename with different drive";
    case ErrPathFileAccess:
        return "Path/File access error";
    case ErrPathNotFound:
        return "Path not found";
    case ErrInvalidProperty:
        return "Invalid property value";
    default:
        return "Application-defined or object-defined error";
    }
}

Error::Error(int number) : Error(number, ErrorText(number)) {}

Error::Error(int number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

int ErrorFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return ErrFileNotFound;
    case ENOTDIR:
        return ErrPathNotFound;
    case EEXIST:
    case ENOTEMPTY:
        return ErrFileExists;
    case ENOSPC:
    case EDQUOT:
        return ErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrPermissionDenied;
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
    case EXDEV:
    case EINVAL:
    case ELOOP:
    case ENAMETOOLONG:
        return ErrPathFileAccess;
    case EIO:
        return ErrDeviceIO;
    case ENODEV:
    case ENXIO:
        return ErrDeviceUnavailable;
    case EMFILE:
    case ENFILE:
        return 67;
    default:
        return ErrPathFileAccess;
    }
}

// --- numbers -------------------------------------------------------------------------------------

double Val(std::string_view text) {
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (i < text.size() && blank(text[i]))
        ++i;
    // Windows Val also skips blanks inside the number; the program never relies on that.
    if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h')) {
        long long v = 0;
        size_t j = i + 2;
        while (j < text.size() && std::isxdigit(static_cast<unsigned char>(text[j]))) {
            char c = text[j++];
            v = v * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10));
            if (v > 0xFFFFFFFFLL) break;
        }
        // Four or fewer digits read as a 16-bit Integer, more as a 32-bit Long.
        if (j - (i + 2) <= 4 && v > 0x7FFF)
            v -= 0x10000;
        else if (v > 0x7FFFFFFF)
            v -= 0x100000000LL;
        return static_cast<double>(v);
    }
    std::string number;
    size_t j = i;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) number += text[j++];
    bool digits = false;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
        number += text[j++];
        digits = true;
    }
    if (j < text.size() && text[j] == '.') {
        number += text[j++];
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            number += text[j++];
            digits = true;
        }
    }
    if (!digits) return 0.0;
    if (j < text.size() && (text[j] == 'e' || text[j] == 'E' || text[j] == 'd' || text[j] == 'D')) {
        std::string exponent = "e";
        size_t k = j + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) exponent += text[k++];
        bool expDigits = false;
        while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) {
            exponent += text[k++];
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

namespace {

// Shortest text with up to 15 significant digits, as Windows prints a Double.
std::string plainNumber(double n) {
    if (n == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", n);
    std::string s = buf;
    auto e = s.find('E');
    std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : s.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0')
            mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    if (!exponent.empty()) {
        // "E+020" style trimmed to "E+20"
        char sign = exponent[1];
        std::string digits = exponent.substr(2);
        while (digits.size() > 2 && digits[0] == '0')
            digits.erase(0, 1);
        exponent = std::string("E") + sign + digits;
    }
    return mantissa + exponent;
}

} // namespace

std::string Str(double n) {
    std::string s = plainNumber(n);
    // Windows Str drops the zero before the point: " .5", "-.25".
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return n < 0 ? s : " " + s;
}

std::string CStr(double n) {
    return plainNumber(n);
}

double RoundHalfEven(double n) {
    // std::nearbyint honours the current rounding mode, which is to-nearest-even unless changed.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(n);
    if (mode != FE_TONEAREST) std::fesetround(mode);
    return r;
}

int CInt(double n) {
    double r = RoundHalfEven(n);
    if (!(r >= -32768 && r <= 32767)) throw Error(ErrOverflow);
    return static_cast<int>(r);
}

long CLng(double n) {
    double r = RoundHalfEven(n);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Error(ErrOverflow);
    return static_cast<long>(r);
}

double Round(double n, int digits) {
    if (digits <= 0) return RoundHalfEven(n);
    double scale = std::pow(10.0, digits);
    return RoundHalfEven(n * scale) / scale;
}

namespace {

// Parses a numeric text the way IsNumeric accepts it; nullopt when it does not.
std::optional<double> parseNumeric(std::string_view text) {
    std::string t = Trim(text);
    while (!t.empty() && (t.back() == '\t'))
        t.pop_back();
    if (t.empty()) return std::nullopt;
    std::string number;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') number += t[i++];
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            number += c;
            digits = true;
        } else if (c == ',' && !point && digits)
            continue; // thousands separator
        else if (c == '.' && !point) {
            number += c;
            point = true;
        } else
            break;
    }
    if (!digits) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::string exponent = "e";
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) exponent += t[i++];
        bool expDigits = false;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            exponent += t[i++];
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
        number += exponent;
    }
    if (i != t.size()) return std::nullopt;
    return std::strtod(number.c_str(), nullptr);
}

} // namespace

bool IsNumeric(std::string_view text) {
    return parseNumeric(text).has_value();
}

double NumericValue(std::string_view text) {
    return parseNumeric(text).value_or(0.0);
}

std::string Format(double n, std::string_view pattern) {
    // Split the pattern into its whole and decimal parts.
    auto dot = pattern.find('.');
    std::string_view whole = pattern.substr(0, dot);
    std::string_view decimals = dot == std::string_view::npos ? std::string_view{} : pattern.substr(dot + 1);
    int decimalDigits = 0, decimalZeros = 0;
    for (char c : decimals) {
        if (c == '#' || c == '0') ++decimalDigits;
        if (c == '0') decimalZeros = decimalDigits;
    }
    int wholeZeros = 0;
    bool grouping = false;
    {
        bool seenZero = false;
        for (char c : whole) {
            if (c == '0') seenZero = true;
            if (seenZero && (c == '0' || c == '#')) ++wholeZeros;
            if (c == ',') grouping = true;
        }
    }
    bool negative = n < 0;
    double value = Round(std::fabs(n), decimalDigits);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimalDigits, value);
    std::string digits = buf;
    std::string intPart = digits.substr(0, digits.find('.'));
    std::string fracPart = decimalDigits > 0 ? digits.substr(digits.find('.') + 1) : "";
    while (static_cast<int>(fracPart.size()) > decimalZeros && !fracPart.empty() && fracPart.back() == '0')
        fracPart.pop_back();
    if (intPart == "0") intPart.clear();
    if (static_cast<int>(intPart.size()) < wholeZeros)
        intPart = std::string(static_cast<std::size_t>(wholeZeros) - intPart.size(), '0') + intPart;
    if (grouping && intPart.size() > 3) {
        // A separator before every group of three digits counted from the right.
        std::string grouped;
        for (std::size_t i = 0; i < intPart.size(); ++i) {
            if (i > 0 && (intPart.size() - i) % 3 == 0) grouped += ',';
            grouped += intPart[i];
        }
        intPart = grouped;
    }
    std::string result = intPart;
    if (dot != std::string_view::npos && (!fracPart.empty() || decimalZeros > 0))
        result += "." + fracPart;
    else if (dot != std::string_view::npos && decimalDigits == 0)
        result += ".";
    if (negative && (result.find_first_of("123456789") != std::string::npos)) return "-" + result;
    return result;
}

std::optional<bool> ParseBool(std::string_view text) {
    if (EqualsNoCase(text, "True")) return true;
    if (EqualsNoCase(text, "False")) return false;
    return std::nullopt;
}

// --- dates ---------------------------------------------------------------------------------------

DateTime DateFromTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::time_t TimeFromDate(const DateTime& d) {
    std::tm tm{};
    tm.tm_year = d.Year - 1900;
    tm.tm_mon = d.Month - 1;
    tm.tm_mday = d.Day;
    tm.tm_hour = d.Hour;
    tm.tm_min = d.Minute;
    tm.tm_sec = d.Second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

DateTime Now() {
    return DateFromTime(std::time(nullptr));
}

std::string GeneralDate(const DateTime& d) {
    char date[32] = "", time[32] = "";
    bool zeroDate = d.Year == 1899 && d.Month == 12 && d.Day == 30;
    bool midnight = d.Hour == 0 && d.Minute == 0 && d.Second == 0;
    std::snprintf(date, sizeof date, "%d/%d/%d", d.Month, d.Day, d.Year);
    int hour12 = d.Hour % 12 == 0 ? 12 : d.Hour % 12;
    std::snprintf(time, sizeof time, "%d:%02d:%02d %s", hour12, d.Minute, d.Second, d.Hour < 12 ? "AM" : "PM");
    if (zeroDate && !midnight) return time;
    if (midnight) return date;
    return std::string(date) + " " + time;
}

namespace {

bool readInt(std::string_view s, size_t& i, int& out) {
    size_t start = i;
    out = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && i - start < 5)
        out = out * 10 + (s[i++] - '0');
    return i > start;
}

bool validDate(const DateTime& d) {
    static constexpr std::array<int, 12> days{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.Month < 1 || d.Month > 12 || d.Day < 1 || d.Day > days[d.Month - 1] || d.Year < 100 || d.Year > 9999)
        return false;
    bool leap = (d.Year % 4 == 0 && d.Year % 100 != 0) || d.Year % 400 == 0;
    return !(d.Month == 2 && d.Day == 29 && !leap);
}

} // namespace

std::optional<DateTime> ParseGeneralDate(std::string_view text) {
    std::string t = Trim(text);
    std::string_view s = t;
    DateTime d;
    size_t i = 0;
    bool haveDate = false;
    if (s.find('/') != std::string_view::npos) {
        if (!readInt(s, i, d.Month) || i >= s.size() || s[i++] != '/') return std::nullopt;
        if (!readInt(s, i, d.Day) || i >= s.size() || s[i++] != '/') return std::nullopt;
        if (!readInt(s, i, d.Year)) return std::nullopt;
        if (!validDate(d)) return std::nullopt;
        haveDate = true;
        while (i < s.size() && s[i] == ' ')
            ++i;
    }
    if (i < s.size()) {
        if (!readInt(s, i, d.Hour) || i >= s.size() || s[i++] != ':') return std::nullopt;
        if (!readInt(s, i, d.Minute)) return std::nullopt;
        if (i < s.size() && s[i] == ':') {
            ++i;
            if (!readInt(s, i, d.Second)) return std::nullopt;
        }
        while (i < s.size() && s[i] == ' ')
            ++i;
        std::string ampm = UCase(s.substr(i));
        if (ampm == "AM" || ampm == "PM") {
            if (d.Hour < 1 || d.Hour > 12) return std::nullopt;
            d.Hour = d.Hour % 12 + (ampm == "PM" ? 12 : 0);
        } else if (!ampm.empty()) {
            return std::nullopt;
        }
        if (d.Hour > 23 || d.Minute > 59 || d.Second > 59) return std::nullopt;
    } else if (!haveDate) {
        return std::nullopt;
    }
    return d;
}

std::string DateKey(const DateTime& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", d.Year, d.Month, d.Day, d.Hour, d.Minute, d.Second);
    return buf;
}

// --- text ------------------------------------------------------------------------------------------

std::string LCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string UCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string LTrim(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return RTrim(LTrim(s));
}

namespace {

char lower_ascii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower_ascii(a[i]) != lower_ascii(b[i])) return false;
    return true;
}

bool LessNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(lower_ascii(a[i])), y = static_cast<unsigned char>(lower_ascii(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the byte is undefined (then it maps to the same code point).
constexpr std::array<char32_t, 32> cp1252High{0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                              0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F && cp1252High[b - 0x80] != 0) c = cp1252High[b - 0x80];
        appendUtf8(out, c);
    }
    return out;
}

std::size_t Utf8CharEnd(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return end;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        char32_t c;
        size_t len;
        if (b < 0x80) {
            c = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + len > text.size()) {
            out += '?';
            break;
        }
        bool valid = true;
        for (size_t k = 1; k < len; ++k) {
            unsigned char cb = static_cast<unsigned char>(text[i + k]);
            if ((cb & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (size_t k = 0; k < cp1252High.size(); ++k)
            if (cp1252High[k] == c) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        if (mapped == '?' && c >= 0x80 && c <= 0x9F) mapped = static_cast<char>(c); // undefined slots kept
        out += mapped;
    }
    return out;
}

} // namespace vb
