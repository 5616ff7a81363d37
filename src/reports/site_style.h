#pragma once
// The one style sheet of the published site (style.css).
#include <string_view>

namespace veltrun {

std::string_view SiteStyleSheet();

}  // namespace veltrun
