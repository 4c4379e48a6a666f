#include "log_generator.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace scrutor::tools {
namespace {

// Small deterministic generator: benchmarks must see the same log every run.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    template <class T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) { return items[Next() % N]; }

private:
    std::uint32_t state_;
};

constexpr std::array<std::string_view, 8> kUsers = {
    "John", "Administrator", "Maria", "Owner", "Technician", "Lena", "Peter", "Public"};
constexpr std::array<std::string_view, 10> kProgramDirs = {
    "C:\\Program Files\\Mozilla Firefox", "C:\\Program Files (x86)\\Google\\Chrome\\Application",
    "C:\\Program Files\\7-Zip", "C:\\Program Files\\Common Files\\microsoft shared\\ClickToRun",
    "C:\\Program Files (x86)\\Adobe\\Acrobat Reader DC\\Reader", "D:\\Tools\\Sysinternals",
    "C:\\Program Files\\WindowsApps\\Microsoft.WindowsStore_22301.1401.6.0_x64",
    "C:\\Program Files\\VideoLAN\\VLC", "C:\\Program Files (x86)\\Steam\\bin",
    "C:\\Program Files\\Notepad++"};
constexpr std::array<std::string_view, 10> kSystemFiles = {
    "C:\\Windows\\System32\\svchost.exe", "C:\\Windows\\System32\\drivers\\ntfs.sys",
    "C:\\Windows\\System32\\kernel32.dll", "C:\\Windows\\explorer.exe",
    "C:\\Windows\\System32\\wuaueng.dll", "C:\\Windows\\SysWOW64\\msvcp140.dll",
    "C:\\Windows\\System32\\Tasks\\Microsoft\\Windows\\Defrag\\ScheduledDefrag",
    "C:\\Windows\\System32\\spoolsv.exe", "C:\\Windows\\System32\\drivers\\etc\\hosts",
    "C:\\Windows\\System32\\WindowsPowerShell\\v1.0\\powershell.exe"};
constexpr std::array<std::string_view, 8> kFileNames = {
    "updater.exe", "helper.dll", "setup.exe", "svc_host32.exe",
    "launcher.exe", "crashreporter.exe", "plugin-container.exe", "uninstall.exe"};
constexpr std::array<std::string_view, 8> kSigners = {
    "Mozilla Corporation", "Google LLC", "Adobe Inc.", "Valve Corp.",
    "VideoLAN", "Igor Pavlov", "Not signed", "Piriform Software Ltd"};
constexpr std::array<std::string_view, 6> kServices = {
    "wuauserv | Windows Update", "Spooler | Print Spooler", "BITS | Background Intelligent Transfer",
    "gupdate | Google Update Service", "AdobeARMservice | Adobe Acrobat Update Service",
    "MozillaMaintenance | Mozilla Maintenance Service"};
constexpr std::array<std::string_view, 6> kHosts = {
    "https://www.example.com/download/setup.exe", "http://update.example.net/check?id=",
    "https://cdn.example.org/assets/app.js?v=", "http://ads.example.info/track.php?uid=",
    "https://search.example.com/results?q=", "http://192.0.2.14:8080/payload.bin?k="};
constexpr std::array<std::string_view, 5> kApps = {
    "Mozilla Firefox (x64 en-US)", "Google Chrome", "7-Zip 23.01 (x64)",
    "Adobe Acrobat Reader DC", "VLC media player"};

void AppendHash(std::string& out, Random& random, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (int i = 0; i < digits; ++i) out += kHex[random.Next() % 16];
}

void AppendDate(std::string& out, Random& random) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", 2019 + random.Next() % 7,
                  1 + random.Next() % 12, 1 + random.Next() % 28, random.Next() % 24,
                  random.Next() % 60, random.Next() % 60);
    out += text;
}

void AppendSize(std::string& out, Random& random) {
    out += std::to_string(1 + random.Next() % 90000);
    out += " bytes";
}

void SignedFileLine(std::string& out, Random& random) {
    const bool system = random.Next() % 2 == 0;
    out += system ? "<ContentsSystemDrive> | " : "<ContentsProgramfiles> | ";
    if (system) {
        out += random.Pick(kSystemFiles);
        out += " | Signed :  Microsoft Corporation | ";
    } else {
        out += random.Pick(kProgramDirs);
        out += '\\';
        out += random.Pick(kFileNames);
        out += " | Signed : ";
        out += random.Pick(kSigners);
        out += " | ";
    }
    AppendDate(out, random);
    out += " | ";
    AppendSize(out, random);
    out += " | ";
    AppendHash(out, random, 32);
}

void UserFolderLine(std::string& out, Random& random) {
    const std::string_view user = random.Pick(kUsers);
    const bool local = random.Next() % 2 == 0;
    out += "<@";
    out += user;
    out += local ? "\\LocalAppdata> | C:\\Users\\" : "\\Appdata> | C:\\Users\\";
    out += user;
    out += local ? "\\AppData\\Local\\Temp\\" : "\\AppData\\Roaming\\Updater\\";
    out += random.Pick(kFileNames);
    if (random.Next() % 3 == 0) {
        out += " | File not found: C:\\Users\\";
        out += user;
        out += "\\AppData\\Local\\Temp\\";
        out += random.Pick(kFileNames);
    } else {
        out += " | Not signed | ";
        AppendDate(out, random);
        out += " | ";
        AppendHash(out, random, 64);
    }
}

void OtherLine(std::string& out, Random& random) {
    switch (random.Next() % 4) {
    case 0:
        out += "<Services> | ";
        out += random.Pick(kServices);
        out += " | Stopped - Manual | C:\\Windows\\System32\\svchost.exe -k netsvcs";
        break;
    case 1:
        out += "<HKLM\\Software\\...Uninstall> | ";
        out += random.Pick(kApps);
        out += " | \"";
        out += random.Pick(kProgramDirs);
        out += "\\uninstall.exe\" /S";
        break;
    case 2:
        out += random.Next() % 2 ? "<RecentFiles> | C:\\Users\\" : "<RecentFolder> | C:\\Users\\";
        out += random.Pick(kUsers);
        out += "\\Documents\\report-";
        out += std::to_string(random.Next() % 1000);
        out += ".docx";
        break;
    default:
        out += "<BrowserHistory> | Chrome | ";
        out += random.Pick(kHosts);
        AppendHash(out, random, 8);
        break;
    }
}

}  // namespace

std::string GenerateScanLog(std::size_t targetBytes, std::uint32_t seed) {
    Random random(seed);
    std::string out;
    out.reserve(targetBytes + 512);
    out += "ZEP scan log - generated sample\r\n";
    while (out.size() < targetBytes) {
        const std::uint32_t kind = random.Next() % 10;
        if (kind < 5) {
            SignedFileLine(out, random);
        } else if (kind < 7) {
            UserFolderLine(out, random);
        } else {
            OtherLine(out, random);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace scrutor::tools
