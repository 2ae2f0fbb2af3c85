#pragma once

#include <cstdint>
#include <exception>

namespace tidemark {

// The error numbers that file and stream code reports. They keep the values
// of the system codes the program has always used, so messages and stored
// results stay comparable across platforms.
namespace ErrorCode {
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kInvalidFunction = 1;      // read after write on one open
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kNotEnoughMemory = 8;
inline constexpr std::uint32_t kSharingViolation = 32;    // another process holds the file
inline constexpr std::uint32_t kHandleEof = 38;           // data ended early, or is damaged
inline constexpr std::uint32_t kInvalidParameter = 87;
inline constexpr std::uint32_t kDiskFull = 112;
inline constexpr std::uint32_t kInvalidName = 123;
inline constexpr std::uint32_t kNotANoteFile = 0x80000001;
inline constexpr std::uint32_t kNewerVersion = 0x80000002;
}  // namespace ErrorCode

// Thrown by file, stream and serialisation code; the command that started the
// work catches it and shows the message for its code once.
class IoError : public std::exception {
public:
    explicit IoError(std::uint32_t code) : m_code(code) {}
    std::uint32_t Code() const { return m_code; }
    const char* what() const noexcept override { return "tidemark I/O error"; }

private:
    std::uint32_t m_code;
};

}  // namespace tidemark
