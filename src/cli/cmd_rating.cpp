#include "cli/commands.h"

namespace veltrun::cli {

void RegisterRatingCommands(std::vector<Command>& table) {
    (void)table;
}

}  // namespace veltrun::cli
