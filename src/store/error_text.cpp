#include "store/error_text.h"

#include <new>
#include <stdexcept>

#include "store/errors.h"
#include "store/file_limits.h"
#include "store/session.h"
#include "store/translation.h"

namespace veltrun {

namespace {

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

std::string FileErrorText(const Translation& t, const std::filesystem::path& file, const std::error_code& error) {
    return t.TranslateText(443, "The file or folder") + " " + Quoted(file) + " " +
           t.TranslateText(444, "could not be used") + ": " + error.message() + ".";
}

}  // namespace

std::string FileErrorText(const Session& session, const std::filesystem::path& file, const std::error_code& error) {
    return FileErrorText(session.translation, file, error);
}

std::string ErrorText(const Session& session, const std::exception& error) {
    return ErrorText(session.translation, error);
}

std::string ErrorText(const Translation& t, const std::exception& error) {
    if (const auto* large = dynamic_cast<const FileTooLarge*>(&error))
        return t.TranslateText(440, "The file") + " " + Quoted(large->File()) + " " +
               t.TranslateText(441, "is larger than") + " " + SizeText(large->Limit()) + ", " +
               t.TranslateText(442, "more than a file of its kind can hold.");
    if (dynamic_cast<const myException*>(&error)) return error.what();
    if (const auto* fs = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        std::string text = FileErrorText(t, fs->path1(), fs->code());
        if (!fs->path2().empty()) text += " (" + Quoted(fs->path2()) + ")";
        return text;
    }
    // Our own system errors carry the file's name as their text; a logic error
    // (an index or a number out of range) is a slip of ours: both are said as a failure.
    if (dynamic_cast<const std::system_error*>(&error) || dynamic_cast<const std::logic_error*>(&error))
        return t.TranslateText(447, "The command failed") + ": " + error.what() + ".";
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return t.TranslateText(445, "Not enough memory to finish the command.");
    return error.what();
}

std::string CurrentErrorText(const Session& session) {
    try {
        throw;
    } catch (const std::exception& e) {
        return ErrorText(session, e);
    } catch (...) {
        return session.tr(446, "The command ended with an unknown error.");
    }
}

}  // namespace veltrun
