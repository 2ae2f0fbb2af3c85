#pragma once

#include <cstdint>

namespace tidemark {

// The one translation from `errno` values to the error codes that file code
// reports (core/common/error_code.h) and that messages are chosen by.
// Values without a counterpart of their own are passed on with bit 29 set
// (0x20000000 + errno), so they never pose as one of the system's codes.
std::uint32_t ErrorCodeFromErrno(int error);

}  // namespace tidemark
