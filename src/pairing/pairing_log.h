#pragma once
// Where the pairing writes its step-by-step lines (the tournament log in the
// program, a vector in the tests). A large field writes tens of thousands of
// lines, so callers ask Enabled() before composing one.
#include <functional>
#include <string_view>
#include <utility>

namespace veltrun {

class PairingLog {
public:
    PairingLog() = default;  // discards every line
    explicit PairingLog(std::function<void(std::string_view)> sink) : sink_(std::move(sink)) {}

    bool Enabled() const { return static_cast<bool>(sink_); }
    void Write(std::string_view line) const {
        if (sink_) sink_(line);
    }

private:
    std::function<void(std::string_view)> sink_;
};

}  // namespace veltrun
