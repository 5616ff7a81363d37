#pragma once
// The system's own exception: carries a message that is already translated
// and ready to be shown to the director.
#include <stdexcept>
#include <string>

namespace veltrun {

class myException : public std::runtime_error {
public:
    explicit myException(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace veltrun
