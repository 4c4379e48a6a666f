#include "catalogue/command_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace scrutor {
namespace {

std::u16string Str(const WideString& text) {
    return std::u16string(text.View());
}

// One walk over the catalogue: group ids, names and sizes, field counts, the blank row's
// place, unique keywords and each keyword's shape against its group.
TEST(CommandCatalogue, StructureIsExact) {
    struct Group {
        std::int32_t id;
        const char16_t* name;
        std::size_t rows;
    };
    const Group expected[] = {
        {8, u"Pre-repair actions", 29},   {9, u"Multi-line commands", 15},
        {10, u"Built-in scans", 8},       {11, u"Reset actions", 20},
        {12, u"Windows fixes", 21},       {13, u"File system actions", 5},
        {14, u"Essential updates", 13},   {15, u"Privacy/Maintenance", 28},
        {16, u"Repair and optimize", 16}, {17, u"Windows troubleshooters", 28},
        {18, u"Post repair actions", 10}, {19, u"Automation", 19},
    };
    const auto groups = BuiltInCatalogue().Groups();
    ASSERT_EQ(groups.size(), std::size(expected));
    std::size_t byFieldCount[5] = {};
    std::vector<std::u16string> keywords, emptyExtended, blankNeighbours, misplaced;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].id, expected[g].id);
        EXPECT_EQ(std::u16string(groups[g].name), expected[g].name);
        EXPECT_EQ(groups[g].entries.size(), expected[g].rows) << groups[g].id;
        for (std::size_t r = 0; r < groups[g].entries.size(); ++r) {
            const CatalogueEntry& entry = groups[g].entries[r];
            ++byFieldCount[std::min<std::size_t>(entry.FieldCount(), 4)];
            const std::u16string keyword = Str(entry.Keyword());
            if (entry.IsBlank()) {
                const auto& rows = groups[g].entries;
                blankNeighbours = {r > 0 ? Str(rows[r - 1].Keyword()) : u"",
                                   r + 1 < rows.size() ? Str(rows[r + 1].Keyword()) : u""};
                continue;
            }
            if (entry.FieldCount() == 3 && entry.ExtendedDescription().IsEmpty()) {
                emptyExtended.push_back(keyword);
            }
            for (const std::u16string& other : keywords) {
                EXPECT_FALSE(EqualsNoCase(other.c_str(), keyword.c_str())) << r;
            }
            keywords.push_back(keyword);
            // "->Name()" only in Automation, which holds nothing else but <Sleep>.
            const bool function = keyword.starts_with(u"->") && keyword.ends_with(u"()");
            const bool command = keyword.starts_with(u"<") &&
                                 keyword.find_first_of(u"<> \t", 1) == keyword.size() - 1;
            const bool automationGroup = groups[g].id == kAutomationGroupId;
            if (!(function || command) || function != entry.IsAutomationFunction() ||
                (function && !automationGroup) ||
                (automationGroup && function == (keyword == u"<Sleep>"))) {
                misplaced.push_back(keyword);
            }
        }
    }
    EXPECT_EQ(BuiltInCatalogue().RowCount(), 212u);
    EXPECT_EQ(keywords.size(), 211u);
    EXPECT_EQ(byFieldCount[0], 1u);  // the blank row
    EXPECT_EQ(byFieldCount[2], 79u);
    EXPECT_EQ(byFieldCount[3], 84u);
    EXPECT_EQ(byFieldCount[4], 48u);
    EXPECT_EQ(emptyExtended,
              (std::vector<std::u16string>{u"<ResetNumLockOn>", u"<FixChromeBlackWindow>"}));
    EXPECT_EQ(blankNeighbours,
              (std::vector<std::u16string>{u"<CleanupMUICache>", u"<FreeStorageSpaceGUI>"}));
    EXPECT_EQ(misplaced, std::vector<std::u16string>());
}

TEST(CommandCatalogue, FieldsOfARowAreSplitAtTabs) {
    const CatalogueEntry twoFields(u"<A>\tDescription.");
    EXPECT_EQ(Str(twoFields.Description()), u"Description.");
    // Absent fields read empty, never as the last field that is present.
    EXPECT_TRUE(twoFields.ExtendedDescription().IsEmpty());
    EXPECT_TRUE(twoFields.Parameters().IsEmpty());
    const CatalogueEntry emptyThird(u"<B>\tDescription.\t\t -p");
    EXPECT_EQ(emptyThird.FieldCount(), 4u);
    EXPECT_TRUE(emptyThird.ExtendedDescription().IsEmpty());
    EXPECT_EQ(Str(emptyThird.Parameters()), u" -p");  // leading blank kept
    const CatalogueEntry blank(u"");
    EXPECT_EQ(blank.FieldCount(), 0u);
    EXPECT_TRUE(blank.Keyword().IsEmpty());
}

