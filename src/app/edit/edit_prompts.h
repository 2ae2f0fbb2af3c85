#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "core/common/colour.h"

// The questions the item commands put to the user. The window answers with
// real dialogs (DialogEditPrompts); tests answer directly.
class EditPrompts {
public:
    struct SortChoice {
        int key = 1;  // SortKey
        bool wholeNote = false;
        bool recursive = false;
        bool descending = false;
    };

    virtual ~EditPrompts() = default;
    // Message 13002: Yes to delete.
    virtual bool confirmDelete() = 0;
    // An error message `stringId`, its %s filled with `name`.
    virtual void showError(std::uint32_t stringId, const QString& name) = 0;
    // An information message (no icon), likewise. Prompts that have no box
    // of their own for it show it as an error, so that it is never lost.
    virtual void showInformation(std::uint32_t stringId, const QString& name) {
        showError(stringId, name);
    }
    // The colour dialog; `custom` holds the note's 16 custom colours and
    // takes back what the user made of them. Nothing on cancel.
    virtual std::optional<tidemark::Colour> chooseColour(
        std::optional<tidemark::Colour> initial, std::array<tidemark::Colour, 16>& custom) = 0;
    // Dialog 137 preset with `choice`; false on cancel.
    virtual bool chooseSort(const QString& groupTitle, const QString& remarksCaption,
                            SortChoice& choice) = 0;
    // Dialog 135 with the current remarks; nothing on cancel, "" to clear.
    virtual std::optional<QString> editRemarks(const QString& current) = 0;
    // Dialog 136 with the current caption; the trimmed new caption.
    virtual std::optional<QString> editCaption(const QString& current) = 0;
};
