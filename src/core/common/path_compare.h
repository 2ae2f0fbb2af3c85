#pragma once

#include <string_view>

namespace tidemark {

// Whether the file system tells names apart by case: not on Windows, where
// "A.tmk" and "a.tmk" are one file; everywhere else they are two.
#ifdef _WIN32
inline constexpr bool kPathsIgnoreCase = true;
#else
inline constexpr bool kPathsIgnoreCase = false;
#endif

// Two note paths (CP932) name the same file, as the file system compares names.
bool SamePath(std::string_view a, std::string_view b);

}  // namespace tidemark
