#pragma once
// The pages of the published site. Each takes the site's data and frame and
// hands every finished page to the sink, so that a large tournament never
// holds the whole site in memory.
#include <functional>
#include <string>
#include <string_view>

#include "reports/site_data.h"
#include "reports/site_page.h"

namespace veltrun {

using SitePageSink = std::function<void(const std::string& file, std::string_view text)>;

// Every page and the style sheet.
void WriteSitePages(const SiteData& data, const SitePageSink& sink);

// The pages, one group per file.
void WriteIndexPage(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);
void WriteStandingsPage(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);
void WriteCrosstablePage(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);
void WriteStartListPage(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);
void WriteTeamsPage(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);
void WriteRoundPages(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);
// players.html with every card (for print) and one page per player.
void WritePlayerPages(const SiteData& data, const SiteFrame& frame, const SitePageSink& sink);

}  // namespace veltrun
