#pragma once

#include <QSettings>

#include "core/settings/value_store.h"

// The product's value store on top of QSettings: organisation "Corvane",
// application "Tidemark". The user scope is the per-user store that the
// program reads and writes (on Windows the registry key
// HKEY_CURRENT_USER\Software\Corvane\Tidemark itself; on Linux
// ~/.config/Corvane/Tidemark.conf). The system scope is the machine-wide
// store (HKEY_LOCAL_MACHINE), which the program only reads: its setters
// change nothing and return false. The two scopes never see each other's
// values.
//
// Values are kept as byte arrays, so every byte comes back as written. A
// value written as text by hand or by an installer is read as its UTF-8
// bytes. Each query first picks up changes that other processes saved.
// A store whose file cannot be read or written behaves as unopenable: queries
// find nothing and writes report false.
//
// Use from one thread (the main thread of the process).
class QSettingsValueStore : public tidemark::ValueStore {
public:
    enum class Scope { User, System };

    explicit QSettingsValueStore(Scope scope = Scope::User);

    std::optional<std::vector<std::uint8_t>> QueryBinary(std::string_view name) const override;
    std::optional<tidemark::ByteString> QueryString(std::string_view name) const override;
    bool SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool SetString(std::string_view name, std::string_view text) override;
    bool DeleteValue(std::string_view name) override;
    std::vector<std::string> ValueNames() const override;

    // The file (or registry path) behind the store.
    QString fileName() const { return m_settings.fileName(); }

private:
    bool refresh() const;
    bool write(std::string_view name, const QByteArray& bytes);

    mutable QSettings m_settings;
    Scope m_scope;
};
