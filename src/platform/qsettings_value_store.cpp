#include "platform/qsettings_value_store.h"

#include <algorithm>

namespace {

const QString kOrganisation = QStringLiteral("Corvane");
const QString kApplication = QStringLiteral("Tidemark");

QString keyOf(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QSettingsValueStore::QSettingsValueStore(Scope scope)
    : m_settings(QSettings::NativeFormat,
                 scope == Scope::User ? QSettings::UserScope : QSettings::SystemScope,
                 kOrganisation, kApplication),
      m_scope(scope) {
    // A user value must not be answered from the machine-wide store, nor
    // from an organisation-wide file.
    m_settings.setFallbacksEnabled(false);
}

// Re-reads the file when another process changed it. False when the store
// cannot be used.
bool QSettingsValueStore::refresh() const {
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

std::optional<std::vector<std::uint8_t>> QSettingsValueStore::QueryBinary(
    std::string_view name) const {
    if (!refresh())
        return std::nullopt;
    QVariant value = m_settings.value(keyOf(name));
    if (!value.isValid())
        return std::nullopt;
    QByteArray bytes = value.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::optional<tidemark::ByteString> QSettingsValueStore::QueryString(std::string_view name) const {
    std::optional<std::vector<std::uint8_t>> bytes = QueryBinary(name);
    if (!bytes)
        return std::nullopt;
    auto end = std::find(bytes->begin(), bytes->end(), std::uint8_t{0});
    return tidemark::ByteString(bytes->data(), static_cast<std::size_t>(end - bytes->begin()));
}

bool QSettingsValueStore::write(std::string_view name, const QByteArray& bytes) {
    if (name.empty() || m_scope == Scope::System || !refresh())
        return false;
    m_settings.setValue(keyOf(name), bytes);
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

bool QSettingsValueStore::SetBinary(std::string_view name, std::span<const std::uint8_t> bytes) {
    return write(name, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                  static_cast<qsizetype>(bytes.size())));
}

bool QSettingsValueStore::SetString(std::string_view name, std::string_view text) {
    return write(name, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

bool QSettingsValueStore::DeleteValue(std::string_view name) {
    // QSettings takes an empty key as "everything".
    if (name.empty() || m_scope == Scope::System || !refresh())
        return false;
    m_settings.remove(keyOf(name));
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

std::vector<std::string> QSettingsValueStore::ValueNames() const {
    std::vector<std::string> names;
    if (!refresh())
        return names;
    for (const QString& key : m_settings.childKeys())
        names.push_back(key.toStdString());
    return names;
}
