#include "cli/commands.h"

namespace veltrun::cli {

void RegisterFideCommands(std::vector<Command>& table) {
    (void)table;
}

}  // namespace veltrun::cli
