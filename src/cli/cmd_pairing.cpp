#include "cli/commands.h"

namespace veltrun::cli {

void RegisterPairingCommands(std::vector<Command>& table) {
    (void)table;
}

}  // namespace veltrun::cli
