#pragma once
// Puts a whole folder of pages in place at once: they are written into a
// temporary folder beside the target, which then takes the target's place by
// rename. A reader sees the old site or the new one, never half of either, and
// a failure leaves the old site as it was.
#include <filesystem>
#include <functional>

#include "reports/site_pages.h"

namespace veltrun {

struct Translation;

// `build` hands every file to the sink it is given. The target must be
// missing, empty or an earlier site (its index.html names Veltrun as its
// generator); anything else is refused untouched, and so is a link.
void ReplaceSiteFolder(const Translation& tr, const std::filesystem::path& target,
                       const std::function<void(const SitePageSink&)>& build);

}  // namespace veltrun