TEST(CommandCatalogue, LookupFoldsOnlyAsciiCaseAndMatchesWholeKeywords) {
    struct Case {
        const char16_t* key;
        const char16_t* found;  // keyword of the row found; null for none
        std::int32_t groupId;
    };
    const Case cases[] = {
        {u"<reg>", u"<Reg>", 9},
        {u"->waitwindow()", u"->WaitWindow()", 19},
        {u"<STARTMENUTROUBLESHOOTER>", u"<StartMenutroubleshooter>", 17},
        {u"<installvc++>", u"<InstallVC++>", 14},
        {u"<Sleep>", u"<Sleep>", 19},
        {u"->Sleep()", u"->Sleep()", 19},
        {u"<FreeStorageSpaceGUI>", u"<FreeStorageSpaceGUI>", 15},
        {u"->WaitWindow", nullptr, 0},  // the parentheses belong to the keyword
        {u"->WaitWindow( timeout, title, text )", nullptr, 0},
        {u"<Reg> ", nullptr, 0},
        {u"<Reg> | x", nullptr, 0},
        {u" <Reg>", nullptr, 0},
        {u"<Re>", nullptr, 0},
        {u"<Ｒeg>", nullptr, 0},  // full-width letter: not folded
        {u"", nullptr, 0},        // the blank row never matches
        {nullptr, nullptr, 0},
    };
    for (const Case& c : cases) {
        const CatalogueMatch match = BuiltInCatalogue().FindCatalogueEntry(c.key);
        const std::u16string found = match ? Str(match.entry->Keyword()) : u"(none)";
        EXPECT_EQ(found, c.found ? c.found : u"(none)");
        EXPECT_EQ(match.groupId, c.groupId) << found.size();
    }
}

