#include "store/file_messages.h"

#include "store/session.h"

namespace veltrun {

std::string FileNotExistMessage(const Session& session, const std::filesystem::path& file) {
    return session.tr(91, "File not exist") + " (" + file.string() + ").";
}

std::string AtFileLine(const Session& session, const std::filesystem::path& file, int lineNumber) {
    return " (" + session.tr(99, "in file") + " " + file.string() + ", " + session.tr(200, "line") + " " +
           std::to_string(lineNumber) + ")";
}

}  // namespace veltrun
