#pragma once
// Command-line parsing: global options, then a command and its own options.
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrun::cli {

// A wrong command line: exit code 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

struct OptionSpec {
    std::string name;  // "--rounds"
    bool takesValue = false;
    std::string help;
};

struct GlobalOptions {
    std::string home;
    std::optional<bool> answer;  // --yes / --no
    std::string lang;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> rest;  // everything after the command
};

GlobalOptions ParseGlobalOptions(const std::vector<std::string>& argv);

class CommandArgs {
public:
    // Parses rest against the allowed options; throws UsageError.
    CommandArgs(const std::vector<std::string>& rest, const std::vector<OptionSpec>& allowed);
    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& name) const { return values_.count(name) > 0; }
    std::string Value(const std::string& name, const std::string& fallback = "") const;
    // A whole number option; throws UsageError when it is not one.
    int IntValue(const std::string& name, int fallback) const;
    bool HelpRequested() const { return help_; }

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    bool help_ = false;
};

}  // namespace veltrun::cli
