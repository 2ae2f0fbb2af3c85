#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tidemark {

// An owned run of bytes in the note's text encoding (CP932), or ciphertext.
// The length is explicit: zero bytes are ordinary content. Conversion to other
// encodings happens only at the program's edges (see cp932_codec.h).
class ByteString {
public:
    ByteString() = default;
    ByteString(std::string_view bytes) : m_bytes(bytes) {}  // NOLINT: implicit on purpose
    ByteString(const char* text) : m_bytes(text) {}         // NOLINT: implicit on purpose
    ByteString(const void* data, std::size_t size)
        : m_bytes(static_cast<const char*>(data), size) {}
    explicit ByteString(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::size_t Size() const { return m_bytes.size(); }
    bool Empty() const { return m_bytes.empty(); }
    const char* Data() const { return m_bytes.data(); }
    char* MutableData() { return m_bytes.data(); }
    const std::uint8_t* Bytes() const {
        return reinterpret_cast<const std::uint8_t*>(m_bytes.data());
    }
    std::uint8_t At(std::size_t i) const { return static_cast<std::uint8_t>(m_bytes[i]); }

    std::string_view View() const { return m_bytes; }
    const std::string& Str() const { return m_bytes; }
    operator std::string_view() const { return m_bytes; }  // NOLINT: implicit on purpose

    void Resize(std::size_t size) { m_bytes.resize(size); }
    void Append(std::string_view bytes) { m_bytes.append(bytes); }

    // Overwrites the bytes with zeros before letting them go: used for passwords.
    void SecureClear();

    friend bool operator==(const ByteString& a, const ByteString& b) = default;
    friend bool operator==(const ByteString& a, std::string_view b) { return a.m_bytes == b; }

private:
    std::string m_bytes;
};

}  // namespace tidemark
