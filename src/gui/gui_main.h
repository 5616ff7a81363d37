#pragma once
// Starts the desktop program.
#include "cli/arguments.h"

namespace veltrun::gui {

int RunGui(int argc, char** argv, const veltrun::cli::GlobalOptions& options);

}  // namespace veltrun::gui
