#include "analysis/script_templates.h"

#include <array>
#include <span>

namespace scrutor {

namespace {

// "<RunSfcScan>" is what ZEP runs, whatever the catalogue's spelling.
constexpr std::array<const char16_t*, 41> kRepairLines{
    u"",
    u" <Comment>",
    u"",
    u"This script will perform a full system repair. Please save all your work before continuing.",
    u"",
    u" <KillNonSystemProcesses>",
    u" <StopNonMsServices>",
    u" <ScheduleChkDskOnReboot>",
    u"",
    u" <UnlockFileExtensions>",
    u" <FileExtension> | All",
    u" <ProtectFileExtensions>",
    u"",
    u" <FixIeAndWindowsShell>",
    u" <FixUserDesktop>",
    u" <FixInstallProblems>",
    u" <EnableAutoplay>",
    u" <FixEventSystemService>",
    u" <FixSubSystemsKey>",
    u" <ResetSecuritySettings>",
    u" <FixUserProfiles>",
    u" <FixWifiLongWait>",
    u" <FixPcNotShownInNetwork>",
    u" <FixChromeBlackWindow>",
    u" <FixWindowsUpdate>",
    u" <FixGroupAccess>",
    u" <FixShortcutsUrlsProtocols>",
    u"",
    u" <ResetHostsAndDns>",
    u" <ResetIEAndInternet>",
    u" <ResetIPWinsockProxy>",
    u" <ResetGroupPolicy>",
    u" <RunSfcScan>",
    u" <DismWindowsRepair>",
    u" <RegisterSystemDLLs>",
    u" <EnableUAC>",
    u" <RebuildIconCache>",
    u" <RestartWindowsShell>",
    u" <IEStartPages> | Start Page | Google",
    u" <CreateRestorePoint>",
    u" <Reboot>",
};

constexpr std::array<const char16_t*, 21> kMaintenanceLines{
    u"",
    u" <Comment>",
    u"",
    u"This script will perform a full system maintenance.",
    u"",
    u" <UpdateDirectX>",
    u" <UpdateJava>",
    u" <UpdateFlash>",
    u" <InstallNetFramework>",
    u" <InstallVC++>",
    u" <PatchMyPC> -auto",
    u"",
    u" <ClearEventLogs>",
    u" <ClearErrorReports>",
    u" <EmptyBrowsersCache>",
    u" <CleanAllUsersTemp>",
    u" <CleanupAppData>",
    u" <AutoDiskCleanup>",
    u" <CleanupRecentList>",
    u" <DefragAndOptimize>",
    u" <Reboot>",
};

WideString JoinLines(std::span<const char16_t* const> lines) {
    WideString text;
    for (const char16_t* line : lines) text.Append(line, u"\r\n");
    return text;
}

}  // namespace

WideString RepairTemplate() { return JoinLines(kRepairLines); }
WideString MaintenanceTemplate() { return JoinLines(kMaintenanceLines); }

WideString RepairAndMaintenanceTemplate() {
    WideString text = RepairTemplate();
    text.Append(u"\r\n", MaintenanceTemplate());
    return text;
}

}  // namespace scrutor
