#pragma once
// A refusal of one field of a dialog: the translated message and the control
// that gets the focus. Windows put the cursor there; the command line only
// prints the message.
#include <string>
#include <utility>

#include "store/errors.h"

namespace veltrun {

class FieldError : public myException {
public:
    FieldError(std::string field, const std::string& message) : myException(message), field_(std::move(field)) {}
    // The control's name, as "E_MAX_ROUND" or "E_GOALS1".
    const std::string& Field() const { return field_; }

private:
    std::string field_;
};

}  // namespace veltrun
