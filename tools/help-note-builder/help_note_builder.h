#pragma once

#include <filesystem>
#include <memory>
#include <span>

#include "core/model/note.h"

namespace tidemark::help {

// The name of the manifest inside the source folder.
inline constexpr const char* kManifestName = "manifest.list";

// The help note described by the sources in `folder`: the
// manifest and one UTF-8 page file per memo. Every item gets the id the
// manifest gives it and the same fixed modified time, so the same sources
// always give the same file. Fails (HelpSourceError) when a source cannot be
// read, a text has a character that Shift-JIS cannot hold, a title is longer
// than an item allows, a page file in the folder is missing from the
// manifest, or one of `requiredTopics` has no item.
std::unique_ptr<Note> BuildHelpNote(const std::filesystem::path& folder,
                                    std::span<const int> requiredTopics);

}  // namespace tidemark::help
