#include "core/common/path_compare.h"

#include "core/common/sjis.h"

namespace tidemark {

bool SamePath(std::string_view a, std::string_view b) {
    if constexpr (kPathsIgnoreCase)
        return CompareTextNoCase(a, b) == 0;
    return a == b;
}

}  // namespace tidemark
