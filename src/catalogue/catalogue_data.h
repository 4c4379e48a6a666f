#pragma once

#include <span>

#include "catalogue/command_catalogue.h"

// The rows of each catalogue group, in display order. Internal to the catalogue.
namespace scrutor {

[[nodiscard]] std::span<const CatalogueEntry> PreRepairActionRows();
[[nodiscard]] std::span<const CatalogueEntry> MultiLineCommandRows();
[[nodiscard]] std::span<const CatalogueEntry> BuiltInScanRows();
[[nodiscard]] std::span<const CatalogueEntry> ResetActionRows();
[[nodiscard]] std::span<const CatalogueEntry> WindowsFixRows();
[[nodiscard]] std::span<const CatalogueEntry> FileSystemActionRows();
[[nodiscard]] std::span<const CatalogueEntry> EssentialUpdateRows();
[[nodiscard]] std::span<const CatalogueEntry> PrivacyMaintenanceRows();
[[nodiscard]] std::span<const CatalogueEntry> RepairOptimizeRows();
[[nodiscard]] std::span<const CatalogueEntry> TroubleshooterRows();
[[nodiscard]] std::span<const CatalogueEntry> PostRepairActionRows();
[[nodiscard]] std::span<const CatalogueEntry> AutomationRows();

}  // namespace scrutor
