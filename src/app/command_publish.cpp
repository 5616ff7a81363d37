#include "app/command_publish.h"

#include "app/show_errors.h"
#include "reports/report_frame.h"
#include "reports/site_data.h"
#include "reports/site_folder.h"
#include "reports/site_pages.h"
#include "store/errors.h"
#include "store/session.h"

namespace veltrun {

ReportsWritten PublishCommand(Session& session, const std::filesystem::path& out, OpenReports open) {
    ReportsWritten result;
    result.done = CatchAndShowError(session, [&] {
        if (!session.HasTournament()) throw myException(session.tr(260, "No tournament is open."));
        PrepareStandings(session);
        BusyCursor busy(session.ui);
        const std::filesystem::path target =
            out.empty() ? std::filesystem::path(session.tournament.TournamentFolder) / "site" : out;
        const SiteData data(session.tournament, session.translation, session.settings.TeamReport_TopNplayers,
                            ReadRoundFiles(session.tournament));
        ReplaceSiteFolder(session.translation, target, [&](const SitePageSink& sink) { WriteSitePages(data, sink); });
        session.AppendToLog("Site " + target.string() + " was published.");
        result.files.push_back(target / "index.html");
    });
    if (result.done && open == OpenReports::Yes) OpenReportInBrowser(session, result.files.front());
    return result;
}

}  // namespace veltrun
