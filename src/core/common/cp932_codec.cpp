#include "core/common/cp932_codec.h"

#if defined(_WIN32)
#error "The Windows build converts with MultiByteToWideChar(932) / WideCharToMultiByte(932)."
#endif

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "core/common/sjis.h"

namespace tidemark {
namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr char32_t kReplacement = U'\uFFFD';

bool IsTrailByte(std::uint8_t byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// One iconv descriptor, opened on first use and reset before each conversion.
class Descriptor {
  public:
    Descriptor(const char* to, const char* from) : m_to(to), m_from(from) {}
    ~Descriptor() {
        if (m_open)
            iconv_close(m_cd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    iconv_t Get() {
        if (!m_open) {
            m_cd = iconv_open(m_to, m_from);
            if (m_cd == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
                throw std::runtime_error(std::string("iconv cannot convert from ") + m_from +
                                         " to " + m_to);
            }
            m_open = true;
        } else {
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return m_cd;
    }

  private:
    const char* m_to;
    const char* m_from;
    iconv_t m_cd{};
    bool m_open = false;
};

struct Descriptors {
    Descriptor toUtf8{kUtf8, kCp932};
    Descriptor toUtf16{kUtf16, kCp932};
    Descriptor fromUtf8{kCp932, kUtf8};
    Descriptor fromUtf16{kCp932, kUtf16};
};

Descriptors& ThreadDescriptors() {
    thread_local Descriptors descriptors;
    return descriptors;
}

// What to do with an input sequence the converter refused: skip `skip` (at least 1) input
// bytes and write `replacement` (bytes in the output encoding) in its place.
struct Rejection {
    std::size_t skip;
    std::string_view replacement;
};

// Converts all of `input` into `out` (a string of the output's code units), handing every
// refused sequence to `reject(const char* at, std::size_t remaining)`.
template <class OutString, class Reject>
void Convert(iconv_t cd, std::string_view input, std::size_t unitsGuess, OutString& out,
             Reject reject) {
    using Unit = typename OutString::value_type;
    out.resize(unitsGuess + 16);
    std::size_t used = 0;  // bytes written
    auto room = [&](std::size_t bytes) {
        if (out.size() * sizeof(Unit) - used < bytes)
            out.resize(out.size() * 2 + bytes);
    };
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* base = reinterpret_cast<char*>(out.data());
        char* outPtr = base + used;
        std::size_t outLeft = out.size() * sizeof(Unit) - used;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - base);
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            room(out.size() * sizeof(Unit) - used + 16);
        } else if (errno == EILSEQ || errno == EINVAL) {
            const Rejection r = reject(static_cast<const char*>(in), inLeft);
            if (!r.replacement.empty()) {
                room(r.replacement.size());
                std::memcpy(reinterpret_cast<char*>(out.data()) + used, r.replacement.data(),
                            r.replacement.size());
                used += r.replacement.size();
            }
            const std::size_t skip = r.skip < inLeft ? r.skip : inLeft;
            in += skip;
            inLeft -= skip;
        } else {
            throw std::runtime_error("iconv failed while converting text");
        }
    }
    out.resize(used / sizeof(Unit));
}

template <class Replacement>
Rejection RejectCp932(const char* at, std::size_t remaining, const Replacement& replacement) {
    const std::string_view bytes(reinterpret_cast<const char*>(&replacement), sizeof replacement);
    const auto first = static_cast<std::uint8_t>(at[0]);
    if (IsLeadByte(first) && remaining >= 2 && IsTrailByte(static_cast<std::uint8_t>(at[1]))) {
        return {2, bytes};
    }
    return {1, bytes};
}

// Decodes one UTF-8 sequence. Returns its length and sets `cp`; for a malformed sequence sets
// U+FFFD and returns the length of its longest valid-looking prefix (at least 1).
std::size_t DecodeUtf8(const char* at, std::size_t remaining, char32_t& cp) {
    const auto b0 = static_cast<std::uint8_t>(at[0]);
    cp = kReplacement;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    char32_t value = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        value = b0 & 0x1Fu;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        value = b0 & 0x0Fu;
        if (b0 == 0xE0)
            low = 0xA0;
        if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        value = b0 & 0x07u;
        if (b0 == 0xF0)
            low = 0x90;
        if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= remaining)
            return i;
        const auto b = static_cast<std::uint8_t>(at[i]);
        if (b < low || b > high)
            return i;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (b & 0x3Fu);
    }
    cp = value;
    return length;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    Convert(ThreadDescriptors().toUtf8.Get(), cp932, cp932.size() * 3, out,
            [](const char* at, std::size_t remaining) {
                static constexpr char kFffd[] = {'\xEF', '\xBF', '\xBD'};
                return RejectCp932(at, remaining, kFffd);
            });
    return out;
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
    std::u16string out;
    Convert(ThreadDescriptors().toUtf16.Get(), cp932, cp932.size(), out,
            [](const char* at, std::size_t remaining) {
                static constexpr char16_t kFffd = u'\uFFFD';
                return RejectCp932(at, remaining, kFffd);
            });
    return out;
}

Cp932Text Utf8ToCp932(std::string_view utf8) {
    Cp932Text text;
    Convert(ThreadDescriptors().fromUtf8.Get(), utf8, utf8.size(), text.bytes,
            [&text](const char* at, std::size_t remaining) {
                char32_t cp = kReplacement;
                const std::size_t length = DecodeUtf8(at, remaining, cp);
                text.lost.push_back(cp);
                return Rejection{length, {}};
            });
    return text;
}

Cp932Text Utf16ToCp932(std::u16string_view utf16) {
    Cp932Text text;
    const std::string_view bytes(reinterpret_cast<const char*>(utf16.data()),
                                 utf16.size() * sizeof(char16_t));
    Convert(ThreadDescriptors().fromUtf16.Get(), bytes, utf16.size() * 2, text.bytes,
            [&text](const char* at, std::size_t remaining) {
                char16_t units[2] = {};
                std::memcpy(units, at, remaining >= 4 ? 4 : 2);
                std::size_t length = 1;
                char32_t cp = kReplacement;
                if (units[0] < 0xD800 || units[0] > 0xDFFF) {
                    cp = units[0];
                } else if (units[0] <= 0xDBFF && remaining >= 4 && units[1] >= 0xDC00 &&
                           units[1] <= 0xDFFF) {
                    cp = 0x10000 + ((char32_t(units[0]) - 0xD800) << 10) + (units[1] - 0xDC00);
                    length = 2;
                }
                text.lost.push_back(cp);
                return Rejection{length * sizeof(char16_t), {}};
            });
    return text;
}

}  // namespace tidemark
