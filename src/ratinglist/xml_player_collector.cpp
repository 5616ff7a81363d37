#include "ratinglist/xml_player_collector.h"

#include <utility>

namespace veltrun {

namespace {

constexpr std::array<std::string_view, 9> kFieldTags = {"fideid", "name", "country", "sex", "rating",
                                                        "rapid_rating", "blitz_rating", "birthday", "title"};

bool EqualsNoCase(std::string_view name, std::string_view lower) {
    if (name.size() != lower.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

int FieldOfTag(std::string_view name) {
    for (std::size_t i = 0; i < kFieldTags.size(); ++i)
        if (EqualsNoCase(name, kFieldTags[i])) return static_cast<int>(i);
    return -1;
}

bool IsLayoutSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

void AppendCleanValue(std::string_view value, bool dropCommas, std::string& out) {
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
