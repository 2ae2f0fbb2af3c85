#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tidemark {

// Integer types a message argument accepts: character types and bool are left out, so that
// a stray 'x' or flag does not turn into a number.
template <typename T>
concept MessageInteger = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                         !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
                         !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

// One argument of FormatText: UTF-8 text or an integer. A text argument only views its
// characters, so arguments are meant to be built in the call itself and not kept.
class MessageArg {
public:
    MessageArg(std::string_view text) : m_text(text), m_isText(true) {}  // NOLINT: implicit
    MessageArg(const char* text)  // NOLINT: implicit on purpose; a null pointer is empty text
        : MessageArg(text ? std::string_view(text) : std::string_view()) {}
    MessageArg(const std::string& text) : MessageArg(std::string_view(text)) {}  // NOLINT

    template <MessageInteger T>
    MessageArg(T value)  // NOLINT: implicit on purpose
        : m_bits(static_cast<std::uint64_t>(value)),
          m_bitWidth(static_cast<int>(sizeof(T) * 8)),
          m_signed(std::signed_integral<T>) {}

    bool IsText() const { return m_isText; }
    std::string_view Text() const { return m_text; }

    // The integer's bits, sign-extended to 64 bits for signed types.
    std::uint64_t Bits() const { return m_bits; }
    // Width of the type the integer came from (8 to 64): "%u" and "%x" show a negative
    // value as its two's complement at this width, as C does for an argument of that type.
    int BitWidth() const { return m_bitWidth; }
    bool IsNegative() const { return m_signed && static_cast<std::int64_t>(m_bits) < 0; }

private:
    std::string_view m_text;
    std::uint64_t m_bits = 0;
    int m_bitWidth = 0;
    bool m_signed = false;
    bool m_isText = false;
};

// Fills `pattern` the way the message texts expect (a wsprintf-like subset):
//   %s  text; an integer argument is written in decimal
//   %d %i  decimal with sign (an unsigned argument keeps its value); %u unsigned decimal;
//   %x %X  hexadecimal; %% a percent sign;
//   flags "-" (left-justify), "0" (pad numbers with zeros), "#" (0x before hexadecimal),
//   a width, a precision (".n": least digits of a number, most characters of a text), and
//   an "l" before d, i, u, x or X, which changes nothing.
// Widths and precisions of texts count UTF-8 characters, not bytes. Directives take the
// arguments in order. A directive that is not understood, has no argument left, or meets
// text where it wants a number is copied unchanged (a mismatched argument is still used
// up), and so is a width or precision above 4096. Arguments left over are ignored.
std::string FormatText(std::string_view pattern, std::span<const MessageArg> args);

inline std::string FormatText(std::string_view pattern, std::initializer_list<MessageArg> args) {
    return FormatText(pattern, std::span<const MessageArg>(args.begin(), args.size()));
}

// FormatText applied to the string table's text `id`; empty for an unknown id.
std::string FormatString(std::uint32_t id, std::initializer_list<MessageArg> args);

}  // namespace tidemark
