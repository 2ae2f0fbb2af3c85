#include "help_sources.h"

#include <charconv>
#include <set>

namespace tidemark::help {
namespace {

constexpr std::uint32_t kRootId = 1;
constexpr std::uint32_t kMaxId = 0x7FFFFFFF;

[[noreturn]] void Fail(const std::string& name, int line, const std::string& what) {
    throw HelpSourceError(name + ":" + std::to_string(line) + ": " + what);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits off the next field; `rest` keeps what follows, without leading blanks.
std::string_view NextField(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    return field;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool IsSafePath(std::string_view path) {
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string_view::npos)
        return false;
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view step = rest.substr(0, slash);
        if (step.empty() || step == "." || step == "..") return false;
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return true;
}

}  // namespace

std::string ManifestEntry::Folder() const {
    const std::string_view path = IsGroup() ? std::string_view(source).substr(0, source.size() - 1)
                                            : std::string_view(source);
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

Manifest ParseManifest(std::string_view text, const std::string& name) {
    Manifest manifest;
    bool haveRoot = false;
    std::set<std::uint32_t> ids;
    std::set<std::string> folders{""};
    std::set<std::string> sources;
    int number = 0;
    for (std::string_view line : Lines(text)) {
        ++number;
        line = TrimRight(line);
        while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
        if (line.empty() || line.front() == '#') continue;

        std::string_view rest = line;
        const std::string_view first = NextField(rest);
        if (!haveRoot) {
            if (first != "root" || rest.empty())
                Fail(name, number, "the first item must be \"root TITLE\"");
            manifest.rootTitle = std::string(rest);
            haveRoot = true;
            continue;
        }
        ManifestEntry entry;
        entry.line = number;
        std::uint32_t id = 0;
        const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), id);
        if (error != std::errc() || end != first.data() + first.size())
            Fail(name, number, "\"" + std::string(first) + "\" is not an item id");
        if (id <= kRootId || id > kMaxId)
            Fail(name, number, "item id " + std::string(first) + " is out of range (2 to 2147483647)");
        if (!ids.insert(id).second) Fail(name, number, "item id " + std::to_string(id) + " is used twice");
        entry.id = id;

        entry.source = std::string(NextField(rest));
        if (entry.source.empty()) Fail(name, number, "the item has no source");
        const std::string_view path = entry.IsGroup()
                                          ? std::string_view(entry.source).substr(0, entry.source.size() - 1)
                                          : std::string_view(entry.source);
        if (!IsSafePath(path)) Fail(name, number, "\"" + entry.source + "\" is not a relative path");
        if (!sources.insert(entry.source).second)
            Fail(name, number, "\"" + entry.source + "\" is listed twice");
        if (entry.IsGroup()) {
            if (rest.empty()) Fail(name, number, "the memo group " + entry.source + " has no title");
            entry.groupTitle = std::string(rest);
        } else {
            if (!rest.empty()) Fail(name, number, "a memo takes its title from its file");
            if (!entry.source.ends_with(".txt"))
                Fail(name, number, "the page \"" + entry.source + "\" is not a .txt file");
        }
        if (!folders.contains(entry.Folder()))
            Fail(name, number, "no memo group on an earlier line holds \"" + entry.source + "\"");
        if (entry.IsGroup()) folders.insert(entry.source);
        manifest.entries.push_back(std::move(entry));
    }
    if (!haveRoot) Fail(name, number > 0 ? number : 1, "the manifest has no root line");
    return manifest;
}

Page ParsePage(std::string_view text, const std::string& name) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte order mark
    std::vector<std::string_view> lines = Lines(text);
    for (std::string_view& line : lines) line = TrimRight(line);
    if (lines.empty() || lines.front().empty()) Fail(name, 1, "the first line must be the page's title");
    Page page;
    page.title = std::string(lines.front());
    std::size_t first = 1;
    if (first < lines.size() && lines[first].empty()) ++first;
    std::size_t last = lines.size();
    while (last > first && lines[last - 1].empty()) --last;
    for (std::size_t i = first; i < last; ++i) {
        if (i > first) page.body += "\r\n";
        page.body += lines[i];
    }
    return page;
}

}  // namespace tidemark::help
