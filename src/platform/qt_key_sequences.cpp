#include "platform/qt_key_sequences.h"

#include <QSet>

#include "core/settings/key_names.h"

namespace {

// Virtual-key codes of the assignable keys that are not letters or digits.
constexpr std::uint16_t kVkEnter = 0x0D;
constexpr std::uint16_t kVkSpace = 0x20;
constexpr std::uint16_t kVkLeft = 0x25;
constexpr std::uint16_t kVkUp = 0x26;
constexpr std::uint16_t kVkRight = 0x27;
constexpr std::uint16_t kVkDown = 0x28;
constexpr std::uint16_t kVkF1 = 0x70;
constexpr std::uint16_t kVkF12 = 0x7B;

QList<int> qtKeysOf(std::uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return {key};  // same codes
    if (key >= kVkF1 && key <= kVkF12)
        return {Qt::Key_F1 + (key - kVkF1)};
    switch (key) {
        case kVkEnter:
            return {Qt::Key_Return, Qt::Key_Enter};
        case kVkSpace:
            return {Qt::Key_Space};
        case kVkLeft:
            return {Qt::Key_Left};
        case kVkUp:
            return {Qt::Key_Up};
        case kVkRight:
            return {Qt::Key_Right};
        case kVkDown:
            return {Qt::Key_Down};
        default:
            return {};
    }
}

Qt::KeyboardModifiers modifiersOf(std::uint8_t flags) {
    Qt::KeyboardModifiers modifiers;
    if (flags & tidemark::AccelFlag::kAlt)
        modifiers |= Qt::AltModifier;
    if (flags & tidemark::AccelFlag::kControl)
        modifiers |= Qt::ControlModifier;
    if (flags & tidemark::AccelFlag::kShift)
        modifiers |= Qt::ShiftModifier;
    return modifiers;
}

}  // namespace

QList<QKeySequence> keySequencesFor(std::uint8_t flags, std::uint16_t key) {
    QList<QKeySequence> sequences;
    if (key == 0 || !tidemark::AssignableKeyIndex(key))
        return sequences;
    for (int qtKey : qtKeysOf(key)) {
        sequences << QKeySequence(QKeyCombination(modifiersOf(flags), Qt::Key(qtKey)));
    }
    return sequences;
}

QMap<int, QList<QKeySequence>> shortcutsByCommand(const tidemark::KeyTable& table) {
    QMap<int, QList<QKeySequence>> shortcuts;
    QSet<QKeySequence> taken;
    for (const tidemark::KeyEntry& entry : table.Entries()) {
        QList<QKeySequence> sequences = keySequencesFor(entry.Flags, entry.Key);
        if (!sequences.isEmpty() && taken.contains(sequences.first()))
            sequences.clear();
        for (const QKeySequence& sequence : sequences)
            taken.insert(sequence);
        shortcuts.insert(entry.Command, sequences);
    }
    return shortcuts;
}
