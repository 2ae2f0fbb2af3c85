#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "core/common/error_code.h"
#include "platform/posix/errno_codes.h"

namespace tidemark {

namespace {

// Largest single read or write handed to the kernel.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A missing file is 2 when its folder exists and 3 when the folder is missing
// too, as the system's codes tell the two apart.
std::uint32_t CodeFor(int error, const std::string& path) {
    if (error == ENOENT) {
        struct stat folder;
        if (::stat(ParentFolder(path).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
            return ErrorCode::kPathNotFound;
        }
    }
    return ErrorCodeFromErrno(error);
}

enum class LockResult { kTaken, kConflict, kUnsupported, kFailed };

// Takes an open-file-description lock over the whole file without waiting.
LockResult TakeLock(int fd, FileLock lock, int& error) {
    struct flock range = {};
    range.l_type = lock == FileLock::kShared ? F_RDLCK : F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 0;  // to the end, however far the file grows
    int result;
    do {
        result = ::fcntl(fd, F_OFD_SETLK, &range);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return LockResult::kTaken;
    error = errno;
    if (error == EAGAIN || error == EACCES) return LockResult::kConflict;
    if (error == ENOLCK || error == EINVAL || error == EOPNOTSUPP) return LockResult::kUnsupported;
    return LockResult::kFailed;
}

class PosixFileHandle : public FileHandle {
public:
    explicit PosixFileHandle(int fd) : m_fd(fd) {}
    ~PosixFileHandle() override { Close(); }
    PosixFileHandle(const PosixFileHandle&) = delete;
    PosixFileHandle& operator=(const PosixFileHandle&) = delete;

    std::uint32_t Read(void* bytes, std::size_t count, std::size_t& done) override {
        done = 0;
        ssize_t n;
        do {
            n = ::read(m_fd, bytes, std::min(count, kMaxTransfer));
        } while (n < 0 && errno == EINTR);
        if (n < 0) return ErrorCodeFromErrno(errno);
        done = static_cast<std::size_t>(n);
        return 0;
    }

    std::uint32_t Write(const void* bytes, std::size_t count) override {
        const auto* next = static_cast<const std::uint8_t*>(bytes);
        while (count > 0) {
            const ssize_t n = ::write(m_fd, next, std::min(count, kMaxTransfer));
            if (n < 0) {
                if (errno == EINTR) continue;
                return ErrorCodeFromErrno(errno);
            }
            if (n == 0) return ErrorCode::kDiskFull;
            next += n;
            count -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    std::uint32_t Sync() override {
        if (::fsync(m_fd) == 0) return 0;
        // Files that cannot be synchronised (a pipe, a device) have nothing to lose.
        if (errno == EINVAL || errno == EROFS) return 0;
        return ErrorCodeFromErrno(errno);
    }

    std::uint32_t Size(std::uint64_t& size) override {
        struct stat info;
        if (::fstat(m_fd, &info) != 0) return ErrorCodeFromErrno(errno);
        size = static_cast<std::uint64_t>(info.st_size);
        return 0;
    }

    std::uint32_t SeekToEnd(std::uint64_t& position) override {
        const off_t end = ::lseek(m_fd, 0, SEEK_END);
        if (end < 0) return ErrorCodeFromErrno(errno);
        position = static_cast<std::uint64_t>(end);
        return 0;
    }

    std::uint32_t Close() override {
        if (m_fd < 0) return 0;
        const int result = ::close(m_fd);  // never retried: the descriptor is gone either way
        m_fd = -1;
        if (result != 0 && errno != EINTR) return ErrorCodeFromErrno(errno);
        return 0;
    }

private:
    int m_fd;
};

// Closes a descriptor at the end of a scope.
class FdGuard {
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;

private:
    int m_fd;
};

// A rename that never replaces `to`, for file systems without RENAME_NOREPLACE.
int LinkAndUnlink(const char* from, const char* to) {
    if (::link(from, to) == 0) {
        if (::unlink(from) == 0) return 0;
        const int error = errno;
        ::unlink(to);
        return error;
    }
    const int error = errno;
    if (error != EPERM && error != EOPNOTSUPP) return error;
    // No hard links here either: check, then rename. Not atomic, but the
    // folder of a note is not shared by two savers of the same file.
    struct stat existing;
    if (::lstat(to, &existing) == 0) return EEXIST;
    return ::rename(from, to) == 0 ? 0 : errno;
}

}  // namespace

std::uint32_t PosixFileSystem::Open(const std::string& path, const FileOpenMode& mode,
                                    std::unique_ptr<FileHandle>& handle) {
    if (HasNul(path)) return ErrorCode::kInvalidName;
    int flags = O_CLOEXEC | O_NOCTTY;
    switch (mode.access) {
        case FileAccess::kRead: flags |= O_RDONLY; break;
        case FileAccess::kWrite: flags |= O_WRONLY; break;
        case FileAccess::kReadWrite: flags |= O_RDWR; break;
    }
    if (mode.disposition != FileDisposition::kOpenExisting) flags |= O_CREAT;
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return CodeFor(errno, path);
    auto opened = std::make_unique<PosixFileHandle>(fd);

    struct stat info;
    if (::fstat(fd, &info) != 0) return ErrorCodeFromErrno(errno);
    if (S_ISDIR(info.st_mode)) return ErrorCode::kAccessDenied;
    if (mode.lock != FileLock::kNone) {
        int error = 0;
        switch (TakeLock(fd, mode.lock, error)) {
            case LockResult::kTaken:
            case LockResult::kUnsupported: break;
            case LockResult::kConflict: return ErrorCode::kSharingViolation;
            case LockResult::kFailed: return ErrorCodeFromErrno(error);
        }
    }
    // Emptied only once locked, so a file held elsewhere is never truncated.
    if (mode.disposition == FileDisposition::kCreateAlways && ::ftruncate(fd, 0) != 0) {
        return ErrorCodeFromErrno(errno);
    }
    handle = std::move(opened);
    return 0;
}

std::uint32_t PosixFileSystem::Stat(const std::string& path) {
    if (HasNul(path)) return ErrorCode::kInvalidName;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return CodeFor(errno, path);
    return 0;
}

std::uint32_t PosixFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
    if (HasNul(from) || HasNul(to)) return ErrorCode::kInvalidName;
    // A shared lock on the source, kept until the rename is done: refused
    // while a note holds the file, and it keeps anyone from taking it meanwhile.
    const int probe = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    const FdGuard closeProbe(probe);
    if (probe >= 0) {
        int error = 0;
        if (TakeLock(probe, FileLock::kShared, error) == LockResult::kConflict) {
            return ErrorCode::kSharingViolation;
        }
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
        error = LinkAndUnlink(from.c_str(), to.c_str());
        if (error == 0) return 0;
    }
    return CodeFor(error, from);
}

std::uint32_t PosixFileSystem::Remove(const std::string& path) {
    if (HasNul(path)) return ErrorCode::kInvalidName;
    if (::unlink(path.c_str()) != 0) return CodeFor(errno, path);
    return 0;
}

std::uint32_t PosixFileSystem::SyncFolderOf(const std::string& path) {
    const std::string folder = ParentFolder(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return CodeFor(errno, folder);
    const FdGuard closeFolder(fd);
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return ErrorCodeFromErrno(errno);
    return 0;
}

}  // namespace tidemark
