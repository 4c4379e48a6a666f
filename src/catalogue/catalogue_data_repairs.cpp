// Catalogue rows of the groups "Reset actions", "Windows fixes", "File system actions",
// "Essential updates" and "Privacy/Maintenance". Each row: keyword, tab, description
// [, tab, extended description[, tab, parameter template]].
#include "catalogue/catalogue_data.h"

namespace scrutor {
namespace {

// One row per entry, broken at its own line breaks.
// clang-format off
constexpr CatalogueEntry kResetActions[] = {
    CatalogueEntry(u"<IEStartPages>\t"
                   u"Reset the start page and the search provider of Internet Explorer.\t"
                   u"Parameters:\r\n"
                   u"Start page - The address of the new start page.\r\n"
                   u"Google or Yahoo - The search provider to make the default.\r\n"
                   u"\r\n"
                   u"Example:\r\n"
                   u"<IEStartPages> | https://www.google.com | Google\t"
                   u" | Start page | (Google or Yahoo)"),
    CatalogueEntry(u"<ResetMSEdge>\t"
                   u"Reset Microsoft Edge to its default settings.\t"
                   u"Remarks:\r\n"
                   u"The startup page, search engine and pinned tabs are reset, extensions are turned off and cookies are cleared.\r\n"
                   u"Favorites, history and saved passwords are kept."),
    CatalogueEntry(u"<ResetIEAndInternet>\t"
                   u"Reset Internet Explorer and the Internet Options to their defaults.\t"
                   u"Remarks:\r\n"
                   u"The security zones, proxy settings, add-ons and home page are reset, as with the Reset button of the Internet Options.\r\n"
                   u"These settings also affect other programs that use the Windows internet settings."),
    CatalogueEntry(u"<ResetChrome>\t"
                   u"Reset Google Chrome to its default settings.\t"
                   u"Parameters:\r\n"
                   u"-AllUsers - Reset Chrome for every user profile, not only for the current user.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"As with the reset in Chrome's own settings, extensions are disabled and cookies are cleared, while bookmarks, history and saved passwords stay.\t"
                   u" -AllUsers"),
    CatalogueEntry(u"<ResetFirefox>\t"
                   u"Reset Mozilla Firefox to its default settings.\t"
                   u"Parameters:\r\n"
                   u"-AllUsers - Reset the Firefox profiles of all users.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"As with the Refresh Firefox button, add-ons, themes and changed preferences are removed, while bookmarks, history, passwords and cookies are kept.\t"
                   u" -AllUsers"),
    CatalogueEntry(u"<ResetHostsAndDns>\t"
                   u"Reset the hosts file and the DNS settings to the Windows defaults.\t"
                   u"Remarks:\r\n"
                   u"The hosts file is replaced by the default one, and DNS servers set by hand on the network adapters are removed, so that they are obtained automatically again.\r\n"
                   u"Entries that were added on purpose, for example by an ad blocker, must be added again."),
    CatalogueEntry(u"<FlushDNS>\t"
                   u"Clear the DNS resolver cache.\t"
                   u"Remarks:\r\n"
                   u"Use this command after removing malware that redirected websites, so that the old name lookups are no longer used."),
    CatalogueEntry(u"<ResetIPWinsockProxy>\t"
                   u"Reset the TCP/IP stack, the Winsock catalog and the proxy settings.\t"
                   u"Remarks:\r\n"
                   u"This repairs connection problems left by removed malware or by network software that hooked into Winsock.\r\n"
                   u"A reboot is needed to complete the reset."),
    CatalogueEntry(u"<ResetSecuritySettings>\t"
                   u"Reset the local security policy to the Windows defaults.\t"
                   u"Remarks:\r\n"
                   u"The policy is reapplied from the default security template of Windows.\r\n"
                   u"This can take several minutes, and warnings about single settings that could not be reset are normal."),
    CatalogueEntry(u"<ResetGroupPolicy>\t"
                   u"Reset all local group policies to their defaults.\t"
                   u"Remarks:\r\n"
                   u"Malware often uses policies to disable the Task Manager, the Registry Editor or security software.\r\n"
                   u"On a computer in a domain, the domain's policies are applied again at the next refresh."),
    CatalogueEntry(u"<ResetUserShellFolders>\t"
                   u"Reset the locations of the user's special folders to their defaults.\t"
                   u"Remarks:\r\n"
                   u"The registry paths of Desktop, Documents, Downloads, Pictures, Music and Videos are restored; files are not moved between folders."),
    CatalogueEntry(u"<ResetNumLockOn>\t"
                   u"Set the NumLock state ON at Winlogon for all users.\t"),
    CatalogueEntry(u"<ResetPrintSpool>\t"
                   u"Clear stuck print jobs and restart the Print Spooler service."),
    CatalogueEntry(u"<ResetCDBurnQueue>\t"
                   u"Clear the list of files waiting to be burned to disc."),
    CatalogueEntry(u"<ResetWLAN>\t"
                   u"Reset the wireless network settings.\t"
                   u"Note:\r\n"
                   u"All saved Wi-Fi profiles are deleted, so the passwords of the wireless networks must be entered again."),
    CatalogueEntry(u"<ResetGWX>\t"
                   u"Remove the Get Windows 10 upgrade offer.\t"
                   u"Remarks:\r\n"
                   u"On Windows 7 and Windows 8.1 the GWX notification icon is removed, and the upgrade offer is turned off by policy."),
    CatalogueEntry(u"<UnpinAllStartTiles>\t"
                   u"Unpin all tiles from the Start menu of the current user."),
    CatalogueEntry(u"<ResetServicesStartTypes>\t"
                   u"Reset the start types of the Windows services to their defaults.\t"
                   u"Remarks:\r\n"
                   u"Use this command when malware or a tuning tool has disabled services that Windows needs, such as Windows Update or the firewall.\r\n"
                   u"Services of other programs are not changed."),
    CatalogueEntry(u"<ResetWindowsStore>\t"
                   u"Clear the cache of the Windows Store without changing its settings or installed apps."),
    CatalogueEntry(u"<ResetFileAssociations>\t"
                   u"Reset all file associations to the Windows defaults.\t"
                   u"Note:\r\n"
                   u"The user's own choices of programs are removed as well, so Windows asks again which program should open a file."),
};

constexpr CatalogueEntry kWindowsFixes[] = {
    CatalogueEntry(u"<FixInstallProblems>\t"
                   u"Repair Windows Installer problems that prevent programs from being installed or removed.\t"
                   u"Remarks:\r\n"
                   u"The Windows Installer service is registered again and its registry settings are restored.\r\n"
                   u"When a single program still cannot be removed, use <RunInstallUninstallFix>."),
    CatalogueEntry(u"<RunInstallUninstallFix>\t"
                   u"Run the Microsoft Program Install and Uninstall troubleshooter.\t"
                   u"Remarks:\r\n"
                   u"The troubleshooter repairs damaged registry keys of installed programs and can remove a program whose own uninstaller no longer works."),
    CatalogueEntry(u"<FixWMIAndSR>\t"
                   u"Repair Windows Management Instrumentation and System Restore.\t"
                   u"Remarks:\r\n"
                   u"The WMI repository is checked and rebuilt when it is damaged, and the System Restore service is set to start again.\r\n"
                   u"Many system tools stop working when WMI is damaged, System Restore among them."),
    CatalogueEntry(u"<FixWindowsUpdate>\t"
                   u"Repair Windows Update when updates fail to download or install.\t"
                   u"Remarks:\r\n"
                   u"The update services are stopped, the SoftwareDistribution and catroot2 folders are renamed, the update components are registered again and the services are restarted.\r\n"
                   u"As a result, the update history shown by Windows starts empty."),
    CatalogueEntry(u"<FixWindowsSidebar>\t"
                   u"Repair the Windows Sidebar and its gadgets on Windows Vista and Windows 7."),
    CatalogueEntry(u"<FixWindowsFirewall>\t"
                   u"Restore the Windows Firewall service and its default rules.\t"
                   u"Remarks:\r\n"
                   u"Rules added by other programs are removed, so Windows may ask again whether those programs may accept connections from the network."),
    CatalogueEntry(u"<FixIEAndWindowsShell>\t"
                   u"Register the components of Internet Explorer and the Windows shell again.\t"
                   u"Remarks:\r\n"
                   u"This fixes links that do not open, Explorer windows that close unexpectedly and menus that stay empty after these components were damaged."),
    CatalogueEntry(u"<FixIEHistory>\t"
                   u"Repair the history of Internet Explorer when it can no longer be viewed or cleared."),
    CatalogueEntry(u"<FixShortcutsUrlsProtocols>\t"
                   u"Repair shortcuts, internet shortcuts and URL protocols.\t"
                   u"Remarks:\r\n"
                   u"The associations of .lnk and .url files and of the http, https and mailto protocols are restored, so that shortcuts and web links open again."),
    CatalogueEntry(u"<FixUserDesktop>\t"
                   u"Restore a desktop that shows no icons, no wallpaper or only a black background.\t"
                   u"Remarks:\r\n"
                   u"Policies that hide the desktop are removed and the location of the Desktop folder is restored.\r\n"
                   u"Sign out and in again, or use <RestartWindowsShell>, to see the result."),
    CatalogueEntry(u"<FixSubSystemsKey>\t"
                   u"Restore the default values of the SubSystems registry key of the Session Manager."),
    CatalogueEntry(u"<FixGroupAccess>\t"
                   u"Restore the default members of the local Users group.\t"
                   u"Remarks:\r\n"
                   u"The Users group normally holds Authenticated Users and INTERACTIVE; without them, standard accounts get access-denied errors when they start programs or open their own files."),
    CatalogueEntry(u"<FixAppsNotResponding>\t"
                   u"Restore the default timeouts after which Windows treats a program as not responding."),
    CatalogueEntry(u"<FixBrowserShortcuts>\t"
                   u"Remove web addresses that adware added to the shortcuts of the browsers.\t"
                   u"Remarks:\r\n"
                   u"Adware often appends a website to the target of browser shortcuts on the desktop, in the Start menu and on the taskbar, so that it opens with every start of the browser.\r\n"
                   u"The shortcuts keep their names, icons and positions."),
    CatalogueEntry(u"<FixWinStoreApps>\t"
                   u"Register the built-in Store apps again when they do not start.\t"
                   u"Remarks:\r\n"
                   u"The apps are registered again from their installation folders; apps whose files are missing must be reinstalled from the Store.\r\n"
                   u"This can take several minutes."),
    CatalogueEntry(u"<FixUserProfiles>\t"
                   u"Repair user profiles that Windows loads as temporary profiles.\t"
                   u"Remarks:\r\n"
                   u"Profile entries that Windows renamed with a .bak ending are restored, so that users find their own desktop and files again at the next sign-in."),
    CatalogueEntry(u"<FixTaskScheduler>\t"
                   u"Repair the Task Scheduler when tasks cannot be viewed or created.\t"
                   u"Remarks:\r\n"
                   u"Tasks whose registry entries and task files no longer match are removed, which fixes the error that the task image is corrupt or has been tampered with."),
    CatalogueEntry(u"<FixWifiLongWait>\t"
                   u"Shorten the long wait for a Wi-Fi connection after startup or after waking from sleep."),
    CatalogueEntry(u"<FixEventSystemService>\t"
                   u"Repair the COM+ Event System service when it fails to start."),
    CatalogueEntry(u"<FixPcNotShownInNetwork>\t"
                   u"Make the computer visible to the other computers of the local network.\t"
                   u"Remarks:\r\n"
                   u"Network discovery and file and printer sharing are turned on, and the services they need (Function Discovery Resource Publication, SSDP Discovery and UPnP Device Host) are set to start automatically."),
    CatalogueEntry(u"<FixChromeBlackWindow>\t"
                   u"Turn off the hardware acceleration of Google Chrome to fix black or flickering windows.\t"),
};

constexpr CatalogueEntry kFileSystemActions[] = {
    CatalogueEntry(u"<RebuildIconCache>\t"
                   u"Rebuild the Windows icon cache.\t"
                   u"Remarks:\r\n"
                   u"Use this command when files and shortcuts show wrong or blank icons.\r\n"
                   u"Explorer is restarted, so its open windows close."),
    CatalogueEntry(u"<UnhideUserFiles>\t"
                   u"Remove the hidden and system attributes that malware set on the user's files and folders.\t"
                   u"Remarks:\r\n"
                   u"Fake system-repair programs often hide the files of the user profile and the Start menu entries to make the system look damaged.\r\n"
                   u"Files that Windows hides on purpose, such as desktop.ini, stay hidden."),
    CatalogueEntry(u"<UnhideDir>\t"
                   u"Remove the hidden and system attributes from the files and folders of a drive or folder.\t"
                   u"Parameters:\r\n"
                   u"All Drives - Unhide the files of all local and removable drives.\r\n"
                   u"Full Path - The folder whose contents to unhide, for example E:\\.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Use this command on USB drives whose files a worm has hidden behind shortcuts.\t"
                   u"'All Drives' or 'Full Path'"),
    CatalogueEntry(u"<ScheduleChkDskOnReboot>\t"
                   u"Schedule a disk check of the system drive at the next restart.\t"
                   u"Remarks:\r\n"
                   u"The check runs before Windows starts and can take a long time on large drives; do not turn the computer off while it runs.\r\n"
                   u"Use <CancelChkdskOnReboot> to cancel it."),
    CatalogueEntry(u"<CancelChkdskOnReboot>\t"
                   u"Cancel a disk check scheduled for the next restart."),
};

constexpr CatalogueEntry kEssentialUpdates[] = {
    CatalogueEntry(u"<UpdateChrome>\t"
                   u"Download and install the latest version of Google Chrome."),
    CatalogueEntry(u"<UpdateFirefox>\t"
                   u"Download and install the latest version of Mozilla Firefox."),
    CatalogueEntry(u"<UpdateKLiteCodeckPack>\t"
                   u"Download and install the latest K-Lite Codec Pack."),
    CatalogueEntry(u"<Update7Zip>\t"
                   u"Download and install the latest version of the 7-Zip file archiver."),
    CatalogueEntry(u"<UpdateDirectX>\t"
                   u"Install the missing components of the DirectX End-User Runtime.\t"
                   u"Remarks:\r\n"
                   u"This adds the older DirectX libraries, such as D3DX9, that many games need; the DirectX version built into Windows is not changed."),
    CatalogueEntry(u"<UpdateJava>\t"
                   u"Download and install the latest Java runtime.\t"
                   u"Note:\r\n"
                   u"Update Java only when a program needs it; when no program does, uninstalling Java is the safer choice."),
    CatalogueEntry(u"<UpdateFlash>\t"
                   u"Download and install the latest Adobe Flash Player.\t"
                   u"Note:\r\n"
                   u"Adobe ended support for Flash Player at the end of 2020 and has blocked Flash content since 12 January 2021; on current systems, uninstall Flash Player instead."),
    CatalogueEntry(u"<UpdateShockwave>\t"
                   u"Download and install the latest Adobe Shockwave Player.\t"
                   u"Note:\r\n"
                   u"Adobe discontinued Shockwave Player in April 2019, so it no longer receives security updates."),
    CatalogueEntry(u"<InstallNetFramework>\t"
                   u"Download and install the latest .NET Framework that the system supports."),
    CatalogueEntry(u"<InstallVC++>\t"
                   u"Download and install the Microsoft Visual C++ Redistributable packages.\t"
                   u"Remarks:\r\n"
                   u"On 64-bit Windows both the 32-bit and the 64-bit packages are installed, because 32-bit programs need the 32-bit runtime.\r\n"
                   u"Install them when programs fail to start with an error about a missing MSVCP or VCRUNTIME DLL."),
    CatalogueEntry(u"<InstallWin8Gadgets>\t"
                   u"Install desktop gadgets on Windows 8 and later.\t"
                   u"Note:\r\n"
                   u"Microsoft retired gadgets because of security flaws; install them only when the user really needs them."),
    CatalogueEntry(u"<InstallSURT>\t"
                   u"Download and run the System Update Readiness Tool.\t"
                   u"Remarks:\r\n"
                   u"On Windows Vista and Windows 7 the tool finds and repairs damage in the component store that makes updates fail to install.\r\n"
                   u"It can run for a long time without showing progress."),
    CatalogueEntry(u"<PatchMyPC>\t"
                   u"Download and run Patch My PC to update outdated third-party programs.\t"
                   u"Parameters:\r\n"
                   u"-auto - Update all outdated programs without asking.\r\n"
                   u"-StartOnly - Go on with the next command as soon as the updates have started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Patch My PC knows many common programs, such as browsers, runtimes and media players.\t"
                   u" -auto -StartOnly"),
};

constexpr CatalogueEntry kPrivacyMaintenance[] = {
    CatalogueEntry(u"<CleanupRecentList>\t"
                   u"Clear the lists of recently used files and programs."),
    CatalogueEntry(u"<ClearIEHistory>\t"
                   u"Clear the browsing history of Internet Explorer."),
    CatalogueEntry(u"<ClearEdgeHistory>\t"
                   u"Clear the browsing history of Microsoft Edge."),
    CatalogueEntry(u"<ClearChromeHistory>\t"
                   u"Clear the browsing history of Google Chrome."),
    CatalogueEntry(u"<ClearFirefoxHistory>\t"
                   u"Clear the browsing history of Mozilla Firefox."),
    CatalogueEntry(u"<ClearWaterfoxHistory>\t"
                   u"Clear the browsing history of Waterfox."),
    CatalogueEntry(u"<ClearAllBrowsersHistory>\t"
                   u"Clear the browsing history of all installed browsers.\t"
                   u"Parameters:\r\n"
                   u"Allusers - Clear the history of all user profiles, not only of the current user.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Internet Explorer, Edge, Chrome, Firefox and Waterfox are cleaned; close them before the script runs.\t"
                   u"Allusers"),
    CatalogueEntry(u"<DeleteBrowsersCookies>\t"
                   u"Delete the cookies of all installed browsers.\t"
                   u"Parameters:\r\n"
                   u"-AllUsers - Delete the cookies of all user profiles.\r\n"
                   u"\r\n"
                   u"Note:\r\n"
                   u"Users are signed out of the websites where they stayed signed in.\t"
                   u"-AllUsers"),
    CatalogueEntry(u"<ClearEventLogs>\t"
                   u"Clear all Windows event logs.\t"
                   u"Note:\r\n"
                   u"The logs hold the history of errors that can help find the cause of a problem; save them first when the cause is not known yet."),
    CatalogueEntry(u"<ClearErrorReports>\t"
                   u"Delete the queued and archived Windows Error Reporting files."),
    CatalogueEntry(u"<ClearShellCache>\t"
                   u"Clear the folder view settings that Explorer remembers.\t"
                   u"Remarks:\r\n"
                   u"The ShellBags entries that store the size, position and view of each opened folder are deleted; folders open with the default view afterwards."),
    CatalogueEntry(u"<CleanupMUICache>\t"
                   u"Clear the MUICache list in which Explorer remembers the names of programs that were run."),
    CatalogueEntry(u""),
    CatalogueEntry(u"<FreeStorageSpaceGUI>\t"
                   u"Open the Windows storage settings to free up disk space."),
    CatalogueEntry(u"<CleanAllUsersTemp>\t"
                   u"Empty the temporary folders of all user profiles."),
    CatalogueEntry(u"<EmptyTempFolders>\t"
                   u"Empty the temporary folders of the current user and of Windows.\t"
                   u"Remarks:\r\n"
                   u"Files that are in use are skipped.\r\n"
                   u"Use <CleanAllUsersTemp> to clean the temporary folders of the other users as well."),
    CatalogueEntry(u"<EmptyBrowsersCache>\t"
                   u"Empty the cache of all installed browsers.\t"
                   u"Parameters:\r\n"
                   u"-AllUsers - Empty the browser caches of all user profiles.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Cookies, history and passwords are not affected; websites only load more slowly the first time.\t"
                   u"-AllUsers"),
    CatalogueEntry(u"<CleanupAppData>\t"
                   u"Delete the empty folders that uninstalled programs left in the AppData folders."),
    CatalogueEntry(u"<CleanMSIOrphanFiles>\t"
                   u"Delete orphaned Windows Installer files from the Installer folder.\t"
                   u"Remarks:\r\n"
                   u"Only the .msi and .msp files in %SystemRoot%\\Installer that no installed product refers to are deleted.\r\n"
                   u"Never delete the other files there by hand: programs could then no longer be repaired, updated or uninstalled."),
    CatalogueEntry(u"<RunFullDiskCleanup>\t"
                   u"Run Disk Cleanup with all its categories selected.\t"
                   u"Remarks:\r\n"
                   u"This includes system files such as old Windows Update files and previous Windows installations, so going back to an earlier Windows version is no longer possible afterwards."),
    CatalogueEntry(u"<AutoDiskCleanup>\t"
                   u"Run Disk Cleanup without asking, with the categories that are safe to clean."),
    CatalogueEntry(u"<UpdateWindows>\t"
                   u"Search for Windows updates, and download and install them.\t"
                   u"Remarks:\r\n"
                   u"Some updates only finish installing after a restart, so end the script with <Reboot>."),
    CatalogueEntry(u"<CleanupTrayIconCache>\t"
                   u"Clear the list of past notification area icons."),
    CatalogueEntry(u"<RunMemDiagOnReboot>\t"
                   u"Run the Windows Memory Diagnostic at the next restart.\t"
                   u"Remarks:\r\n"
                   u"The test runs before Windows starts and takes several minutes; the result is shown after the next sign-in.\r\n"
                   u"Use <CancelMemDiag> to cancel the test."),
    CatalogueEntry(u"<CancelMemDiag>\t"
                   u"Cancel a memory test scheduled for the next restart."),
    CatalogueEntry(u"<DeleteTempProfiles>\t"
                   u"Delete the temporary user profiles that Windows created when it could not load a user's own profile.\t"
                   u"Remarks:\r\n"
                   u"Run <FixUserProfiles> first, so that the users get their own profiles back."),
    CatalogueEntry(u"<WiFiManager>\t"
                   u"Open a window to view and delete the saved Wi-Fi network profiles."),
    CatalogueEntry(u"<CleanupSystemProfile>\t"
                   u"Delete temporary and cache files from the profile of the SYSTEM account.\t"
                   u"Remarks:\r\n"
                   u"The profile lies in %SystemRoot%\\System32\\config\\systemprofile, where some adware keeps its files out of the user's sight."),
};

// clang-format on

}  // namespace

std::span<const CatalogueEntry> ResetActionRows() {
    return kResetActions;
}
std::span<const CatalogueEntry> WindowsFixRows() {
    return kWindowsFixes;
}
std::span<const CatalogueEntry> FileSystemActionRows() {
    return kFileSystemActions;
}
std::span<const CatalogueEntry> EssentialUpdateRows() {
    return kEssentialUpdates;
}
std::span<const CatalogueEntry> PrivacyMaintenanceRows() {
    return kPrivacyMaintenance;
}

}  // namespace scrutor
