#include "model/atomic_file.h"

#include "model/config_file_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zkt {

namespace {

std::string systemReason(const std::string& action) {
    return action + ": " + std::strerror(errno);
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        constexpr int attempts = 100;
        for (int attempt = 0; attempt < attempts; ++attempt) {
            m_path = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0 || errno != EEXIST) {
                break;
            }
        }
        if (m_fd < 0) {
            throw ConfigFileError(target, 0, systemReason("cannot create a temporary file beside it"));
        }
    }

    ~TemporaryFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_committed) {
            ::unlink(m_path.c_str());
        }
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

    // Closes the file; false (errno set) when the last buffered data failed to land.
    bool close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0;
    }

    void markRenamed() { m_committed = true; }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_committed = false;
};

bool writeAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The rename is done; a folder that cannot be synced only weakens crash safety.
        ::fsync(fd);
        ::close(fd);
    }
}

// A device or a named pipe (/dev/stdout, /dev/null, a FIFO) is written into: replacing it by a
// regular file would break it for everyone else, and as root even a device node would go.
void writeIntoSpecialFile(const std::string& path, std::string_view contents) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        throw ConfigFileError(path, 0, systemReason("cannot open for writing"));
    }
    const bool written = writeAll(fd, contents);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written) {
        errno = writeError;
    }
    if (!written || !closed) {
        throw ConfigFileError(path, 0, systemReason("cannot write"));
    }
}

} // namespace

void writeFileAtomically(const std::string& requestedPath, std::string_view contents) {
    // Saving through a link updates the file it points to rather than replacing the link.
    std::string path = requestedPath;
    std::error_code missing;
    if (std::filesystem::is_symlink(requestedPath, missing)) {
        std::error_code broken;
        path = std::filesystem::weakly_canonical(requestedPath, broken).string();
        if (broken) {
            throw ConfigFileError(requestedPath, 0, "cannot follow the link: " + broken.message());
        }
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        writeIntoSpecialFile(path, contents);
        return;
    }
    TemporaryFile temporary(path);
    if (exists && S_ISREG(existing.st_mode)) {
        ::fchmod(temporary.fd(), existing.st_mode & 07777);
    }
    if (!writeAll(temporary.fd(), contents)) {
        throw ConfigFileError(path, 0, systemReason("cannot write"));
    }
    if (::fsync(temporary.fd()) != 0) {
        throw ConfigFileError(path, 0, systemReason("cannot flush to the disk"));
    }
    if (!temporary.close()) {
        throw ConfigFileError(path, 0, systemReason("cannot write"));
    }
    if (::rename(temporary.path().c_str(), path.c_str()) != 0) {
        throw ConfigFileError(path, 0, systemReason("cannot replace the file"));
    }
    temporary.markRenamed();
    syncFolderOf(path);
}

} // namespace zkt
