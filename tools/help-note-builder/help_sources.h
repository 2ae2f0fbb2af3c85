#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tidemark::help {

// A fault in the help note's sources: the message names the file and line.
class HelpSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One line of the manifest: an item of the help note.
struct ManifestEntry {
    std::uint32_t id = 0;    // the item id, which is also the help topic
    std::string source;      // "folder/" for a memo group, "folder/page.txt" for a memo
    std::string groupTitle;  // memo groups only (UTF-8)
    int line = 0;            // where it stands in the manifest

    bool IsGroup() const { return !source.empty() && source.back() == '/'; }
    // The folder of the group that holds this item ("" for the root).
    std::string Folder() const;
};

// The manifest: the root's title and every other item in the order in which
// the items follow each other inside their groups.
struct Manifest {
    std::string rootTitle;
    std::vector<ManifestEntry> entries;
};

// Reads the manifest text. Syntax, one item per line, blank lines and lines
// starting with "#" ignored:
//
//   root  TITLE            the first line: the title of the root group
//   ID    FOLDER/  TITLE   a memo group; its pages live in FOLDER/
//   ID    PATH.txt         a memo; its title and body come from the file
//
// IDs are decimal, unique, 2 to 2147483647 (1 is the root). Paths are
// relative, use "/" and no "." or ".." steps, and an item lies in a folder
// only when that folder's group stands on an earlier line.
// Throws HelpSourceError.
Manifest ParseManifest(std::string_view text, const std::string& name);

// A page: its title and body (UTF-8, the body's lines joined by CR LF).
struct Page {
    std::string title;
    std::string body;
};

// Reads a page file: the first line is the title, an empty line may follow,
// the rest is the body; trailing empty lines are dropped. An empty file or
// an empty title is an error. Throws HelpSourceError.
Page ParsePage(std::string_view text, const std::string& name);

}  // namespace tidemark::help
