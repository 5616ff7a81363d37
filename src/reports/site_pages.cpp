#include "reports/site_pages.h"

#include "reports/site_style.h"

namespace veltrun {

void WriteSitePages(const SiteData& data, const SitePageSink& sink) {
    const SiteFrame frame(data);
    sink("style.css", SiteStyleSheet());
    WriteIndexPage(data, frame, sink);
    WriteStandingsPage(data, frame, sink);
    WriteCrosstablePage(data, frame, sink);
    WriteStartListPage(data, frame, sink);
    WriteTeamsPage(data, frame, sink);
    WriteRoundPages(data, frame, sink);
    WritePlayerPages(data, frame, sink);
}

}  // namespace veltrun
