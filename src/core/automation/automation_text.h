#pragma once

#include <string>
#include <string_view>

#include "core/automation/automation_error.h"
#include "core/common/byte_string.h"

namespace tidemark {

// Text crossing the automation boundary: UTF-8 outside, the note's CP932
// inside.

// The note's bytes for a caller's text. A text with characters CP932 cannot
// hold is refused (20100, naming each such character once, in order):
// storing it with the characters left out would change it unseen.
Result<ByteString> TextIntoNote(std::string_view utf8);
std::string TextOutOfNote(std::string_view cp932);

// Bodies are stored with CR LF line ends and handed out with LF only:
// every LF without a CR before it gains one; going out, every CR goes.
std::string WithCrLf(std::string_view text);
std::string WithoutCr(std::string_view text);

// UTF-8 for a run of characters.
std::string Utf8Of(std::u32string_view characters);

}  // namespace tidemark
