#pragma once

#include <cstdint>
#include <string>

#include "core/model/item_id.h"
#include "core/textio/export_template.h"

namespace tidemark {

class ByteStream;
class Note;

// Text export: a chain of sibling items written out through the memo and memo group templates.
//
// Each item of the chain, in order, goes through the group template when it is a memo group
// and through the memo template otherwise. A reference is written with its target's data;
// the contents of a group reached through a reference are the reference's own children (a
// working tree mirrors the target's subtree below its reference). The "%s" of a group writes
// its children the same way, in order; it writes nothing for a locked group whose password is
// not held, since its contents are encrypted. An item whose own texts are encrypted, and a
// reference whose target is gone, write nothing at all.
//
// Nothing is converted: the output is the note's CP932 text with the line breaks that the
// templates and bodies hold. The walk keeps its own stack, so the depth of the tree costs no
// machine stack; a damaged chain that loops is cut off instead of being written forever.
//
// Output goes to `out` in large chunks (small pieces are gathered first, a large body is
// handed on in one call). The caller opens the stream and closes it afterwards.

// Writes the chain that starts at `first`. Returns 0, or the code of the first write that
// failed (what was written before it stays written); 8 when memory runs out.
std::uint32_t ExportItems(const Note& note, ItemId first, const ExportFormats& formats,
                          ByteStream& out);

// The whole note: the chain of the root's first child.
std::uint32_t ExportNote(const Note& note, const ExportFormats& formats, ByteStream& out);

// The export of the chain as one CP932 text, for the clipboard and for printing. Throws
// std::bad_alloc when memory runs out.
std::string ExportItemsToText(const Note& note, ItemId first, const ExportFormats& formats);

}  // namespace tidemark
