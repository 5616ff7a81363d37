// No command starts the window; a command runs on the terminal.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef VELTRUN_HAS_GUI
#include "gui/gui_main.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool wantsGui = args.empty() || (args.size() == 1 && args[0] == "gui");
    if (args.size() == 1 && args[0] == "--has-gui") {
#ifdef VELTRUN_HAS_GUI
        return 0;
#else
        return 1;
#endif
    }
#ifdef VELTRUN_HAS_GUI
    if (wantsGui) return veltrun::gui::RunGui(argc, argv);
#else
    if (wantsGui && args.empty()) args.push_back("--help");
#endif
    return veltrun::cli::RunCli(args, std::cout, std::cerr);
}
