// No command (or "gui") starts the window; any other command runs on the terminal.
// The window is a module loaded only then, so that commands never load Qt.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "store/settings.h"
#include "store/temporary_files.h"

#ifdef VELTRUN_HAS_GUI
#include "window_loader.h"
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

#ifdef VELTRUN_HAS_GUI
int CommandLineHelp() {
    veltrun::cli::RunCli({"--help"}, std::cerr, std::cerr);
    return 2;
}

veltrun::WindowLoad LoadWindow() {
    auto load = veltrun::LoadWindowModule(veltrun::CurrentExecutablePath());
    if (!load.entry) std::cerr << "The desktop program could not be loaded: " << load.error << "\n";
    return load;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--has-gui") {
#ifdef VELTRUN_HAS_GUI
        return LoadWindow().entry ? 0 : 1;
#else
        return 1;
#endif
    }
    if (WantsWindow(args)) {
#ifdef VELTRUN_HAS_GUI
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
            std::cerr << "No display found: the desktop program needs one. The commands below work on the terminal.\n";
            return CommandLineHelp();
        }
        // The module installs what the window needs itself, in its own copy of the core.
        auto load = LoadWindow();
        return load.entry ? load.entry(argc, argv) : CommandLineHelp();
#else
        std::cerr << "This build has no desktop program; the commands below work on the terminal.\n";
        args = {"--help"};
#endif
    }
    veltrun::InstallTemporaryFileCleanup();
    return veltrun::cli::RunCli(args, std::cout, std::cerr);
}
