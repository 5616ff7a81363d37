#pragma once
// The character sets a report may declare: the labels of the web's encoding
// standard, which every browser knows, mapped to the converter that writes
// the bytes those browsers expect for them. Other names ("cp852", a typo)
// make pages that browsers show wrongly.
#include <optional>
#include <string>
#include <string_view>

namespace veltrun {

// The ICU converter for a web label (blanks around and letter case do not
// matter), or nothing when the label is no web label or ICU cannot write it.
std::optional<std::string> WebCharsetConverter(std::string_view label);

}  // namespace veltrun
