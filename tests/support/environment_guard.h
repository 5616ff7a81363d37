#pragma once
// Sets or removes an environment variable for the lifetime of the guard.
#include <cstdlib>
#include <optional>
#include <string>

namespace veltrun::testing {

class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentGuard() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// PATH with the given folder in front.
inline std::string PathWithFirst(const std::string& folder) {
    const char* path = std::getenv("PATH");
    return folder + ":" + (path ? path : "");
}

}  // namespace veltrun::testing
