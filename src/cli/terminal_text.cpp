#include "cli/terminal_text.h"

namespace veltrun::cli {

namespace {

constexpr unsigned char Escape = 0x1B;
constexpr unsigned char C1LeadByte = 0xC2;  // U+0080..U+009F are C2 80..C2 9F in UTF-8

}  // namespace

void TerminalTextFilter::Feed(char c, std::string& out) {
    const auto byte = static_cast<unsigned char>(c);
    switch (state_) {
        case State::Text:
            if (byte == Escape)
                state_ = State::Escape;
            else if (byte == C1LeadByte)
                state_ = State::C1Lead;
            else if (c == '\n' || c == '\t' || (byte >= 0x20 && byte != 0x7F))
                out += c;
            return;
        case State::C1Lead:
            state_ = State::Text;
            if (byte >= 0x80 && byte <= 0x9F) {
                if (byte == 0x9B)
                    state_ = State::ControlSequence;  // CSI
                else if (byte == 0x90 || byte == 0x98 || byte >= 0x9D)
                    state_ = State::ControlString;  // DCS SOS OSC PM APC
                return;
            }
            out += static_cast<char>(C1LeadByte);
            Feed(c, out);
            return;
        case State::Escape:
            if (c == '[')
                state_ = State::ControlSequence;
            else if (c == ']' || c == 'P' || c == 'X' || c == '^' || c == '_')
                state_ = State::ControlString;
            else if (byte >= 0x20 && byte <= 0x2F)
                return;  // intermediate bytes
            else {
                state_ = State::Text;
                if (byte < 0x30 || byte > 0x7E) Feed(c, out);  // not a final byte: no sequence at all
            }
            return;
        case State::ControlSequence:
            if (byte >= 0x20 && byte <= 0x3F) return;
            state_ = State::Text;
            if (byte < 0x40 || byte > 0x7E) Feed(c, out);
            return;
        case State::ControlString:
            // Ends with BEL or ST (ESC \); a newline ends it too, so one bad
            // field cannot swallow the rest of the output.
            if (c == '\a')
                state_ = State::Text;
            else if (byte == Escape)
                state_ = State::Escape;
            else if (c == '\n') {
                state_ = State::Text;
                out += c;
            }
            return;
    }
}

void TerminalTextFilter::Finish(std::string& out) {
    if (state_ == State::C1Lead) out += static_cast<char>(C1LeadByte);
    state_ = State::Text;
}

std::string TerminalSafe(std::string_view text) {
    TerminalTextFilter filter;
    std::string out;
    for (char c : text) filter.Feed(c, out);
    filter.Finish(out);
    return out;
}

TerminalSafeBuffer::~TerminalSafeBuffer() {
    filter_.Finish(pending_);
    sync();
}

void TerminalSafeBuffer::PassThrough(char c) {
    sync();
    target_->sputc(c);
}

TerminalSafeBuffer::int_type TerminalSafeBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    filter_.Feed(traits_type::to_char_type(c), pending_);
    return WritePending() ? c : traits_type::eof();
}

std::streamsize TerminalSafeBuffer::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) filter_.Feed(text[i], pending_);
    return WritePending() ? count : 0;
}

// Written through at once: the target stream buffers, and the order of
// standard output and standard error stays as it was written.
bool TerminalSafeBuffer::WritePending() {
    const auto size = static_cast<std::streamsize>(pending_.size());
    const bool written = size == 0 || target_->sputn(pending_.data(), size) == size;
    pending_.clear();
    return written;
}

int TerminalSafeBuffer::sync() { return WritePending() ? target_->pubsync() : -1; }

void WriteCarriageReturn(std::ostream& out) {
    if (auto* safe = dynamic_cast<TerminalSafeBuffer*>(out.rdbuf()))
        safe->PassThrough('\r');
    else
        out << '\r';
}

}  // namespace veltrun::cli
