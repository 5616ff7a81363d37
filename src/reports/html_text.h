#pragma once
// Text of a report: escaping what comes from the tournament, and the bytes of
// the page in the declared character set.
#include <string>
#include <string_view>

namespace veltrun {

// &, <, >, " and ' become entities, so a name shows literally in a cell or
// an attribute.
std::string HtmlEscape(std::string_view text);

// The UTF-8 text in the named character set; a character the set lacks
// becomes a numeric character reference (&#322;). Returns false when the
// name is no label browsers know (see WebCharsetConverter).
bool EncodeForCharset(std::string_view utf8, const std::string& charset, std::string& bytes);

}  // namespace veltrun
