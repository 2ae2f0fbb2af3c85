#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tidemark {

// String ids of the errors the automation objects raise. The id is also the
// error's number as scripts and outside clients see it.
namespace AutomationErrorId {
inline constexpr std::uint32_t kSource = 20038;  // the source text of every error
inline constexpr std::uint32_t kFileRead = 20044;
inline constexpr std::uint32_t kFileWrite = 20045;
inline constexpr std::uint32_t kFileDelete = 20046;
inline constexpr std::uint32_t kEmptyRemarks = 20047;
inline constexpr std::uint32_t kBadColour = 20048;
inline constexpr std::uint32_t kNoFocusItem = 20049;
inline constexpr std::uint32_t kNoSelectedItem = 20050;
inline constexpr std::uint32_t kTitleTooLong = 20051;
inline constexpr std::uint32_t kRemarksTooLong = 20052;
inline constexpr std::uint32_t kAccessDenied = 20053;
inline constexpr std::uint32_t kBadPosition = 20054;
inline constexpr std::uint32_t kNoItemAtIndex = 20055;
inline constexpr std::uint32_t kBadType = 20056;
inline constexpr std::uint32_t kCreateFailed = 20057;
inline constexpr std::uint32_t kDeleted = 20059;
inline constexpr std::uint32_t kBadItem = 20060;
inline constexpr std::uint32_t kMoveBelowMemo = 20061;
inline constexpr std::uint32_t kBadMovePlace = 20062;
inline constexpr std::uint32_t kBodyTooLong = 20063;
inline constexpr std::uint32_t kOutOfMemory = 20070;
inline constexpr std::uint32_t kCreateInLocked = 20081;
inline constexpr std::uint32_t kMoveIntoLocked = 20084;
inline constexpr std::uint32_t kNoteNotMade = 20089;
inline constexpr std::uint32_t kNotForWindowNote = 20090;
inline constexpr std::uint32_t kIoError = 20091;
inline constexpr std::uint32_t kNoFileName = 20092;
inline constexpr std::uint32_t kReadOnly = 20095;
inline constexpr std::uint32_t kHeldByOtherProcess = 20096;
inline constexpr std::uint32_t kUnstorableText = 20100;
}  // namespace AutomationErrorId

// An error a member raises, as a value: the string id of its message, the
// text that fills its "%s" and, for the messages that have one, the number
// that fills its "%d" (the file object's error code, 20070's place).
struct AutomationError {
    std::uint32_t stringId = 0;
    std::string argument;
    std::optional<std::int64_t> code;

    // The message as the user reads it (UTF-8), from the string table.
    std::string Message() const;
    // The text naming where errors come from ("Tidemarkスクリプト実行時エラー").
    static std::string Source();

    friend bool operator==(const AutomationError&, const AutomationError&) = default;
};

// A member's outcome: its value or the error it raised. Result<void> carries
// only the error, if any.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit
    Result(AutomationError error)                                           // NOLINT: implicit
        : m_state(std::in_place_index<1>, std::move(error)) {}

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }
    // Only when Ok().
    const T& Value() const& { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    // Only when not Ok().
    const AutomationError& Error() const { return std::get<1>(m_state); }

private:
    std::variant<T, AutomationError> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(AutomationError error) : m_error(std::move(error)) {}  // NOLINT: implicit

    bool Ok() const { return !m_error; }
    explicit operator bool() const { return Ok(); }
    const AutomationError& Error() const { return *m_error; }

private:
    std::optional<AutomationError> m_error;
};

using Status = Result<void>;

// Shorthands for raising.
AutomationError Raise(std::uint32_t stringId, std::string argument = {});
AutomationError RaiseWithNumber(std::uint32_t stringId, std::int64_t number);

}  // namespace tidemark
