#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tidemark::tool {

// A small streaming JSON writer: commas and nesting are its business.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : m_out(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(std::string_view key);
    void String(std::string_view utf8);
    void Number(std::int64_t value);
    void Bool(bool value);

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string& m_out;
    bool m_needComma = false;
    bool m_afterKey = false;
};

}  // namespace tidemark::tool
