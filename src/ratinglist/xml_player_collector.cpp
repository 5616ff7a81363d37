#include "ratinglist/xml_player_collector.h"

#include <utility>

#include "store/file_limits.h"
#include "store/text_utils.h"

namespace veltrun {

using namespace player_field;

namespace {

// Enough for the longest kept field even when cleaning drops much of the text.
constexpr std::size_t kMaxCapturedBytes = 64 * 1024;

bool IsLayoutSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

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
    // The clean value is never longer: a blank is kept only in place of a dropped one.
    std::size_t start = out.size();
    out.resize(start + value.size());
    char* first = out.data() + start;
    char* w = first;
    bool pendingBlank = false;
    for (char c : value) {
        if (IsLayoutSpace(c)) {
            pendingBlank = w > first;
            continue;
        }
        if (static_cast<unsigned char>(c) < 32 || c == '|' || (dropCommas && c == ',')) continue;
        if (pendingBlank) *w++ = ' ';
        pendingBlank = false;
        *w++ = c;
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
}

bool AppendFieldValue(std::string_view value, int field, std::string& out) {
    std::size_t start = out.size();
    AppendCleanValue(value.substr(0, kMaxCapturedBytes), field == Name, out);
    int chars = FieldChars(field);
    // A value of no more bytes than characters allowed needs no count.
    if (out.size() - start <= static_cast<std::size_t>(chars)) return value.size() > kMaxCapturedBytes;
    bool cut = false;
    std::string kept = CutToChars(std::string_view(out).substr(start), chars, &cut);
    out.resize(start);
    out += Trim(kept);
    return cut || value.size() > kMaxCapturedBytes;
}

XmlPlayerCollector::XmlPlayerCollector(LineSink sink) : sink_(std::move(sink)) {}

void XmlPlayerCollector::StartElement(std::string_view name) {
    ++depth_;
    if (IsPlayerTag(name)) {
        for (auto& f : fields_) f.clear();
        cut_ = false;
        player_depth_ = depth_;
        capture_depth_ = 0;
        return;
    }
    // A field counts only inside a player; a field nested in a field is part of its text.
    if (player_depth_ == 0 || capture_depth_ != 0) return;
    int field = PlayerFieldOfTag(name);
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
    // Text far beyond what the field keeps is not held: a huge element must not fill memory.
    if (capture_depth_ == 0) return;
    cut_ = cut_ || captured_.size() + text.size() > kMaxCapturedBytes;
    if (captured_.size() < kMaxCapturedBytes) captured_.append(text.substr(0, kMaxCapturedBytes - captured_.size()));
}

void XmlPlayerCollector::StoreCapturedField() {
    // A later element of the same kind replaces an earlier one.
    std::string& field = fields_[capture_field_];
    field.clear();
    cut_ = AppendFieldValue(captured_, capture_field_, field) || cut_;
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
    cut_players_ += cut_ ? 1 : 0;
}

}  // namespace veltrun
