#include "platform/posix/errno_codes.h"

#include <cerrno>

#include "core/common/error_code.h"
#include "core/file/file_system.h"

namespace tidemark {

namespace {
// System codes without a named constant elsewhere.
constexpr std::uint32_t kTooManyOpenFiles = 4;
constexpr std::uint32_t kInvalidHandle = 6;
constexpr std::uint32_t kNotSameDevice = 17;
constexpr std::uint32_t kFileTooLarge = 223;
constexpr std::uint32_t kIoDevice = 1117;
constexpr std::uint32_t kCustomerBit = 0x20000000;
}  // namespace

std::uint32_t ErrorCodeFromErrno(int error) {
    switch (error) {
        case 0: return 0;
        case ENOENT: return ErrorCode::kFileNotFound;
        case ENOTDIR: return ErrorCode::kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return ErrorCode::kAccessDenied;
        case ENOMEM: return ErrorCode::kNotEnoughMemory;
        case EAGAIN:
        case ETXTBSY: return ErrorCode::kSharingViolation;
        case ENOSPC:
        case EDQUOT: return ErrorCode::kDiskFull;
        case ENAMETOOLONG:
        case EILSEQ: return ErrorCode::kInvalidName;
        case EINVAL: return ErrorCode::kInvalidParameter;
        case EEXIST:
        case ENOTEMPTY: return FileSystem::kAlreadyExists;
        case EMFILE:
        case ENFILE: return kTooManyOpenFiles;
        case EBADF: return kInvalidHandle;
        case EXDEV: return kNotSameDevice;
        case EFBIG: return kFileTooLarge;
        case EIO: return kIoDevice;
        default: return kCustomerBit | static_cast<std::uint32_t>(error);
    }
}

}  // namespace tidemark
