#include "ratinglist/xml_player_collector.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace veltrun {

namespace {

template <typename Word>
Word FoldedWord(const char* p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w | static_cast<Word>(0x2020202020202020ULL);
}

// lower holds only lower-case letters and "_". Setting bit 5 folds the case of
// a letter; no other byte of a name folds onto a letter or "_" that way. Two
// overlapping word compares cover every length of the names looked for.
bool EqualsNoCase(std::string_view name, std::string_view lower) {
    std::size_t n = name.size();
    if (n != lower.size()) return false;
    const char* x = name.data();
    const char* y = lower.data();
    if (n >= 8 && n <= 16)
        return FoldedWord<std::uint64_t>(x) == FoldedWord<std::uint64_t>(y) &&
               FoldedWord<std::uint64_t>(x + n - 8) == FoldedWord<std::uint64_t>(y + n - 8);
    if (n >= 4 && n < 8)
        return FoldedWord<std::uint32_t>(x) == FoldedWord<std::uint32_t>(y) &&
               FoldedWord<std::uint32_t>(x + n - 4) == FoldedWord<std::uint32_t>(y + n - 4);
    unsigned char differ = 0;
    for (std::size_t i = 0; i < n; ++i) differ |= static_cast<unsigned char>((x[i] | 0x20) ^ (y[i] | 0x20));
    return differ == 0;
}

// Called for every element of a list of millions: the length picks the candidates.
int FieldOfTag(std::string_view name) {
    using F = XmlPlayerCollector;
    switch (name.size()) {
        case 3: return EqualsNoCase(name, "sex") ? F::Sex : -1;
        case 4: return EqualsNoCase(name, "name") ? F::Name : -1;
        case 5: return EqualsNoCase(name, "title") ? F::Title : -1;
        case 6: return EqualsNoCase(name, "fideid") ? F::FideId : EqualsNoCase(name, "rating") ? F::Rating : -1;
        case 7: return EqualsNoCase(name, "country") ? F::Country : -1;
        case 8: return EqualsNoCase(name, "birthday") ? F::Birthday : -1;
        case 12: return EqualsNoCase(name, "rapid_rating") ? F::RapidRating : EqualsNoCase(name, "blitz_rating") ? F::BlitzRating : -1;
        default: return -1;
    }
}

bool IsLayoutSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

namespace {

// True when the value needs none of the cleaning (the usual case).
bool IsCleanValue(std::string_view value, bool dropCommas) {
    char previous = ' ';  // so that a leading blank needs cleaning
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 32 || c == '|' || (dropCommas && c == ',') || (c == ' ' && previous == ' '))
            return false;
        previous = c;
    }
    return value.empty() || previous != ' ';
}

}  // namespace

void AppendCleanValue(std::string_view value, bool dropCommas, std::string& out) {
    if (IsCleanValue(value, dropCommas)) {
        out.append(value);
        return;
    }
    std::size_t start = out.size();
    bool pendingBlank = false;
    for (char c : value) {
        if (IsLayoutSpace(c)) {
            pendingBlank = out.size() > start;
            continue;
        }
        if (static_cast<unsigned char>(c) < 32 || c == '|' || (dropCommas && c == ',')) continue;
        if (pendingBlank) out += ' ';
        pendingBlank = false;
        out += c;
    }
}

XmlPlayerCollector::XmlPlayerCollector(LineSink sink) : sink_(std::move(sink)) {}

void XmlPlayerCollector::StartElement(std::string_view name) {
    ++depth_;
    if (EqualsNoCase(name, "player")) {
        for (auto& f : fields_) f.clear();
        player_depth_ = depth_;
        capture_depth_ = 0;
        return;
    }
    // A field counts only inside a player; a field nested in a field is part of its text.
    if (player_depth_ == 0 || capture_depth_ != 0) return;
    int field = FieldOfTag(name);
    if (field < 0) return;
    capture_field_ = field;
    capture_depth_ = depth_;
    captured_.clear();
}

void XmlPlayerCollector::EndElement() {
    if (depth_ == capture_depth_) StoreCapturedField();
    if (depth_ == player_depth_) WritePlayer();
    --depth_;
}

void XmlPlayerCollector::Text(std::string_view text) {
    if (capture_depth_ != 0) captured_.append(text);
}

void XmlPlayerCollector::Leaf(std::string_view name, std::string_view text) {
    if (EqualsNoCase(name, "player")) {
        StartElement(name);
        Text(text);
        EndElement();
        return;
    }
    // Inside a field the leaf is part of its text; the depths do not change either way.
    if (capture_depth_ != 0) {
        captured_.append(text);
        return;
    }
    if (player_depth_ == 0) return;
    int field = FieldOfTag(name);
    if (field < 0) return;
    fields_[field].clear();
    AppendCleanValue(text, field == Name, fields_[field]);
}

void XmlPlayerCollector::StoreCapturedField() {
    // A later element of the same kind replaces an earlier one.
    std::string& field = fields_[capture_field_];
    field.clear();
    AppendCleanValue(captured_, capture_field_ == Name, field);
    capture_depth_ = 0;
}

void XmlPlayerCollector::WritePlayer() {
    player_depth_ = 0;
    capture_depth_ = 0;
    // Without a FIDE identifier the line could not be told from any other.
    if (fields_[FideId].empty()) return;
    line_.clear();
    for (const auto& f : fields_) {
        line_ += f;
        line_ += '|';
    }
    sink_(line_);
    ++written_;
}

}  // namespace veltrun
