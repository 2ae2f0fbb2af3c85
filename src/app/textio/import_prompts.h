#pragma once

#include <QString>
#include <cstdint>

// The questions and messages of a file import. The window answers with the
// program's dialogs and message boxes (DialogImportPrompts); tests answer
// directly.
class ImportPrompts {
public:
    // What to do with a file that is neither a text file nor an internet
    // shortcut (dialog 31007).
    enum class OtherFileChoice {
        kImportAsText,  // its content becomes a memo's body
        kLinkMemo,      // a memo linking to the file
        kSkip,          // nothing for this file
        kAbort,         // end the whole import here
    };

    virtual ~ImportPrompts() = default;
    // Asks about the file at `path` (absolute).
    virtual OtherFileChoice askOtherFile(const QString& path) = 0;
    // An error message `stringId`, its %s filled with `name` when not empty.
    virtual void showError(std::uint32_t stringId, const QString& name) = 0;
    // An information message (no icon), likewise.
    virtual void showInformation(std::uint32_t stringId, const QString& name) = 0;
    // The message for a failed file operation (IoError code) on `path`.
    virtual void showIoError(std::uint32_t code, const QString& path) = 0;
};
