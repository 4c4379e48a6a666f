#include "catalogue/command_catalogue.h"

#include "catalogue/catalogue_data.h"

namespace scrutor {

bool CatalogueEntry::IsBlank() const {
    return text_ == nullptr || text_[0] == u'\0';
}

std::size_t CatalogueEntry::FieldCount() const {
    if (IsBlank()) {
        return 0;
    }
    std::size_t count = 1;
    for (const char16_t* p = text_; *p != u'\0'; ++p) {
        count += (*p == u'\t') ? 1 : 0;
    }
    return count;
}

WideString CatalogueEntry::Field(CatalogueField field) const {
    // Any-of splitting keeps empty inner fields and drops a trailing empty one, which
    // reads the same as an absent field.
    const WideStringList fields(text_, u"\t", false);
    const auto index = static_cast<std::size_t>(field);
    if (index >= fields.Count()) {
        return WideString();  // Get() would answer the last field instead
    }
    return WideString(fields.Get(index));
}

bool CatalogueEntry::IsAutomationFunction() const {
    return !IsBlank() && text_[0] == u'-' && text_[1] == u'>';
}

std::size_t CommandCatalogue::RowCount() const {
    std::size_t count = 0;
    for (const CatalogueGroup& group : groups_) {
        count += group.entries.size();
    }
    return count;
}

CatalogueMatch CommandCatalogue::FindCatalogueEntry(const char16_t* key) const {
    if (key == nullptr || key[0] == u'\0') {
        return {};  // an empty key would otherwise match the blank row
    }
    for (const CatalogueGroup& group : groups_) {
        for (const CatalogueEntry& entry : group.entries) {
            if (!entry.IsBlank() && entry.Keyword().EqualsNoCase(key)) {
                return {&entry, group.id};
            }
        }
    }
    return {};
}

const CommandCatalogue& BuiltInCatalogue() {
    static const CatalogueGroup groups[] = {
        {8, u"Pre-repair actions", PreRepairActionRows()},
        {9, u"Multi-line commands", MultiLineCommandRows()},
        {10, u"Built-in scans", BuiltInScanRows()},
        {11, u"Reset actions", ResetActionRows()},
        {12, u"Windows fixes", WindowsFixRows()},
        {13, u"File system actions", FileSystemActionRows()},
        {14, u"Essential updates", EssentialUpdateRows()},
        {15, u"Privacy/Maintenance", PrivacyMaintenanceRows()},
        {16, u"Repair and optimize", RepairOptimizeRows()},
        {17, u"Windows troubleshooters", TroubleshooterRows()},
        {18, u"Post repair actions", PostRepairActionRows()},
        {19, u"Automation", AutomationRows()},
    };
    static const CommandCatalogue catalogue(groups);
    return catalogue;
}

}  // namespace scrutor
