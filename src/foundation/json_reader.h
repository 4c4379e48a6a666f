#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/wide_string.h"

namespace scrutor {

// Value types of JsonValue::type.
inline constexpr int kJsonNone = 0;
inline constexpr int kJsonObject = 1;
inline constexpr int kJsonArray = 2;
inline constexpr int kJsonString = 3;
inline constexpr int kJsonInteger = 4;  // a number without a decimal point
inline constexpr int kJsonDecimal = 5;  // a number with a decimal point
inline constexpr int kJsonBoolean = 6;
inline constexpr int kJsonNull = 7;

// One value of a JsonDocument, as offsets (UTF-16 units) into the document's text.
// A zeroed value means "not yet started" to the iteration operations.
struct JsonValue {
    std::uint32_t base = 0;  // generation of the document text it was found in
    std::int32_t type = kJsonNone;
    std::uint32_t nameOffset = 0;  // opening quote of the member name
    std::uint32_t start = 0;       // first character of the value
    std::uint32_t end = 0;         // last character of the value
};
static_assert(sizeof(JsonValue) == 20);

// A read-only JSON text addressed through JsonValue offsets; builds no tree.
class JsonDocument {
public:
    JsonDocument() = default;
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    void Open(const char16_t* text);

    [[nodiscard]] bool Root(JsonValue& value) const;
    [[nodiscard]] bool FindMember(const char16_t* name, JsonValue& value,
                                  const JsonValue* parent = nullptr);
    [[nodiscard]] int MemberText(const JsonValue* parent, const char16_t* name, WideString& text);
    [[nodiscard]] bool NextMember(JsonValue& iterator, const JsonValue* parent = nullptr) const;
    [[nodiscard]] bool MemberName(const JsonValue& value, WideString& name) const;
    [[nodiscard]] bool FirstElement(JsonValue& value, const JsonValue* parent = nullptr) const;
    [[nodiscard]] bool NextElement(JsonValue& iterator, const JsonValue* parent = nullptr) const;
    [[nodiscard]] int ValueText(const JsonValue& value, WideString& text) const;

private:
    [[nodiscard]] bool Owns(const JsonValue& value) const;
    [[nodiscard]] bool Container(const JsonValue* parent, int type, JsonValue& container) const;
    [[nodiscard]] bool Next(JsonValue& iterator, const JsonValue* parent, bool members) const;
    [[nodiscard]] bool ReadMember(std::size_t pos, std::size_t limit, JsonValue& member) const;
    [[nodiscard]] bool ReadValue(std::size_t pos, std::size_t limit, bool upperNull,
                                 JsonValue& value) const;
    void FindRoot();

    WideString text_;
    WideString nameBuffer_;
    std::size_t length_ = 0;
    std::uint32_t generation_ = 0;  // 0: nothing opened
    JsonValue root_;                // found once per text
    bool rootClosesArray_ = false;  // the text's last non-blank character is ']'
};

}  // namespace scrutor
