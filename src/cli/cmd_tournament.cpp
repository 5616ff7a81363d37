#include "cli/commands.h"

namespace veltrun::cli {

void RegisterTournamentCommands(std::vector<Command>& table) {
    (void)table;
}

}  // namespace veltrun::cli
