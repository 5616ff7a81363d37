#pragma once
// Text for a terminal. Names, rating lists, language files and messages come
// from files anyone may have written: their control characters and escape
// sequences must not move the cursor, retitle the window or hide a line.
// Kept: newline and tab; dropped: the other C0 characters, DEL, C1 controls
// and whole escape sequences (CSI, OSC and the other string sequences).
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace veltrun::cli {

// One byte at a time, so a sequence split over several writes is still caught.
class TerminalTextFilter {
public:
    void Feed(char c, std::string& out);
    // A held lead byte that turned out to end the text.
    void Finish(std::string& out);

private:
    enum class State { Text, C1Lead, Escape, ControlSequence, ControlString };
    State state_ = State::Text;
};

// The filtered text, for output that measures what it prints (an aligned table).
std::string TerminalSafe(std::string_view text);

// A stream buffer that passes what is written through the filter to another one.
class TerminalSafeBuffer : public std::streambuf {
public:
    explicit TerminalSafeBuffer(std::streambuf* target) : target_(target) {}
    ~TerminalSafeBuffer() override;
    // Our own cursor control (the progress line's carriage return), unfiltered.
    void PassThrough(char c);

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool WritePending();

    std::streambuf* target_;
    TerminalTextFilter filter_;
    std::string pending_;
};

// An output stream whose every character goes through the filter.
class TerminalSafeStream : public std::ostream {
public:
    explicit TerminalSafeStream(std::ostream& target) : std::ostream(nullptr), buffer_(target.rdbuf()) {
        rdbuf(&buffer_);
    }

private:
    TerminalSafeBuffer buffer_;
};

// A carriage return on a stream: through the filter's side door when it has one.
void WriteCarriageReturn(std::ostream& out);

}  // namespace veltrun::cli
