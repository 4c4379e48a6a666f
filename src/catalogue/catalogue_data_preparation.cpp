// Catalogue rows of the groups "Pre-repair actions", "Multi-line commands" and
// "Built-in scans". Each row: keyword, tab, description[, tab, extended description
// [, tab, parameter template]]. Keyword spellings are part of the script language.
#include "catalogue/catalogue_data.h"

namespace scrutor {
namespace {

// One row per entry, broken at its own line breaks.
// clang-format off
constexpr CatalogueEntry kPreRepairActions[] = {
    CatalogueEntry(u"<KillNonTrustedProcesses>\t"
                   u"Terminate every running process that is not on the ZEP list of trusted programs.\t"
                   u"Remarks:\r\n"
                   u"Windows processes and security software from trusted vendors keep running.\r\n"
                   u"Use this command before deleting the files of programs that are still running."),
    CatalogueEntry(u"<KillNonSystemProcesses>\t"
                   u"Terminate every running process that is not part of Windows.\t"
                   u"Remarks:\r\n"
                   u"This also closes security software and the user's open programs, so have the user save any open work first."),
    CatalogueEntry(u"<KillNonSignedProcesses>\t"
                   u"Terminate every running process whose program file has no valid digital signature.\t"
                   u"Remarks:\r\n"
                   u"A signature counts when it is embedded in the file or listed in a Windows catalog file.\r\n"
                   u"Most malware is unsigned, but so are some small legitimate tools."),
    CatalogueEntry(u"<KillNonCriticalProcesses>\t"
                   u"Terminate all processes except the ones that Windows cannot run without.\t"
                   u"Remarks:\r\n"
                   u"Explorer is closed as well, so the desktop and the taskbar disappear until <RestartWindowsShell> or a reboot."),
    CatalogueEntry(u"<StopNonMsServices>\t"
                   u"Stop all running services that are not provided by Microsoft.\t"
                   u"Remarks:\r\n"
                   u"The start types of the services are not changed, so the services that start automatically run again after the next reboot."),
    CatalogueEntry(u"<DeleteAllRestorePoints>\t"
                   u"Delete all existing system restore points.\t"
                   u"Note:\r\n"
                   u"This frees disk space, but System Restore can then no longer take the system back to an earlier state.\r\n"
                   u"Place <CreateRestorePoint> after this command to keep one restore point."),
    CatalogueEntry(u"<CreateRestorePoint>\t"
                   u"Create a restore point named ZEP Fix.\t"
                   u"Remarks:\r\n"
                   u"System Restore must be turned on for the system drive, otherwise no restore point is created.\r\n"
                   u"Place this command before the commands that change the system, so that their changes can be undone."),
    CatalogueEntry(u"<BackupRegistry>\t"
                   u"Perform a registry backup in a specific part of the script.\t"
                   u"Remarks:\r\n"
                   u"Specifying only <BackupRegistry> will backup the HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE rootkeys.\r\n"
                   u"You can customize the registry backup by specifying a flag and username in the following format:\r\n"
                   u"\r\n"
                   u"<BackupRegistry> | flag | username\r\n"
                   u"\r\n"
                   u"The 'flag' parameter is set as follows:\r\n"
                   u"\r\n"
                   u"0: Don't backup HKEY_CURRENT_USER neither HKEY_LOCAL_MACHINE.\r\n"
                   u"1: Backup only HKEY_CURRENT_USER.\r\n"
                   u"2 : Backup only HKEY_LOCAL_MACHINE.\r\n"
                   u"3 : Backup both HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.\r\n"
                   u"\r\n"
                   u"The username parameter should be the name of an extra user to backup the config from.\r\n"
                   u"This can not be the current user name. You can specify 'All users' if you want to backup all users hives.\t"
                   u" | flag | username"),
    CatalogueEntry(u"<RestoreRegistry>\t"
                   u"Restore the registry from the backup made by <BackupRegistry>.\t"
                   u"Remarks:\r\n"
                   u"Specifying only <RestoreRegistry> restores the HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE backups.\r\n"
                   u"The 'flag' and 'username' parameters have the same meaning as for <BackupRegistry>; use the values that the backup was made with.\r\n"
                   u"Restart the computer afterwards so that Windows loads the restored hives.\t"
                   u" | flag | username"),
    CatalogueEntry(u"<UnlockFileExtensions>\t"
                   u"Restore the default associations of the executable file types.\t"
                   u"Remarks:\r\n"
                   u"Malware often changes how .exe, .com, .bat, .cmd, .reg and .lnk files are opened, so that programs no longer start.\r\n"
                   u"Use this command when double-clicking a program does nothing or starts a different program."),
    CatalogueEntry(u"<FileExtension>\t"
                   u"Restore the default association of a specific file extension.\t"
                   u"Parameters:\r\n"
                   u"File Extension - The extension to repair, with its leading dot.\r\n"
                   u"All - Repair the associations of all the file extensions that ZEP knows.\r\n"
                   u"\r\n"
                   u"Example:\r\n"
                   u"<FileExtension> | .exe\t"
                   u" | ('File Extension' or 'All')"),
    CatalogueEntry(u"<ProtectFileExtensions>\t"
                   u"Protect the associations of the executable file types against further changes.\t"
                   u"Remarks:\r\n"
                   u"The registry keys of these associations are made read-only, so that malware cannot take them over again.\r\n"
                   u"Run <UnlockFileExtensions> first when the associations are already damaged."),
    CatalogueEntry(u"<FreePhysicalMemory>\t"
                   u"Free physical memory by trimming the working sets of the running processes."),
    CatalogueEntry(u"<ImunizeSystem>\t"
                   u"Immunize the system against known malicious websites and unwanted programs.\t"
                   u"Parameters:\r\n"
                   u"0 to 20 - Each number selects one protection set; keep the numbers of the sets to apply and delete the others.\r\n"
                   u"AllUsers - Apply the protection to all user profiles instead of the current user only.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Known dangerous websites are added to the Restricted sites zone, and known unwanted ActiveX controls are blocked.\r\n"
                   u"Without parameters, every protection set is applied to the current user.\t"
                   u"0|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|AllUsers"),
    CatalogueEntry(u"<EnableUAC>\t"
                   u"Enable the User Account Control."),
    CatalogueEntry(u"<DisableUAC>\t"
                   u"Disable the User Account Control.\t"
                   u"Note:\r\n"
                   u"The change takes effect after a reboot, and Windows is less protected until UAC is turned on again with <EnableUAC>."),
    CatalogueEntry(u"<EnableAutoplay>\t"
                   u"Enable AutoPlay for all drives."),
    CatalogueEntry(u"<DisableAutoplay>\t"
                   u"Disable AutoPlay for all drives.\t"
                   u"Remarks:\r\n"
                   u"Programs on USB drives and discs no longer start by themselves, which stops a common way for worms to spread."),
    CatalogueEntry(u"<EnableAdminAccount>\t"
                   u"Enable the built-in Administrator account.\t"
                   u"Note:\r\n"
                   u"The account may have no password; set one, or disable the account again with <DisableAdminAccount> when the repair is done."),
    CatalogueEntry(u"<DisableAdminAccount>\t"
                   u"Disable the built-in Administrator account."),
    CatalogueEntry(u"<AutoLogon>\t"
                   u"Sign in automatically with the specified account when Windows starts.\t"
                   u"Parameters:\r\n"
                   u"User Name - The account to sign in with; environment variables such as %UserName% can be used.\r\n"
                   u"User Password - The password of that account.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"The password is stored in the registry as plain text that every user of the computer can read; remove it with <DisableAutoLogon> when the automatic sign-in is no longer needed.\r\n"
                   u"\r\n"
                   u"Example:\r\n"
                   u"<AutoLogon> | %UserName% | MyPassword\t"
                   u" | User Name | User Password"),
    CatalogueEntry(u"<DisableAutoLogon>\t"
                   u"Turn off the automatic sign-in and delete the stored password."),
    CatalogueEntry(u"<PreventShutdown>\t"
                   u"Prevent Windows from shutting down or restarting while the script runs.\t"
                   u"Remarks:\r\n"
                   u"Windows Update and other programs cannot restart the computer until the script ends.\r\n"
                   u"The user can still override it with \"Shut down anyway\" on the screen that lists the programs preventing shutdown."),
    CatalogueEntry(u"<EnableF8BootMenu>\t"
                   u"Enable the Advanced Boot Options menu that opens with F8 at startup.\t"
                   u"Remarks:\r\n"
                   u"Windows 8 and later ignore F8 by default; this command sets the boot menu policy to Legacy.\r\n"
                   u"Use <RestoreBootMenu> to return to the standard boot menu."),
    CatalogueEntry(u"<RestoreBootMenu>\t"
                   u"Restore the standard boot menu policy of Windows."),
    CatalogueEntry(u"<EnableWinRE>\t"
                   u"Enable the Windows Recovery Environment.\t"
                   u"Remarks:\r\n"
                   u"With WinRE enabled, Windows opens its recovery options after repeated failed startups.\r\n"
                   u"The command has the same effect as reagentc /enable."),
    CatalogueEntry(u"<BackupDesktopIcons>\t"
                   u"Save the positions of the desktop icons.\t"
                   u"Remarks:\r\n"
                   u"Place <RestoreDesktopIcons> at the end of the script to put the icons back, for example after a change of screen resolution."),
    CatalogueEntry(u"<EnableMsiInSafeMode>\t"
                   u"Allow the Windows Installer service to run in Safe Mode.\t"
                   u"Remarks:\r\n"
                   u"By default, programs cannot be installed or uninstalled in Safe Mode because Windows Installer does not start there.\r\n"
                   u"Use <DisableMsiInSafeMode> when the work in Safe Mode is done."),
    CatalogueEntry(u"<DisableMsiInSafeMode>\t"
                   u"Undo <EnableMsiInSafeMode>, so that the Windows Installer service no longer runs in Safe Mode."),
};

constexpr CatalogueEntry kMultiLineCommands[] = {
    CatalogueEntry(u"<Comment>\t"
                   u"Insert comments in the script.\t"
                   u"Remarks:\r\n"
                   u"Enter your comments in the lines below this keyword.\r\n"
                   u"You can also enter comments anywhere by preceeding them with a semi-colon."),
    CatalogueEntry(u"<Reg>\t"
                   u"Merge the regedit code specified in the lines listed below this keyword.\t"
                   u"Remarks:\r\n"
                   u"Write the code as in a .reg file exported by the Registry Editor; the \"Windows Registry Editor Version 5.00\" header line is optional.\r\n"
                   u"To delete a key, put a minus sign in front of its path, for example [-HKEY_CURRENT_USER\\Software\\Example].\r\n"
                   u"To delete a value, give it a minus sign as its data: \"Example\"=- deletes the value Example."),
    CatalogueEntry(u"<Delete>\t"
                   u"Move the files listed in the lines below this keyword to the recycle bin.\t"
                   u"Remarks:\r\n"
                   u"You can use environment variables, but only one path per line.\r\n"
                   u"Tip: Drag a file to the text box to quickly insert its path."),
    CatalogueEntry(u"<SDelete>\t"
                   u"Permanently delete the files listed in the lines below this keyword.\t"
                   u"Remarks:\r\n"
                   u"The files skip the recycle bin and cannot be restored; use <Delete> when they may be needed again.\r\n"
                   u"As with <Delete>, write one path per line; environment variables are allowed."),
    CatalogueEntry(u"<ReplaceFile>\t"
                   u"Replace the files listed in the lines below this keyword.\t"
                   u"Remarks:\r\n"
                   u"Each line holds the file to replace, \" | \" and the path of the replacement file, for example:\r\n"
                   u"%SystemRoot%\\System32\\example.dll | D:\\Backup\\example.dll\r\n"
                   u"The replaced file is moved to the recycle bin."),
    CatalogueEntry(u"<SReplaceFile>\t"
                   u"Replace the files listed in the lines below this keyword.\t"
                   u"Remarks:\r\n"
                   u"The lines have the same format as in <ReplaceFile>, but the replaced files are deleted permanently instead of being moved to the recycle bin."),
    CatalogueEntry(u"<Run>\t"
                   u"Run the commands or automation functions specified in the lines below this keyword.\t"
                   u"Parameters:\r\n"
                   u"-h - Run the commands in a hidden window.\r\n"
                   u"-x86 - Run the commands only if the OS is 32 bits.\r\n"
                   u"-x64 - Run the commands only if the OS is 64 bits.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"<Run> must be specified before any Automation functions.\r\n"
                   u"The -h, -x86 and -x64 parameters are optional.\t"
                   u" -h -x86 -x64"),
    CatalogueEntry(u"<RunWait>\t"
                   u"Run the commands specified in the lines below this keyword, and wait \r\n"
                   u"until each command ends execution before stepping to the next one.\t"
                   u"Parameters:\r\n"
                   u"-h - Hide the windows of the commands.\r\n"
                   u"-x86 - Run the block only on 32-bit Windows.\r\n"
                   u"-x64 - Run the block only on 64-bit Windows.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Use this block for installers and other programs that must finish before the next line starts; a program that never ends holds the script at its line.\r\n"
                   u"Automation functions belong in a <Run> block, not in this one.\t"
                   u" -h -x86 -x64"),
    CatalogueEntry(u"<KillProcess>\t"
                   u"Kill the processes listed in the lines in the lines below this keyword.\t"
                   u"Remarks:\r\n"
                   u"Specify one process per line, by its file name (example.exe) or its full path.\r\n"
                   u"Every running instance of the process is terminated."),
    CatalogueEntry(u"<CmdScript>\t"
                   u"Run the CMD batch code specified in the lines listed below this keyword.\t"
                   u"Remarks:\r\n"
                   u"The lines run together as one batch file, and the script goes on when the batch ends.\r\n"
                   u"Avoid commands that wait for input, such as pause, because the script would wait with them."),
    CatalogueEntry(u"<AutoItScript>\t"
                   u"Run the AutoIt script code specified in the lines listed below this keyword.\t"
                   u"Parameters:\r\n"
                   u"-h - Run the AutoIt code without showing its window.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Write the code in AutoIt v3 syntax; it runs as one script, and ZEP waits until it ends.\r\n"
                   u"The -h parameter is optional.\t"
                   u"-h"),
    CatalogueEntry(u"<VBScript>\t"
                   u"Run the Visual basic script code specified in the lines listed below this keyword.\t"
                   u"Remarks:\r\n"
                   u"The code runs under Windows Script Host, which must not be disabled on the computer."),
    CatalogueEntry(u"<Download>\t"
                   u"Download the files listed in the lines below this keyword from the internet.\t"
                   u"Parameters:\r\n"
                   u"-x86 - Download only on 32-bit Windows.\r\n"
                   u"-x64 - Download only on 64-bit Windows.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Each line holds the URL, \" | \" and the full path to save the file to, for example:\r\n"
                   u"https://example.com/tool.exe | %UserProfile%\\Desktop\\tool.exe\r\n"
                   u"An existing file with the same path is replaced.\t"
                   u"-x86 -x64"),
    CatalogueEntry(u"<UpdateSoftware>\t"
                   u"Download files from the internet only if the local files are not updated.\t"
                   u"Parameters:\r\n"
                   u"-x86 - Update only on 32-bit Windows.\r\n"
                   u"-x64 - Update only on 64-bit Windows.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"The lines have the same format as in <Download>: the URL, \" | \" and the local path.\r\n"
                   u"A file is downloaded only when it is missing or older than the file on the server.\t"
                   u"-x86 -x64"),
    CatalogueEntry(u"<UnzipFile>\t"
                   u"Unzip zip files listed in the lines below this keyword to the specified folders.\t"
                   u"Remarks:\r\n"
                   u"Each line holds the zip file, \" | \" and the folder to extract it to, for example:\r\n"
                   u"%UserProfile%\\Downloads\\tools.zip | C:\\Tools\r\n"
                   u"A missing folder is created, and files that already exist in it are overwritten."),
};

constexpr CatalogueEntry kBuiltInScans[] = {
    CatalogueEntry(u"<PELScan>\t"
                   u"Launch Pellmor and automatically start a scan for all users.\t"
                   u"Parameters:\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Pellmor removes adware, unwanted toolbars and potentially unwanted programs.\t"
                   u" -StartOnly"),
    CatalogueEntry(u"<MBAMScan>\t"
                   u"Launch Malwarebytes Anti-Malware and start a threat scan.\t"
                   u"Parameters:\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Malwarebytes is downloaded and installed first when it is missing; remove it after the repair with <UninstallMBAM>.\t"
                   u" -StartOnly"),
    CatalogueEntry(u"<SASScan>\t"
                   u"Launch SUPERAntiSpyware and start a scan.\t"
                   u"Parameters:\r\n"
                   u"-full - Scan all drives completely instead of running a quick scan.\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"A complete scan can take hours on large drives; remove the program afterwards with <UninstallSAS>.\t"
                   u" -full -StartOnly"),
    CatalogueEntry(u"<RogueKillerScan>\t"
                   u"Launch RogueKiller and start a scan.\t"
                   u"Parameters:\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"RogueKiller looks for rogue security software, rootkits and malicious startup entries; remove it afterwards with <UninstallRogueKiller>.\t"
                   u" -StartOnly"),
    CatalogueEntry(u"<TDSSKillerScan>\t"
                   u"Run Kaspersky TDSSKiller to scan for rootkits and bootkits.\t"
                   u"Parameters:\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Curing an infected boot record needs a reboot; place <Reboot> at the end of the script.\t"
                   u" -StartOnly"),
    CatalogueEntry(u"<AswMBRScan>\t"
                   u"Run aswMBR to scan the master boot record for rootkits.\t"
                   u"Parameters:\r\n"
                   u"-full - Also scan the files of all drives, which takes much longer.\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Never interrupt aswMBR while it repairs a boot record, or Windows may no longer start.\t"
                   u" -full -StartOnly"),
    CatalogueEntry(u"<AdwCleanerScan>\t"
                   u"Launch AdwCleaner and start a scan for adware and unwanted programs.\t"
                   u"Parameters:\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"AdwCleaner may ask for a reboot to complete the removal.\t"
                   u" -StartOnly"),
    CatalogueEntry(u"<AvastBCScan>\t"
                   u"Launch Avast Browser Cleanup to find unwanted browser add-ons.\t"
                   u"Parameters:\r\n"
                   u"-StartOnly - Go on with the next command as soon as the scan has started.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"The tool checks the add-ons and search settings of Internet Explorer, Firefox and Chrome, and lists the add-ons with a poor reputation.\t"
                   u" -StartOnly"),
};

// clang-format on

}  // namespace

std::span<const CatalogueEntry> PreRepairActionRows() {
    return kPreRepairActions;
}
std::span<const CatalogueEntry> MultiLineCommandRows() {
    return kMultiLineCommands;
}
std::span<const CatalogueEntry> BuiltInScanRows() {
    return kBuiltInScans;
}

}  // namespace scrutor
