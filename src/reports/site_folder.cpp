#include "reports/site_folder.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "store/errors.h"
#include "store/platform_file_calls.h"
#include "store/translation.h"

namespace veltrun {
namespace fs = std::filesystem;
namespace {

std::string FolderText(const Translation& tr, const fs::path& folder) {
    return tr(653, "The folder") + " " + folder.string();
}

[[noreturn]] void CannotWrite(const Translation& tr, const fs::path& path, int error) {
    throw myException(tr(654, "Could not write the site") + " (" + path.string() + ": " +
                      std::strerror(error) + "). " + tr(655, "The previous site was left as it was."));
}

bool IsEarlierSite(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_empty(folder, ec) && !ec) return true;
    const fs::path index = folder / "index.html";
    if (fs::is_symlink(index, ec) || !fs::is_regular_file(index, ec)) return false;
    std::ifstream in(index, std::ios::binary);
    std::string head(1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return head.find("<meta name=\"generator\" content=\"Veltrun\">") != std::string::npos;
}

void CheckTarget(const Translation& tr, const fs::path& target) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (status.type() == fs::file_type::not_found) {
        if (!fs::is_directory(target.parent_path(), ec))
            throw myException(FolderText(tr, target.parent_path()) + " " +
                              tr(657, "does not exist."));
        return;
    }
    if (status.type() != fs::file_type::directory || !IsEarlierSite(target))
        throw myException(FolderText(tr, target) + " " +
                          tr(652, "is neither empty nor a published site; it was left unchanged."));
}

// Pages are written with their write-back started at once; every few hundred
// pages the batch is waited for, and one sync of the folder at the end commits
// all of them. A sync per page, or of the whole file system, would cost seconds.
class PageWriter {
public:
    PageWriter(const Translation& tr, fs::path folder) : tr_(tr), folder_(std::move(folder)) {}
    ~PageWriter() {
        for (const Open& open : open_) ::close(open.fd);
    }

    void Write(const std::string& name, std::string_view text) {
        const fs::path file = folder_ / name;
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) CannotWrite(tr_, file, errno);
        open_.push_back({fd, file});
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) CannotWrite(tr_, file, n < 0 ? errno : EIO);
            done += static_cast<size_t>(n);
        }
        StartWriteBack(fd, 0, 0);
        if (open_.size() >= 256) WaitForBatch();
    }

    void Finish() {
        WaitForBatch();
        const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) CannotWrite(tr_, folder_, errno);
        const int result = ::fsync(fd);
        const int error = errno;
        ::close(fd);
        if (result != 0 && error != EINVAL) CannotWrite(tr_, folder_, error);
    }

private:
    struct Open {
        int fd;
        fs::path file;
    };
    void WaitForBatch() {
        std::vector<Open> batch;
        batch.swap(open_);
        for (size_t i = 0; i < batch.size(); ++i) {
            const int waited = ::sync_file_range(
                batch[i].fd, 0, 0, SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
            const int error = errno;
            if (waited != 0 || ::close(batch[i].fd) != 0) {
                for (size_t j = i + 1; j < batch.size(); ++j) ::close(batch[j].fd);
                CannotWrite(tr_, batch[i].file, waited != 0 ? error : errno);
            }
        }
    }

    const Translation& tr_;
    fs::path folder_;
    std::vector<Open> open_;
};

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems refuse to sync a folder; the pages are synced
    ::close(fd);
}

void Swap(const Translation& tr, const fs::path& fresh, const fs::path& target) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(target, ec))) {
        if (::rename(fresh.c_str(), target.c_str()) != 0) CannotWrite(tr, target, errno);
        return;
    }
    if (::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) return;
    if (errno != EINVAL && errno != ENOSYS) CannotWrite(tr, target, errno);
    // Without an exchange: the old site steps aside into the (empty) place
    // of a second temporary folder, the new one takes its name.
    std::string aside = (target.parent_path() / ("." + target.filename().string() + ".old-XXXXXX")).string();
    if (!::mkdtemp(aside.data())) CannotWrite(tr, target, errno);
    if (::rename(target.c_str(), aside.c_str()) != 0) {
        const int error = errno;
        fs::remove(aside, ec);
        CannotWrite(tr, target, error);
    }
    if (::rename(fresh.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::rename(aside.c_str(), target.c_str());
        CannotWrite(tr, target, error);
    }
    fs::rename(aside, fresh, ec);  // the old site goes where the caller removes it
}

}  // namespace

void ReplaceSiteFolder(const Translation& tr, const fs::path& targetIn,
                       const std::function<void(const SitePageSink&)>& build) {
    const fs::path target = fs::absolute(targetIn).lexically_normal();
    const fs::path clean = target.has_filename() ? target : target.parent_path();
    CheckTarget(tr, clean);
    std::string pattern = (clean.parent_path() / ("." + clean.filename().string() + ".new-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) CannotWrite(tr, clean.parent_path(), errno);
    const fs::path fresh(pattern);
    std::error_code ec;
    try {
        fs::permissions(fresh, fs::perms(0755), ec);  // a web server must be able to read it
        PageWriter writer(tr, fresh);
        build([&](const std::string& file, std::string_view text) { writer.Write(file, text); });
        writer.Finish();
        Swap(tr, fresh, clean);
    } catch (...) {
        fs::remove_all(fresh, ec);
        throw;
    }
    fs::remove_all(fresh, ec);  // the old site, after the exchange
    SyncFolder(clean.parent_path());
}

}  // namespace veltrun
