#pragma once

#include <string_view>

namespace tidemark {

// The file name part of `path`: what follows the last "/" or "\" (the whole path when there is
// none). With `dropExtension`, the name is also cut at its last "." (so ".profile" gives an
// empty name). The path is walked by CP932 characters, so the trail byte 0x5C of a character
// such as "表" is not taken for a separator. The result is a view into `path`.
std::string_view FileNameOfPath(std::string_view path, bool dropExtension);

}  // namespace tidemark
