#pragma once

#include "core/common/byte_string.h"
#include "core/model/blowfish_cipher.h"
#include "core/model/item.h"

namespace tidemark {

class Note;

// Turns an item's title, remarks and (for a memo) body into encrypted values
// keyed by its check text, and sets the encrypted flag. Changes nothing and
// returns false on failure; an item already encrypted is left as it is.
// The cipher overloads let a group operation run the key schedule once.
bool EncryptItem(Item& item, const BlowfishCipher& cipher);
bool EncryptItem(Item& item, const ByteString& password);
// The reverse; false (nothing changed) when the password is wrong. The title
// is tried with each of the check texts ever written; the one that fits
// decrypts the remarks and the body.
bool DecryptItem(Item& item, const BlowfishCipher& cipher);
bool DecryptItem(Item& item, const ByteString& password);

// Encrypts or decrypts every item below the group, depth first in child
// order; false at the first failure. Encryption cannot fail part-way but
// for want of memory; a decryption that fails part-way encrypts the items it
// had already decrypted again, so the group stays wholly shut.
// Passwords shorter than 4 bytes fail at once.
bool EncryptGroupContents(Note& note, ItemId group, const ByteString& password);
bool DecryptGroupContents(Note& note, ItemId group, const ByteString& password);

}  // namespace tidemark
