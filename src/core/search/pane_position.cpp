#include "core/search/pane_position.h"

#include "core/search/search_text.h"

namespace tidemark {

std::size_t PaneCharLength(std::string_view body, std::size_t offset) {
    if (offset + 1 < body.size() && body[offset] == '\r' && body[offset + 1] == '\n')
        return 2;
    return SearchCharLength(body, offset);
}

std::size_t PanePositionOf(std::string_view body, std::size_t offset) {
    std::size_t position = 0;
    for (std::size_t at = 0; at < body.size();) {
        const std::size_t next = at + PaneCharLength(body, at);
        if (next > offset)
            break;
        at = next;
        ++position;
    }
    return position;
}

std::size_t BodyOffsetOf(std::string_view body, std::size_t position) {
    std::size_t at = 0;
    for (; position > 0 && at < body.size(); --position)
        at += PaneCharLength(body, at);
    return at;
}

}  // namespace tidemark
