// The key=value files of the program: one section, CR LF lines, a fixed key order when written.
// The settings file and the theme file describe their fields in a table; this reads and writes any
// record from such a table.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace moravel {

// Walks the lines of `text` and calls `onValue(key, value)` for every key line inside a section
// whose line, lower-cased, equals `sectionLine` (given in lower case, brackets included). The key
// comes lower-cased and trimmed; the value trimmed and stripped of one pair of enclosing double
// quotes. Only CR LF ends a line, and text after the last CR LF is not read. Returns true when a
// matching section line was read.
bool ReadKeyValues(
    std::string_view text, std::string_view sectionLine,
    const std::function<void(std::string_view key, std::string_view value)>& onValue);

enum class FieldKind {
    Text,        // written as it is
    QuotedText,  // written between double quotes, nothing escaped
    Integer,     // decimal
    Color,       // "&H" and eight hexadecimal digits
    Real,        // shortest decimal form
};

template <class Record>
struct FieldSpec {
    std::string_view key;  // as written; compared lower-cased
    FieldKind kind;
    std::string& (*text)(Record&) = nullptr;
    std::int32_t& (*integer)(Record&) = nullptr;
    double& (*real)(Record&) = nullptr;
    // A code (an enum of the program) goes through its number, here and nowhere else.
    std::int32_t (*getCode)(const Record&) = nullptr;
    void (*setCode)(Record&, std::int32_t) = nullptr;
    // A code whose line is written only when it is not 0 (a text: not empty): a key added in a
    // later release, so that a file of the settings it did not change stays as the earlier
    // release wrote it.
    bool omittedAtZero = false;
    // The value whose line is left out: 0, or a later key's default.
    std::int32_t omittedValue = 0;
};

template <class Record>
constexpr FieldSpec<Record> TextField(std::string_view key, FieldKind kind,
                                      std::string& (*ref)(Record&)) {
    return {key, kind, ref, nullptr, nullptr};
}

template <class Record>
constexpr FieldSpec<Record> NumberField(std::string_view key, FieldKind kind,
                                        std::int32_t& (*ref)(Record&)) {
    return {key, kind, nullptr, ref, nullptr};
}

template <class Record>
constexpr FieldSpec<Record> RealField(std::string_view key, double& (*ref)(Record&)) {
    return {key, FieldKind::Real, nullptr, nullptr, ref};
}

// A text of a later release, its line left out while it is empty.
template <class Record>
constexpr FieldSpec<Record> LaterTextField(std::string_view key, std::string& (*ref)(Record&)) {
    FieldSpec<Record> field = TextField<Record>(key, FieldKind::Text, ref);
    field.omittedAtZero = true;
    return field;
}

namespace detail {
template <auto Member>
struct CodeAccess;

// A code held in 32 bits. Any number of that width is a value of the enum, so what the file
// holds comes back out of the record as it went in.
template <class Record, class Code, Code Record::*Member>
struct CodeAccess<Member> {
    static_assert(std::is_enum_v<Code> &&
                  std::is_same_v<std::underlying_type_t<Code>, std::int32_t>);
    using RecordType = Record;
    static std::int32_t Get(const Record& r) { return static_cast<std::int32_t>(r.*Member); }
    static void Set(Record& r, std::int32_t number) { r.*Member = static_cast<Code>(number); }
};
}  // namespace detail

// The field `Member`, a code, written and read as a decimal integer.
template <auto Member>
constexpr auto CodeField(std::string_view key) {
    using Access = detail::CodeAccess<Member>;
    return FieldSpec<typename Access::RecordType>{key,     FieldKind::Integer, nullptr,     nullptr,
                                                  nullptr, &Access::Get,       &Access::Set};
}

// The same, its line left out while it is 0.
template <auto Member>
constexpr auto LaterCodeField(std::string_view key) {
    auto field = CodeField<Member>(key);
    field.omittedAtZero = true;
    return field;
}

namespace detail {
template <auto Member>
struct NumberAccess;

template <class Record, std::int32_t Record::*Member>
struct NumberAccess<Member> {
    using RecordType = Record;
    static std::int32_t Get(const Record& r) { return r.*Member; }
    static void Set(Record& r, std::int32_t number) { r.*Member = number; }
};
}  // namespace detail

// A number of a later release, its line left out while it holds `omitted`, its default.
template <auto Member>
constexpr auto LaterNumberField(std::string_view key, std::int32_t omitted) {
    using Access = detail::NumberAccess<Member>;
    FieldSpec<typename Access::RecordType> field{key,     FieldKind::Integer, nullptr,     nullptr,
                                                 nullptr, &Access::Get,       &Access::Set};
    field.omittedAtZero = true;
    field.omittedValue = omitted;
    return field;
}

// "&H" followed by exactly 8 upper-case hexadecimal digits of the 32-bit value.
std::string ColorToHex(std::int32_t color);

namespace detail {
// Applies one value to a field; a number that does not parse leaves the field as it was.
void ApplyValue(FieldKind kind, std::string* text, std::int32_t* integer, double* real,
                std::string_view value);
// Appends "key=value" and CR LF.
void AppendLine(std::string& out, std::string_view key, FieldKind kind, const std::string* text,
                const std::int32_t* integer, const double* real);
std::string ToLowerKey(std::string_view key);
}  // namespace detail

// Applies every recognised key of the section to `record` (which keeps what it held for the
// rest). Returns whether the section was found.
template <class Record>
bool ParseRecord(std::string_view text, std::string_view sectionLine,
                 std::span<const FieldSpec<Record>> fields, Record& record) {
    return ReadKeyValues(text, sectionLine, [&](std::string_view key, std::string_view value) {
        for (const FieldSpec<Record>& field : fields) {
            if (detail::ToLowerKey(field.key) != key) {
                continue;
            }
            if (field.setCode != nullptr) {
                std::int32_t number = field.getCode(record);
                detail::ApplyValue(field.kind, nullptr, &number, nullptr, value);
                field.setCode(record, number);
            } else {
                detail::ApplyValue(field.kind, field.text ? &field.text(record) : nullptr,
                                   field.integer ? &field.integer(record) : nullptr,
                                   field.real ? &field.real(record) : nullptr, value);
            }
            return;
        }
    });
}

// The section line and one line per field, in the table's order, each ended by CR LF.
template <class Record>
std::string FormatRecord(std::string_view sectionLine, std::span<const FieldSpec<Record>> fields,
                         const Record& record) {
    Record& r = const_cast<Record&>(record);  // the field accessors are shared with the reader
    std::string out(sectionLine);
    out += "\r\n";
    for (const FieldSpec<Record>& field : fields) {
        if (field.getCode != nullptr) {
            const std::int32_t number = field.getCode(record);
            if (number != field.omittedValue || !field.omittedAtZero) {
                detail::AppendLine(out, field.key, field.kind, nullptr, &number, nullptr);
            }
            continue;
        }
        if (field.omittedAtZero && field.text != nullptr && field.text(r).empty()) {
            continue;
        }
        detail::AppendLine(out, field.key, field.kind, field.text ? &field.text(r) : nullptr,
                           field.integer ? &field.integer(r) : nullptr,
                           field.real ? &field.real(r) : nullptr);
    }
    return out;
}

// Files larger than this are not settings or theme files: they read as empty.
inline constexpr std::uintmax_t kMaxConfigFileBytes = std::uintmax_t{1024} * 1024;

}  // namespace moravel
