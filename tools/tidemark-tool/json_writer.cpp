#include "json_writer.h"

#include <cstdio>

namespace tidemark::tool {

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_needComma) m_out += ',';
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    m_out += bracket;
    m_needComma = false;
}

void JsonWriter::Close(char bracket) {
    m_out += bracket;
    m_needComma = true;
}

void JsonWriter::Key(std::string_view key) {
    String(key);
    m_out += ':';
    m_afterKey = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    m_out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': m_out += "\\\""; break;
            case '\\': m_out += "\\\\"; break;
            case '\n': m_out += "\\n"; break;
            case '\r': m_out += "\\r"; break;
            case '\t': m_out += "\\t"; break;
            default:
                if (byte < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    m_out += escaped;
                } else {
                    m_out += c;
                }
        }
    }
    m_out += '"';
    m_needComma = true;
}

void JsonWriter::Number(std::int64_t value) {
    BeforeValue();
    m_out += std::to_string(value);
    m_needComma = true;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    m_out += value ? "true" : "false";
    m_needComma = true;
}

}  // namespace tidemark::tool
