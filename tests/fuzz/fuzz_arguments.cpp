// The command-line parser: any words either parse or give a usage error.
#include "cli/arguments.h"
#include "fuzz_support.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    std::vector<std::string> words(1);
    for (char c : input) {
        if (c == 0) words.emplace_back();
        else words.back().push_back(c);
    }
    try {
        auto global = cli::ParseGlobalOptions(words);
        cli::CommandArgs args(global.rest, {{"--rounds", true, ""}, {"--dry-run", false, ""}, {"--tb", true, ""}});
        args.IntValue("--rounds", 0);
        fuzz::Require(args.Positional().size() <= global.rest.size(), "no invented arguments");
    } catch (const cli::UsageError&) {
    }
}
