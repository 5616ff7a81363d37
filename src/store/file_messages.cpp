#include "store/file_messages.h"

#include "store/errors.h"
#include "store/file_notices.h"
#include "store/session.h"

namespace veltrun {

std::string FileNotExistMessage(const Session& session, const std::filesystem::path& file) {
    return session.tr(91, "File not exist") + " (" + file.string() + ").";
}

void RequireRegularFile(const Session& session, const std::filesystem::path& file) {
    std::error_code error;
    auto state = std::filesystem::status(file, error);
    if (!std::filesystem::exists(state)) throw myException(FileNotExistMessage(session, file));
    if (!std::filesystem::is_regular_file(state))
        throw myException(TheFile(file) + " " +
                          session.tr(423, "is not a regular file (a folder, a pipe or a device); it was not read."));
}

std::string AtFileLine(const Session& session, const std::filesystem::path& file, int lineNumber) {
    return " (" + session.tr(99, "in file") + " " + file.string() + ", " + session.tr(200, "line") + " " +
           std::to_string(lineNumber) + ")";
}

}  // namespace veltrun
