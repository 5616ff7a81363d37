#include "cli/commands.h"

namespace veltrun::cli {

void RegisterReportCommands(std::vector<Command>& table) {
    (void)table;
}

}  // namespace veltrun::cli
