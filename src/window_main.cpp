// The window module's entry: what main does for the window, in the module's own copy of the core.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "gui/gui_main.h"
#include "store/temporary_files.h"
#include "window_module.h"

int veltrun_run_window(int argc, char** argv) {
    try {
        // The window's writers register their temporary files in this copy of the
        // core, so the signal handler that removes them must be this copy's too.
        veltrun::InstallTemporaryFileCleanup();
        std::vector<std::string> args(argv + 1, argv + argc);
        return veltrun::gui::RunGui(argc, argv, veltrun::cli::ParseGlobalOptions(args));
    } catch (const std::exception& e) {
        // No exception crosses into the program, which knows none of this copy's types.
        std::cerr << e.what() << '\n';
        return 1;
    }
}
