#pragma once
// Sets (or, for a null value, removes) an environment variable for the lifetime of the guard.
#include <cstdlib>
#include <optional>
#include <string>

namespace veltrun::testing {

class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(value);
    }
    ~EnvironmentGuard() { Set(old_ ? old_->c_str() : nullptr); }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

private:
    void Set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }
    const char* name_;
    std::optional<std::string> old_;
};

// PATH with the given folder in front.
inline std::string PathWithFirst(const std::string& folder) {
    const char* path = std::getenv("PATH");
    return folder + ":" + (path ? path : "");
}

}  // namespace veltrun::testing
