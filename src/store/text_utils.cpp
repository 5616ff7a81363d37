// Field, character, number and list routines (text_utils.h). The Unicode-aware
// ones are in text_utils_unicode.cpp, the path ones in text_paths.cpp.
#include "store/text_utils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace veltrun {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the first `count` code points of text (all of it when shorter).
std::size_t ByteLengthOfChars(std::string_view text, int count) {
    std::size_t pos = 0;
    for (int seen = 0; pos < text.size() && seen < count; ++seen) {
        ++pos;
        while (pos < text.size() && IsContinuationByte(text[pos])) ++pos;
    }
    return pos;
}

std::string Repeat(std::string_view pad, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += pad;
    return out;
}

// A whole text as a double in the "C" notation, or false.
bool ParseWholeDouble(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return false;
    }
    if (text.empty()) return false;
    double parsed = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

std::string GetField(std::string_view text, char delimiter, int n) {
    if (n < 1) n = 1;
    std::size_t start = 0;
    for (int field = 1; field < n; ++field) {
        std::size_t next = text.find(delimiter, start);
        if (next == std::string_view::npos) return {};
        start = next + 1;
    }
    std::size_t end = text.find(delimiter, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

int CountChar(std::string_view text, char ch) { return static_cast<int>(std::count(text.begin(), text.end(), ch)); }

std::string ReplaceChar(std::string_view text, char ch, std::string_view replacement) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ch) {
            out += replacement;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

bool IsAllDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigitChar); }

int Utf8Length(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::string PadLeft(std::string_view text, std::string_view pad, int width) {
    int missing = width - Utf8Length(text);
    if (missing <= 0) return std::string(text);
    return Repeat(pad, missing) + std::string(text);
}

std::string PadRight(std::string_view text, std::string_view pad, int width) {
    int missing = width - Utf8Length(text);
    if (missing <= 0) return std::string(text);
    return std::string(text) + Repeat(pad, missing);
}

std::string AlignRight(std::string_view text, int width) {
    if (Utf8Length(text) >= width) return std::string(text.substr(0, ByteLengthOfChars(text, std::max(width, 0))));
    return PadLeft(text, " ", width);
}

std::string AlignLeft(std::string_view text, int width) {
    if (Utf8Length(text) >= width) return std::string(text.substr(0, ByteLengthOfChars(text, std::max(width, 0))));
    return PadRight(text, " ", width);
}

std::string BoolText(bool flag) { return flag ? "True" : "False"; }

std::string OppositeColour(std::string_view colour) { return colour == "W" ? "B" : "W"; }

std::string CleanLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto code = static_cast<unsigned char>(text[i]);
        if (code >= 32) {
            out += text[i];
        } else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += ' ';
            ++i;
        }
    }
    return out;
}

std::string KeepPrintableAscii(std::string_view text) {
    std::string out;
    for (char c : text) {
        auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code <= 127) out += c;
    }
    return out;
}

double ParseDecimal(std::string_view text) {
    // Both separators are accepted whatever the machine's locale: "," is read as ".".
    std::string trimmed = Trim(ReplaceChar(text, ',', "."));
    double value = 0;
    return ParseWholeDouble(trimmed, value) ? value : 0.0;
}

std::string Trim(std::string_view text) {
    auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && is_blank(text[begin])) ++begin;
    while (end > begin && is_blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string DecimalText(double value) {
    if (value == 0 || !std::isfinite(value)) return "0";  // no "-0"
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return "0";
    return std::string(buffer, ptr);
}

bool TryParseInt(std::string_view text, int& value) {
    std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (!IsAllDigits(digits)) return false;
    long long magnitude = 0;
    for (char c : digits) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    long long signed_value = negative ? -magnitude : magnitude;
    if (signed_value > std::numeric_limits<int>::max() || signed_value < std::numeric_limits<int>::min()) return false;
    value = static_cast<int>(signed_value);
    return true;
}

bool ListContains(const std::string& text, const StringList& list) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

int CountCharInList(const StringList& list, char ch) {
    int total = 0;
    for (const auto& line : list) total += CountChar(line, ch);
    return total;
}

namespace {

// Stable sort of the lines by a numeric key; `before(a, b)` is the strict order.
template <typename Before>
void SortByNumericKey(StringList& list, double (*key_of)(const std::string&, char), char delimiter, Before before) {
    std::vector<std::pair<double, std::string>> keyed;
    keyed.reserve(list.size());
    for (auto& line : list) keyed.emplace_back(key_of(line, delimiter), std::move(line));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&](const auto& a, const auto& b) { return before(a.first, b.first); });
    for (std::size_t i = 0; i < list.size(); ++i) list[i] = std::move(keyed[i].second);
}

double WholeLineValue(const std::string& line, char) { return ParseDecimal(line); }
double FirstFieldValue(const std::string& line, char delimiter) { return ParseDecimal(GetField(line, delimiter, 1)); }

}  // namespace

void SortNumericAscending(StringList& list) {
    SortByNumericKey(list, WholeLineValue, '\0', [](double a, double b) { return a < b; });
}

void SortByFirstFieldDescending(StringList& list, char delimiter) {
    SortByNumericKey(list, FirstFieldValue, delimiter, [](double a, double b) { return a > b; });
}

std::string JoinReversed(const StringList& list) {
    std::string out;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (it != list.rbegin()) out += '-';
        out += *it;
    }
    return out;
}

}  // namespace veltrun
