#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "foundation/wide_string.h"

namespace scrutor {

inline constexpr std::int32_t kFirstCatalogueGroupId = 8;
inline constexpr std::int32_t kLastCatalogueGroupId = 19;
inline constexpr std::int32_t kAutomationGroupId = 19;

// Field positions of a catalogue row, 0-based.
enum class CatalogueField : std::size_t {
    Keyword = 0,
    Description,
    ExtendedDescription,
    Parameters
};

// One catalogue row: keyword, description, optional extended description and optional
// parameter template, separated by tabs. The blank row has an empty text.
class CatalogueEntry {
public:
    constexpr explicit CatalogueEntry(const char16_t* text) : text_(text) {}

    [[nodiscard]] constexpr const char16_t* Text() const { return text_; }
    [[nodiscard]] bool IsBlank() const;
    [[nodiscard]] std::size_t FieldCount() const;                // tabs + 1; 0 for the blank row
    [[nodiscard]] WideString Field(CatalogueField field) const;  // empty when absent
    [[nodiscard]] WideString Keyword() const { return Field(CatalogueField::Keyword); }
    [[nodiscard]] WideString Description() const { return Field(CatalogueField::Description); }
    [[nodiscard]] WideString ExtendedDescription() const {
        return Field(CatalogueField::ExtendedDescription);
    }
    [[nodiscard]] WideString Parameters() const { return Field(CatalogueField::Parameters); }
    [[nodiscard]] bool IsAutomationFunction() const;  // keyword begins with "->"

private:
    const char16_t* text_;
};

struct CatalogueGroup {
    std::int32_t id;
    const char16_t* name;
    std::span<const CatalogueEntry> entries;
};

// A row found by a lookup, with the id of its group.
struct CatalogueMatch {
    const CatalogueEntry* entry = nullptr;
    std::int32_t groupId = 0;

    [[nodiscard]] explicit operator bool() const { return entry != nullptr; }
};

// The script-command catalogue: groups in display order, rows in display order.
class CommandCatalogue {
public:
    explicit CommandCatalogue(std::span<const CatalogueGroup> groups) : groups_(groups) {}

    [[nodiscard]] std::span<const CatalogueGroup> Groups() const { return groups_; }
    [[nodiscard]] std::size_t RowCount() const;  // the blank row included
    [[nodiscard]] CatalogueMatch FindCatalogueEntry(const char16_t* key) const;

private:
    std::span<const CatalogueGroup> groups_;
};

// The catalogue compiled into the program; immutable for the life of the process.
[[nodiscard]] const CommandCatalogue& BuiltInCatalogue();

}  // namespace scrutor
