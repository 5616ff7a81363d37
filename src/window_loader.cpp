#include "window_loader.h"

#include <dlfcn.h>

#include <system_error>
#include <vector>

namespace veltrun {

namespace {

std::vector<std::filesystem::path> ModuleCandidates(const std::filesystem::path& executable) {
    std::error_code error;
    auto folder = std::filesystem::absolute(executable, error).parent_path();
    return {folder / VELTRUN_WINDOW_MODULE, folder.parent_path() / VELTRUN_WINDOW_INSTALL_DIR / VELTRUN_WINDOW_MODULE};
}

// The loader's text, with the file's name in front unless the text begins with it.
std::string LoaderError(const std::filesystem::path& file) {
    const char* text = dlerror();
    std::string message = text ? text : "unknown error";
    return message.rfind(file.string(), 0) == 0 ? message : file.string() + ": " + message;
}

}  // namespace

WindowLoad LoadWindowModule(const std::filesystem::path& executable) {
    WindowLoad load;
    std::string missing, broken;  // a broken module says more than a missing one
    for (const auto& file : ModuleCandidates(executable)) {
        std::error_code error;
        std::string& errors = std::filesystem::exists(file, error) ? broken : missing;
        if (!errors.empty()) errors += "; ";
        // RTLD_NOW: a module that lacks a symbol fails here, not halfway through the window.
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            errors += LoaderError(file);
            continue;
        }
        if (void* entry = dlsym(handle, kWindowEntry)) {
            load.entry = reinterpret_cast<WindowEntry>(entry);
            return load;
        }
        errors += LoaderError(file);
        dlclose(handle);
    }
    load.error = broken.empty() ? missing : broken;
    return load;
}

}  // namespace veltrun
