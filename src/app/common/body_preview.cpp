#include "app/common/body_preview.h"

#include <algorithm>

#include "core/common/sjis.h"

std::string bodyPreview(std::string_view body) {
    const std::size_t lineEnd = std::min(body.find_first_of("\r\n"), body.size());
    const std::string_view line = body.substr(0, lineEnd);
    const std::size_t keep = line.size() <= kBodyPreviewWhole
                                 ? line.size()
                                 : tidemark::SafeCutLength(line, kBodyPreviewCut);
    std::string preview(line.substr(0, keep));
    // Trail bytes of double-byte characters are never below 0x40, so a byte
    // below 0x20 is always a character of its own.
    for (char& c : preview) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    const std::size_t more = body.find_first_not_of("\r\n", lineEnd);
    if (lineEnd < body.size() && more != std::string_view::npos)
        preview += " ...";
    return preview;
}

std::string infoTipText(std::string_view body) {
    std::string_view tip = body.substr(0, tidemark::SafeCutLength(body, kInfoTipBytes - 1));
    const std::size_t last = tip.find_last_not_of(" \t\r\n");
    tip = last == std::string_view::npos ? std::string_view() : tip.substr(0, last + 1);
    return std::string(tip);
}
