#pragma once
// The Publish button: the tournament as a static results site.
#include <filesystem>

#include "app/command_reports.h"

namespace veltrun {

class Session;

// Computes the standings and writes the site into `out` (default: "site" in
// the tournament folder) as a whole; files holds its index.html.
ReportsWritten PublishCommand(Session& session, const std::filesystem::path& out = {},
                              OpenReports open = OpenReports::Yes);

}  // namespace veltrun