TEST(CommandCatalogue, KeywordsAreSpelledAndOrderedAsTheScriptLanguageDefinesThem) {
    // clang-format off
    const std::vector<std::u16string> expected = {
        // Pre-repair actions
        u"<KillNonTrustedProcesses>", u"<KillNonSystemProcesses>", u"<KillNonSignedProcesses>",
        u"<KillNonCriticalProcesses>", u"<StopNonMsServices>", u"<DeleteAllRestorePoints>",
        u"<CreateRestorePoint>", u"<BackupRegistry>", u"<RestoreRegistry>",
        u"<UnlockFileExtensions>", u"<FileExtension>", u"<ProtectFileExtensions>",
        u"<FreePhysicalMemory>", u"<ImunizeSystem>", u"<EnableUAC>", u"<DisableUAC>",
        u"<EnableAutoplay>", u"<DisableAutoplay>", u"<EnableAdminAccount>",
        u"<DisableAdminAccount>", u"<AutoLogon>", u"<DisableAutoLogon>", u"<PreventShutdown>",
        u"<EnableF8BootMenu>", u"<RestoreBootMenu>", u"<EnableWinRE>", u"<BackupDesktopIcons>",
        u"<EnableMsiInSafeMode>", u"<DisableMsiInSafeMode>",
        // Multi-line commands
        u"<Comment>", u"<Reg>", u"<Delete>", u"<SDelete>", u"<ReplaceFile>", u"<SReplaceFile>",
        u"<Run>", u"<RunWait>", u"<KillProcess>", u"<CmdScript>", u"<AutoItScript>",
        u"<VBScript>", u"<Download>", u"<UpdateSoftware>", u"<UnzipFile>",
        // Built-in scans
        u"<PELScan>", u"<MBAMScan>", u"<SASScan>", u"<RogueKillerScan>", u"<TDSSKillerScan>",
        u"<AswMBRScan>", u"<AdwCleanerScan>", u"<AvastBCScan>",
        // Reset actions
        u"<IEStartPages>", u"<ResetMSEdge>", u"<ResetIEAndInternet>", u"<ResetChrome>",
        u"<ResetFirefox>", u"<ResetHostsAndDns>", u"<FlushDNS>", u"<ResetIPWinsockProxy>",
        u"<ResetSecuritySettings>", u"<ResetGroupPolicy>", u"<ResetUserShellFolders>",
        u"<ResetNumLockOn>", u"<ResetPrintSpool>", u"<ResetCDBurnQueue>", u"<ResetWLAN>",
        u"<ResetGWX>", u"<UnpinAllStartTiles>", u"<ResetServicesStartTypes>",
        u"<ResetWindowsStore>", u"<ResetFileAssociations>",
        // Windows fixes
        u"<FixInstallProblems>", u"<RunInstallUninstallFix>", u"<FixWMIAndSR>",
        u"<FixWindowsUpdate>", u"<FixWindowsSidebar>", u"<FixWindowsFirewall>",
        u"<FixIEAndWindowsShell>", u"<FixIEHistory>", u"<FixShortcutsUrlsProtocols>",
        u"<FixUserDesktop>", u"<FixSubSystemsKey>", u"<FixGroupAccess>",
        u"<FixAppsNotResponding>", u"<FixBrowserShortcuts>", u"<FixWinStoreApps>",
        u"<FixUserProfiles>", u"<FixTaskScheduler>", u"<FixWifiLongWait>",
        u"<FixEventSystemService>", u"<FixPcNotShownInNetwork>", u"<FixChromeBlackWindow>",
        // File system actions
        u"<RebuildIconCache>", u"<UnhideUserFiles>", u"<UnhideDir>", u"<ScheduleChkDskOnReboot>",
        u"<CancelChkdskOnReboot>",
        // Essential updates
        u"<UpdateChrome>", u"<UpdateFirefox>", u"<UpdateKLiteCodeckPack>", u"<Update7Zip>",
        u"<UpdateDirectX>", u"<UpdateJava>", u"<UpdateFlash>", u"<UpdateShockwave>",
        u"<InstallNetFramework>", u"<InstallVC++>", u"<InstallWin8Gadgets>", u"<InstallSURT>",
        u"<PatchMyPC>",
        // Privacy/Maintenance (the blank row follows <CleanupMUICache>)
        u"<CleanupRecentList>", u"<ClearIEHistory>", u"<ClearEdgeHistory>",
        u"<ClearChromeHistory>", u"<ClearFirefoxHistory>", u"<ClearWaterfoxHistory>",
        u"<ClearAllBrowsersHistory>", u"<DeleteBrowsersCookies>", u"<ClearEventLogs>",
        u"<ClearErrorReports>", u"<ClearShellCache>", u"<CleanupMUICache>",
        u"<FreeStorageSpaceGUI>", u"<CleanAllUsersTemp>", u"<EmptyTempFolders>",
        u"<EmptyBrowsersCache>", u"<CleanupAppData>", u"<CleanMSIOrphanFiles>",
        u"<RunFullDiskCleanup>", u"<AutoDiskCleanup>", u"<UpdateWindows>",
        u"<CleanupTrayIconCache>", u"<RunMemDiagOnReboot>", u"<CancelMemDiag>",
        u"<DeleteTempProfiles>", u"<WiFiManager>", u"<CleanupSystemProfile>",
        // Repair and optimize
        u"<CleanupRegistry>", u"<CleanupJunkFiles>", u"<RunScfScan>", u"<RegisterSystemDLLs>",
        u"<DismWindowsRepair>", u"<DefragAndOptimize>", u"<DefragDrive>", u"<OptimizeBoot>",
        u"<OptimizeShutdown>", u"<CleanupWinSxS>", u"<RemoveKB4532693>", u"<RemoveKB4537821>",
        u"<ReinstallWindows10>", u"<DismRepairGUI>", u"<SfcScanGUI>", u"<CheckDiskGUI>",
        // Windows troubleshooters
        u"<AeroEffectsTroubleshooter>", u"<AppCompatibilityTroubleshooter>",
        u"<AudioPlaybackTroubleshooter>", u"<AudioRecordingTroubleshooter>",
        u"<DeviceTroubleshooter>", u"<DirectAccessTroubleshooter>", u"<FileShareTroubleshooter>",
        u"<HomeGroupTroubleshooter>", u"<IEPerformanceTroubleshooter>",
        u"<IESecurityTroubleshooter>", u"<InstallUninstallTroubleshooter>",
        u"<InternetConnectionTroubleshooter>", u"<KeyboardTroubleshooter>",
        u"<MaintenanceTroubleshooter>", u"<NetworkAdapterTroubleshooter>",
        u"<NetworkInboundTroubleshooter>", u"<PerformanceTroubleshooter>",
        u"<PowerTroubleshooter>", u"<PrinterTroubleshooter>", u"<SearchTroubleshooter>",
        u"<ShowHideUpdatesTroubleshooter>", u"<StartMenutroubleshooter>",
        u"<WindowsStoreAppsTroubleshooter>", u"<WindowsUpdateTroubleshooter>",
        u"<WindowsUpdateWebTroubleshooter>", u"<WMPSettingsTroubleshooter>",
        u"<WMPDVDPlayingTroubleshooter>", u"<WMPLibraryTroubleshooter>",
        // Post repair actions
        u"<RestartWindowsShell>", u"<SendReports>", u"<Reboot>", u"<Shutdown>",
        u"<RebootSafeMode>", u"<UninstallMBAM>", u"<UninstallSAS>", u"<UninstallRogueKiller>",
        u"<Beep>", u"<RestoreDesktopIcons>",
        // Automation
        u"<Sleep>", u"->WaitWindow()", u"->WaitWindow2()", u"->WaitWindowState()",
        u"->WaitControl()", u"->WaitControlState()", u"->WaitControlState2()",
        u"->ClickControl()", u"->ClickControlAt()", u"->WaitControlAt()", u"->ClickWindowPos()",
        u"->ControlSend()", u"->WinSend()", u"->SendText()", u"->Sleep()", u"->CloseWindow()",
        u"->CloseProcess()", u"->WaitWindowClose()", u"->WaitProcessClose()",
    };
    // clang-format on
    std::vector<std::u16string> actual;
    for (const CatalogueGroup& group : BuiltInCatalogue().Groups()) {
        for (const CatalogueEntry& entry : group.entries) {
            if (!entry.IsBlank()) {
                actual.push_back(Str(entry.Keyword()));
            }
        }
    }
    EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace scrutor
