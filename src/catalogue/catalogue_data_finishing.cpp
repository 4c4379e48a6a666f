// Catalogue rows of the groups "Repair and optimize", "Windows troubleshooters",
// "Post repair actions" and "Automation". Each row: keyword, tab, description
// [, tab, extended description[, tab, parameter template]].
#include "catalogue/catalogue_data.h"

namespace scrutor {
namespace {

// One row per entry, broken at its own line breaks.
// clang-format off
constexpr CatalogueEntry kRepairOptimize[] = {
    CatalogueEntry(u"<CleanupRegistry>\t"
                   u"Remove invalid entries from the registry.\t"
                   u"Remarks:\r\n"
                   u"Only entries that point to missing files are removed, such as broken uninstall entries, file types and startup items.\r\n"
                   u"Place <BackupRegistry> earlier in the script so that the changes can be undone."),
    CatalogueEntry(u"<CleanupJunkFiles>\t"
                   u"Delete junk files such as temporary files, old log files and crash dumps."),
    CatalogueEntry(u"<RunScfScan>\t"
                   u"Run the System File Checker to repair protected Windows files.\t"
                   u"Remarks:\r\n"
                   u"The scan can take half an hour; its details are written to %SystemRoot%\\Logs\\CBS\\CBS.log.\r\n"
                   u"When it reports files that it cannot repair, run <DismWindowsRepair> and then this command again."),
    CatalogueEntry(u"<RegisterSystemDLLs>\t"
                   u"Register the system DLLs again.\t"
                   u"Remarks:\r\n"
                   u"This repairs COM registrations that were damaged by faulty or removed programs.\r\n"
                   u"Errors about DLLs that have no registration function are normal."),
    CatalogueEntry(u"<DismWindowsRepair>\t"
                   u"Repair the Windows component store with DISM.\t"
                   u"Remarks:\r\n"
                   u"DISM downloads intact files from Windows Update, so the computer must be online.\r\n"
                   u"The repair needs Windows 8 or later and can take a long time."),
    CatalogueEntry(u"<DefragAndOptimize>\t"
                   u"Defragment or optimize all local drives.\t"
                   u"Remarks:\r\n"
                   u"As with the Windows Optimize Drives tool, hard disks are defragmented and solid-state drives are trimmed."),
    CatalogueEntry(u"<DefragDrive>\t"
                   u"Defragment or optimize a single drive.\t"
                   u"Parameters:\r\n"
                   u"Drive - Replace [Drive] with the drive letter and a colon, for example D:.\t"
                   u"[Drive]"),
    CatalogueEntry(u"<OptimizeBoot>\t"
                   u"Optimize the placement of the boot files on the system drive to speed up startup."),
    CatalogueEntry(u"<OptimizeShutdown>\t"
                   u"Shorten the time that Windows waits for programs and services to close at shutdown."),
    CatalogueEntry(u"<CleanupWinSxS>\t"
                   u"Remove superseded components from the WinSxS folder.\t"
                   u"Note:\r\n"
                   u"Afterwards, the updates that are already installed can no longer be uninstalled."),
    CatalogueEntry(u"<RemoveKB4532693>\t"
                   u"Uninstall the Windows 10 update KB4532693.\t"
                   u"Remarks:\r\n"
                   u"After this February 2020 update, some users were signed in with a temporary profile and found their desktop and files missing.\r\n"
                   u"The files are usually still on the disk; remove the update and restart the computer."),
    CatalogueEntry(u"<RemoveKB4537821>\t"
                   u"Uninstall the Windows update KB4537821."),
    CatalogueEntry(u"<ReinstallWindows10>\t"
                   u"Start a repair installation of Windows 10 that keeps the installed programs and the user's files.\t"
                   u"Remarks:\r\n"
                   u"The Windows 10 setup is downloaded and run as an in-place upgrade; it takes an hour or more and restarts the computer several times.\r\n"
                   u"Back up important files first."),
    CatalogueEntry(u"<DismRepairGUI>\t"
                   u"Run the DISM repair of the component store in a window that shows its progress."),
    CatalogueEntry(u"<SfcScanGUI>\t"
                   u"Run the System File Checker in a window that shows its progress."),
    CatalogueEntry(u"<CheckDiskGUI>\t"
                   u"Open a window to check a chosen drive for file system errors."),
};

constexpr CatalogueEntry kTroubleshooters[] = {
    CatalogueEntry(u"<AeroEffectsTroubleshooter>\t"
                   u"Run the troubleshooter for Aero visual effects such as transparent windows."),
    CatalogueEntry(u"<AppCompatibilityTroubleshooter>\t"
                   u"Run the Program Compatibility troubleshooter for programs made for earlier Windows versions."),
    CatalogueEntry(u"<AudioPlaybackTroubleshooter>\t"
                   u"Run the troubleshooter for problems with playing sound."),
    CatalogueEntry(u"<AudioRecordingTroubleshooter>\t"
                   u"Run the troubleshooter for problems with recording sound."),
    CatalogueEntry(u"<DeviceTroubleshooter>\t"
                   u"Run the Hardware and Devices troubleshooter."),
    CatalogueEntry(u"<DirectAccessTroubleshooter>\t"
                   u"Run the troubleshooter for connecting to a workplace network with DirectAccess."),
    CatalogueEntry(u"<FileShareTroubleshooter>\t"
                   u"Run the troubleshooter for accessing shared files and folders on other computers."),
    CatalogueEntry(u"<HomeGroupTroubleshooter>\t"
                   u"Run the HomeGroup troubleshooter for sharing files and printers with other home computers."),
    CatalogueEntry(u"<IEPerformanceTroubleshooter>\t"
                   u"Run the troubleshooter for a slow Internet Explorer."),
    CatalogueEntry(u"<IESecurityTroubleshooter>\t"
                   u"Run the troubleshooter for the security and privacy settings of Internet Explorer."),
    CatalogueEntry(u"<InstallUninstallTroubleshooter>\t"
                   u"Run the troubleshooter for programs that cannot be installed or uninstalled."),
    CatalogueEntry(u"<InternetConnectionTroubleshooter>\t"
                   u"Run the troubleshooter for connecting to the internet or to websites."),
    CatalogueEntry(u"<KeyboardTroubleshooter>\t"
                   u"Run the troubleshooter for keyboard settings and problems."),
    CatalogueEntry(u"<MaintenanceTroubleshooter>\t"
                   u"Run the System Maintenance troubleshooter to clean up unused files and broken shortcuts."),
    CatalogueEntry(u"<NetworkAdapterTroubleshooter>\t"
                   u"Run the troubleshooter for wireless and other network adapters."),
    CatalogueEntry(u"<NetworkInboundTroubleshooter>\t"
                   u"Run the troubleshooter for other computers that cannot connect to this one."),
    CatalogueEntry(u"<PerformanceTroubleshooter>\t"
                   u"Run the Performance troubleshooter to find settings that slow Windows down."),
    CatalogueEntry(u"<PowerTroubleshooter>\t"
                   u"Run the troubleshooter for power settings that waste energy or shorten battery life."),
    CatalogueEntry(u"<PrinterTroubleshooter>\t"
                   u"Run the troubleshooter for problems with printing."),
    CatalogueEntry(u"<SearchTroubleshooter>\t"
                   u"Run the troubleshooter for Windows Search and indexing."),
    CatalogueEntry(u"<ShowHideUpdatesTroubleshooter>\t"
                   u"Run the Show or hide updates troubleshooter to keep a problematic update from being installed again."),
    CatalogueEntry(u"<StartMenutroubleshooter>\t"
                   u"Run the Start menu troubleshooter of Windows 10."),
    CatalogueEntry(u"<WindowsStoreAppsTroubleshooter>\t"
                   u"Run the troubleshooter for Store apps that do not work correctly."),
    CatalogueEntry(u"<WindowsUpdateTroubleshooter>\t"
                   u"Run the troubleshooter for problems that prevent Windows Update from working."),
    CatalogueEntry(u"<WindowsUpdateWebTroubleshooter>\t"
                   u"Run the latest Windows Update troubleshooter, downloaded from the Microsoft website."),
    CatalogueEntry(u"<WMPSettingsTroubleshooter>\t"
                   u"Run the troubleshooter that resets Windows Media Player to its default settings."),
    CatalogueEntry(u"<WMPDVDPlayingTroubleshooter>\t"
                   u"Run the troubleshooter for playing DVDs in Windows Media Player."),
    CatalogueEntry(u"<WMPLibraryTroubleshooter>\t"
                   u"Run the troubleshooter for a Windows Media Player library that does not show all media files."),
};

constexpr CatalogueEntry kPostRepairActions[] = {
    CatalogueEntry(u"<RestartWindowsShell>\t"
                   u"Restart Windows Explorer, which shows the desktop and the taskbar.\t"
                   u"Remarks:\r\n"
                   u"Open Explorer windows are closed; other running programs are not affected."),
    CatalogueEntry(u"<SendReports>\t"
                   u"Send the logs of this repair to the ZEP support team.\t"
                   u"Note:\r\n"
                   u"The logs hold the names of files, programs and user accounts of this computer; send them only with the user's consent."),
    CatalogueEntry(u"<Reboot>\t"
                   u"Restart the computer after the repair."),
    CatalogueEntry(u"<Shutdown>\t"
                   u"Shut down the computer after the repair."),
    CatalogueEntry(u"<RebootSafeMode>\t"
                   u"Restart the computer in Safe Mode.\t"
                   u"Parameters:\r\n"
                   u"1 - Start Safe Mode with Networking instead of the minimal Safe Mode.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Windows keeps starting in Safe Mode until the safeboot option is removed, for example in System Configuration (msconfig).\t"
                   u"1"),
    CatalogueEntry(u"<UninstallMBAM>\t"
                   u"Uninstall Malwarebytes Anti-Malware after a scan with <MBAMScan>."),
    CatalogueEntry(u"<UninstallSAS>\t"
                   u"Uninstall SUPERAntiSpyware after a scan with <SASScan>."),
    CatalogueEntry(u"<UninstallRogueKiller>\t"
                   u"Uninstall RogueKiller after a scan with <RogueKillerScan>."),
    CatalogueEntry(u"<Beep>\t"
                   u"Beep to signal that the script has reached this line.\t"
                   u"Parameters:\r\n"
                   u"TimesToBeep - How many times to beep; once when omitted.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"Place it at the end of a long unattended script to call the technician back to the computer.\t"
                   u"[TimesToBeep]"),
    CatalogueEntry(u"<RestoreDesktopIcons>\t"
                   u"Put the desktop icons back at the positions saved by <BackupDesktopIcons>."),
};

constexpr CatalogueEntry kAutomation[] = {
    CatalogueEntry(u"<Sleep>\t"
                   u"Pause the script for a given number of seconds.\t"
                   u"Parameters:\r\n"
                   u"seconds - The number of seconds to wait.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"<Sleep> is a single-line command that pauses between other commands; inside a <Run> block, use the ->Sleep() function, which also accepts milliseconds.\t"
                   u"[seconds]"),
    CatalogueEntry(u"->WaitWindow()\t"
                   u"Wait until the specified window exists, and add it to the managed windows list.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"timeout (optional) - The maximum time to wait, in seconds.Default is 7200 (2hours).\r\n"
                   u"title (optional) - The title, Class or Advanced mode of the window to wait for.\r\n"
                   u"text (optional) - The text to search for (within the window).\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"Optional parameters do not need to be specified.\r\n"
                   u"Use the Control info tool to easily get the title and text.\r\n"
                   u"If title is not specified, the function will wait for a new window belonging to the last <Run> command.\t"
                   u"( timeout, title, text )"),
    CatalogueEntry(u"->WaitWindow2()\t"
                   u"Wait for a specific window, and add it to the managed windows list (advanced)\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"timeout - The maximum time to wait, in seconds.\r\n"
                   u"flag - The conditions the window must meet, added together: 1 = created by the process of the last <Run> command, 2 = visible; 3 requires both.\r\n"
                   u"size - 0 to accept any size, or the client-area size that the window must have, as the Client area row of the Control Info Tool shows it.\r\n"
                   u"class (optional) - The class name of the window.\r\n"
                   u"title (optional) - The title of the window.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"To wait by title only, leave class empty: ->WaitWindow2(1000, 3, 0, , Untitled - Notepad)\t"
                   u"( timeout, flag, size, class, title)"),
    CatalogueEntry(u"->WaitWindowState()\t"
                   u"Wait until a window is on the specified state(s)\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"state - The states to wait for, added together: 1 = exists, 2 = visible, 4 = enabled, 8 = active, 16 = minimized, 32 = maximized.\r\n"
                   u"index - The managed window, numbered from 1 in the order in which the windows were added.\r\n"
                   u"timeout (optional) - The maximum time to wait, in seconds.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"For example, a state of 10 waits until the window is visible and active.\t"
                   u"( state, index, timeout )"),
    CatalogueEntry(u"->WaitControl()\t"
                   u"Wait until a specific control is visible and enabled.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"ClassNN/ID - The control: its ClassNN (such as Button1), its Advanced mode definition, its control ID or its text.\r\n"
                   u"timeout (optional) - The maximum time to wait, in seconds.\r\n"
                   u"winIndex (optional) - The managed window that holds the control; without it, the window added last is used.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The Control Info Tool shows the ClassNN, Advanced mode and control ID of any control you drag its picker to.\t"
                   u"( ClassNN/ID , timeout , winIndex )"),
    CatalogueEntry(u"->WaitControlState()\t"
                   u"Pause script execution until a specific control has the specified state.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"ClassNN/ID - The control, as for ->WaitControl().\r\n"
                   u"state - One of Visible, Hidden, Enabled or Disabled.\r\n"
                   u"timeout (optional) - The maximum time to wait, in seconds.\r\n"
                   u"winIndex (optional) - The managed window that holds the control.\t"
                   u"( ClassNN/ID , state , timeout , winIndex )"),
    CatalogueEntry(u"->WaitControlState2()\t"
                   u"Wait until a specific control has the specified state (advanced)\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"ClassNN/ID - The control, as for ->WaitControl().\r\n"
                   u"state - The states to wait for, added together: 1 = exists, 2 = visible, 4 = enabled; 7 waits until the control exists, is visible and is enabled.\r\n"
                   u"timeout (optional) - The maximum time to wait, in seconds.\r\n"
                   u"winIndex (optional) - The managed window that holds the control.\t"
                   u"( ClassNN/ID, state, timeout, winIndex )"),
    CatalogueEntry(u"->ClickControl()\t"
                   u"Click a specific control in a window.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"ClassNN/ID - The control, as for ->WaitControl().\r\n"
                   u"winIndex (optional) - The managed window that holds the control.\r\n"
                   u"Button (optional) - left, right or middle; default is left.\r\n"
                   u"Clicks (optional) - The number of clicks; default is 1.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The click is sent to the control directly, so the mouse pointer does not move.\t"
                   u"( ClassNN/ID , winIndex , Button , Clicks )"),
    CatalogueEntry(u"->ClickControlAt()\t"
                   u"Click a control at a specific position, relative to the parent's client area.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"x, y - The position in the client area of the window, in pixels.\r\n"
                   u"winIndex (optional) - The managed window.\r\n"
                   u"button (optional) - left, right or middle.\r\n"
                   u"clicks (optional) - The number of clicks.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"Use it for controls that have no stable ClassNN or ID; the ->ClickWindowPos row of the Control Info Tool shows the position under the picker.\t"
                   u"( x, y, winIndex, button, clicks )"),
    CatalogueEntry(u"->WaitControlAt()\t"
                   u"Wait for a control to be visible at a specific position, and optionally with a specific class name.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"x, y - The position in the client area of the window, in pixels.\r\n"
                   u"ClassNN/ID (optional) - The class name or ClassNN that the control must have; leave it empty to accept any control.\r\n"
                   u"timeout (optional) - The maximum time to wait, in seconds.\r\n"
                   u"winIndex (optional) - The managed window.\t"
                   u"( x, y, ClassNN/ID, timeout, winIndex )"),
    CatalogueEntry(u"->ClickWindowPos()\t"
                   u"Simmulate a mouse click at the specified position within a window.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"xPos, yPos - The position relative to the window's client area, in pixels.\r\n"
                   u"winIndex (optional) - The managed window.\r\n"
                   u"Button (optional) - left, right or middle; default is left.\r\n"
                   u"Clicks (optional) - The number of clicks; default is 1.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The window is brought to the front and the mouse pointer really moves there, so nobody should use the mouse while the script runs.\t"
                   u"( xPos , yPos , winIndex , Button , Clicks )"),
    CatalogueEntry(u"->ControlSend()\t"
                   u"Send keystrokes to a specific control in a window.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"ClassNN/ID - The control, as for ->WaitControl().\r\n"
                   u"textToSend - The keys to send; special keys are written in braces, for example {ENTER} or {TAB}.\r\n"
                   u"winIndex (optional) - The managed window that holds the control.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The keystrokes go to the control directly, so the window does not need to be active.\t"
                   u"( ClassNN/ID , textToSend , winIndex )"),
    CatalogueEntry(u"->WinSend()\t"
                   u"Send text to a window.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"textToSend - The text to type.\r\n"
                   u"winIndex (optional) - The managed window.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The window is activated first, and the text goes to whichever of its controls has the keyboard focus.\t"
                   u"( textToSend , winIndex )"),
    CatalogueEntry(u"->SendText()\t"
                   u"Send text to a control or a window.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"textToSend - The text to send, exactly as written; braces are not treated as special keys.\r\n"
                   u"ClassNN/ID (optional) - The control; leave it empty to send the text to the window itself.\r\n"
                   u"winIndex (optional) - The managed window.\t"
                   u"( textToSend , ClassNN/ID , winIndex )"),
    CatalogueEntry(u"->Sleep()\t"
                   u"Pause the script execution for the specified time.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"time - How long to pause.\r\n"
                   u"inms (optional) - 1 when time is in milliseconds (the default), 0 when it is in seconds.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"->Sleep(500) pauses for half a second; ->Sleep(5, 0) pauses for five seconds.\t"
                   u"( time, inms = 1 )"),
    CatalogueEntry(u"->CloseWindow()\t"
                   u"Close a specific managed window.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"winIndex - The managed window to close.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The window is asked to close as if its Close button were clicked, so the program may still ask a question first.\t"
                   u"( winIndex )"),
    CatalogueEntry(u"->CloseProcess()\t"
                   u"Terminate a process.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"pathorname - The file name of the process (example.exe) or its full path.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"The process ends at once, without a chance to save its data; use ->CloseWindow() to let a program close normally.\t"
                   u"( pathorname )"),
    CatalogueEntry(u"->WaitWindowClose()\t"
                   u"Pause the script execution until the specified window(s) close.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"winIndex (optional) - The managed window to wait for; without it, the script waits until all managed windows are closed.\t"
                   u"( winIndex )"),
    CatalogueEntry(u"->WaitProcessClose()\t"
                   u"Wait until a process closes.\t"
                   u"Parameters:\r\n"
                   u"\r\n"
                   u"timeout - The maximum time to wait, in seconds.\r\n"
                   u"path - The file name or full path of the process.\r\n"
                   u"\r\n"
                   u"Remarks:\r\n"
                   u"\r\n"
                   u"Use it after starting a setup program that hands the installation on to a second process.\t"
                   u"( timeout, path )"),
};

// clang-format on

}  // namespace

std::span<const CatalogueEntry> RepairOptimizeRows() {
    return kRepairOptimize;
}
std::span<const CatalogueEntry> TroubleshooterRows() {
    return kTroubleshooters;
}
std::span<const CatalogueEntry> PostRepairActionRows() {
    return kPostRepairActions;
}
std::span<const CatalogueEntry> AutomationRows() {
    return kAutomation;
}

}  // namespace scrutor
