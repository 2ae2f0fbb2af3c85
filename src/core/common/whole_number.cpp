#include "core/common/whole_number.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace tidemark {

namespace {

constexpr std::size_t kReadLength = 14;

}  // namespace

std::optional<long> ReadWholeNumber(std::string_view typed) {
    const std::string head(typed.substr(0, kReadLength));
    if (head.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(head.c_str(), &end, 0);
    if (end == head.c_str() || *end != '\0' || errno == ERANGE)
        return std::nullopt;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return value;
}

}  // namespace tidemark
