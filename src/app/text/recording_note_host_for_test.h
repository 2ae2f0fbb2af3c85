#pragma once

#include "core/model/note_host.h"

// A note host for the text pane's tests: counts the changes the user made.
class RecordingNoteHost : public tidemark::NoteHost {
public:
    void SetModified(bool modified, bool byUser) override {
        if (modified && byUser)
            ++userChanges;
    }
    void ReportOutOfMemory(std::uint32_t) override {}
    bool EncryptGroupContents(tidemark::ItemId, const tidemark::ByteString&) override {
        return false;
    }
    bool DecryptGroupContents(tidemark::ItemId, const tidemark::ByteString&) override {
        return false;
    }
    bool IsReadOnly() const override { return false; }
    const tidemark::Settings* GetOptions() const override { return nullptr; }

    int userChanges = 0;
};
