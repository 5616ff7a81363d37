// No command (or "gui") starts the window; any other command runs on the terminal.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "store/temporary_files.h"

#ifdef VELTRUN_HAS_GUI
#include "gui/gui_main.h"
#endif

namespace {

bool WantsWindow(const std::vector<std::string>& args) {
    try {
        auto global = veltrun::cli::ParseGlobalOptions(args);
        return !global.help && !global.version && (global.command.empty() || global.command == "gui") &&
               global.rest.empty();
    } catch (const veltrun::cli::UsageError&) {
        return false;  // the command line reports it
    }
}

}  // namespace

int main(int argc, char** argv) {
    veltrun::InstallTemporaryFileCleanup();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--has-gui") {
#ifdef VELTRUN_HAS_GUI
        return 0;
#else
        return 1;
#endif
    }
    if (WantsWindow(args)) {
#ifdef VELTRUN_HAS_GUI
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
            std::cerr << "No display found: the desktop program needs one. The commands below work on the terminal.\n";
            veltrun::cli::RunCli({"--help"}, std::cerr, std::cerr);
            return 2;
        }
        return veltrun::gui::RunGui(argc, argv, veltrun::cli::ParseGlobalOptions(args));
#else
        std::cerr << "This build has no desktop program; the commands below work on the terminal.\n";
        args = {"--help"};
#endif
    }
    return veltrun::cli::RunCli(args, std::cout, std::cerr);
}
