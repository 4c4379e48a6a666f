#include "foundation/text_file.h"

#include <climits>
#include <new>
#include <string>

#include "foundation/file_system.h"
#include "foundation/win_text.h"

namespace scrutor {

namespace {

constexpr DWORD kIoChunk = 1u << 30;
// A text file is read into memory whole; beyond this it is not a text the editor can hold.
constexpr std::uint64_t kMaxTextBytes = 0x7FFFFFF0;

bool IsWriteMode(std::uint32_t mode) {
    return (mode & (kFileWrite | kFileTruncate)) != 0;
}

bool EncodeAnsi(const char16_t* text, std::size_t length, std::string& out) {
    if (length > static_cast<std::size_t>(INT_MAX)) return false;
    const int units = static_cast<int>(length);
    // Sized by a first call, so code pages with two-byte characters convert whole.
    const int size =
        WideCharToMultiByte(CP_ACP, 0, AsWide(text), units, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    out.resize(static_cast<std::size_t>(size));
    return WideCharToMultiByte(CP_ACP, 0, AsWide(text), units, out.data(), size, nullptr,
                               nullptr) == size;
}

bool WriteAll(HANDLE file, const char* bytes, std::size_t count) {
    while (count > 0) {
        const DWORD chunk = count > kIoChunk ? kIoChunk : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

bool ReadAll(HANDLE file, char* bytes, std::size_t count, std::size_t& total) {
    total = 0;
    while (total < count) {
        const std::size_t left = count - total;
        const DWORD chunk = left > kIoChunk ? kIoChunk : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!ReadFile(file, bytes + total, chunk, &read, nullptr)) return false;
        if (read == 0) break;
        total += read;
    }
    return true;
}

}  // namespace

HANDLE TextFile::Open(const char16_t* path, std::uint32_t mode) {
    Close();
    if (path == nullptr || *path == 0) return nullptr;
    if (mode & kFileMakeDirs) {
        WideString folder(path);
        const std::size_t slash = folder.Find(u"\\", true, -1);
        if (slash != 0) {
            (void)folder.Left(static_cast<std::int64_t>(slash) - 1);
            if (folder.Length() > 2 && !CreateDirectoryPath(folder.CStr())) return nullptr;
        }
    }
    const bool writing = IsWriteMode(mode);
    const DWORD access = writing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const DWORD share = (mode & kFileExclusive) ? 0 : FILE_SHARE_READ;
    const DWORD creation = (mode & kFileTruncate) ? CREATE_ALWAYS
                           : (mode & kFileWrite)  ? OPEN_ALWAYS
                                                  : OPEN_EXISTING;
    handle_ = CreateFileW(AsWide(path), access, share, nullptr, creation, 0, nullptr);
    if (!handle_) return nullptr;
    mode_ = mode;
    const std::uint64_t size = Size64();
    if (mode & kFileAppend) {
        if (mode & kFileWrite) (void)Seek(0, FILE_END);
        return handle_.Get();
    }
    if (size == 0) {
        if (writing && !PrepareNewFile()) {
            Close();
            return nullptr;
        }
        return handle_.Get();
    }
    if (!(mode & kFileTruncate)) PositionAfterMark(size);
    return handle_.Get();
}

bool TextFile::PrepareNewFile() {
    const std::string mark = ByteOrderMarkFor(mode_);
    return mark.empty() || WriteAll(handle_.Get(), mark.data(), mark.size());
}

// Reading starts behind the mark. Writing continues at the end; in UTF-16 at a whole unit, so
// a stray last byte is overwritten rather than shifting everything written after it.
void TextFile::PositionAfterMark(std::uint64_t size) {
    std::uint8_t head[3] = {};
    const std::uint32_t read = ReadBytes(head, sizeof head);
    std::size_t markLength = 0;
    mode_ = DetectByteOrderMark(head, read, mode_, markLength);
    if (!IsWriteMode(mode_)) {
        (void)Seek(static_cast<std::int64_t>(markLength), FILE_BEGIN);
        return;
    }
    std::uint64_t end = size;
    if (mode_ & (kFileUtf16Le | kFileUtf16Be)) end &= ~std::uint64_t{1};
    if (end < markLength) end = markLength;
    (void)Seek(static_cast<std::int64_t>(end), FILE_BEGIN);
}

void TextFile::Close() {
    (void)handle_.Close();
    mode_ = 0;
}

std::uint32_t TextFile::Size() const {
    return IsOpen() ? GetFileSize(handle_.Get(), nullptr) : 0;
}

std::uint64_t TextFile::Size64() const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !GetFileSizeEx(handle_.Get(), &size)) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t TextFile::ReadText(WideString& out) {
    out.Clear();
    if (!IsOpen()) return 0;
    LARGE_INTEGER position{};
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(handle_.Get(), zero, &position, FILE_CURRENT)) return 0;
    const std::uint64_t size = Size64();
    const std::uint64_t start = static_cast<std::uint64_t>(position.QuadPart);
    const std::uint64_t left = size > start ? size - start : 0;
    if (left == 0 || left > kMaxTextBytes) return 0;
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(left));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    std::size_t read = 0;
    if (!ReadAll(handle_.Get(), bytes.data(), bytes.size(), read)) return 0;
    bytes.resize(read);
    DecodeText(bytes, EncodingForReading(mode_), out);
    return out.Length();
}

std::size_t TextFile::WriteText(const char16_t* text, std::int64_t length) {
    if (!IsOpen() || text == nullptr) return 0;
    const std::size_t units = length > 0 ? static_cast<std::size_t>(length) : TextLength(text);
    if (units == 0) return 0;
    const TextEncoding encoding = EncodingForWriting(mode_);
    std::string bytes;
    const bool encoded = encoding == TextEncoding::kAnsi
                             ? EncodeAnsi(text, units, bytes)
                             : EncodeUnicodeText(text, units, encoding, bytes);
    if (!encoded || !WriteAll(handle_.Get(), bytes.data(), bytes.size())) return 0;
    return bytes.size();
}

std::size_t TextFile::WriteString(const WideString& text) {
    return WriteText(text.CStr(), static_cast<std::int64_t>(text.Length()));
}

std::uint32_t TextFile::ReadBytes(void* buffer, std::uint32_t count) {
    DWORD read = 0;
    if (!IsOpen() || buffer == nullptr || !ReadFile(handle_.Get(), buffer, count, &read, nullptr)) {
        return 0;
    }
    return read;
}

std::uint32_t TextFile::WriteBytes(const void* buffer, std::uint32_t count) {
    DWORD written = 0;
    if (!IsOpen() || buffer == nullptr ||
        !WriteFile(handle_.Get(), buffer, count, &written, nullptr)) {
        return 0;
    }
    return written;
}

std::uint8_t TextFile::ReadByte() {
    std::uint8_t byte = 0xFF;
    return ReadBytes(&byte, 1) == 1 ? byte : 0xFF;
}

std::uint16_t TextFile::ReadWord() {
    std::uint8_t bytes[2] = {};
    if (ReadBytes(bytes, 2) != 2) return 0xFFFF;
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint64_t TextFile::Seek(std::int64_t offset, DWORD origin) {
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    if (!IsOpen() || !SetFilePointerEx(handle_.Get(), distance, &position, origin)) return 0;
    return static_cast<std::uint64_t>(position.QuadPart);
}

bool TextFile::Flush() {
    return IsOpen() && FlushFileBuffers(handle_.Get());
}

// ---- ReplacingTextFile ----

namespace {

// A target that exists but may not be written (read-only, locked) fails now, as opening it
// directly would, rather than only when the finished file is put in its place.
bool TargetIsWritable(const char16_t* path) {
    const HandleHolder target(CreateFileW(AsWide(path), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    return target || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool ReplacingTextFile::Open(const char16_t* targetPath, std::uint32_t mode) {
    Discard();
    if (targetPath == nullptr || *targetPath == 0 || !TargetIsWritable(targetPath)) return false;
    static LONG counter = 0;
    WideString suffix;
    suffix.FromUInt32(GetCurrentProcessId());
    WideString serial;
    serial.FromUInt32(static_cast<std::uint32_t>(InterlockedIncrement(&counter)));
    // Beside the target, so that the final rename never crosses volumes.
    temporary_.Assign(targetPath, u".~", suffix, u"-", serial, u".tmp");
    target_ = targetPath;
    const std::uint32_t fileMode = (mode | kFileTruncate) & ~kFileAppend;
    if (file_.Open(temporary_.CStr(), fileMode) != nullptr) return true;
    temporary_.Clear();
    target_.Clear();
    return false;
}

bool ReplacingTextFile::Commit() {
    if (!file_.IsOpen()) return false;
    const bool flushed = file_.Flush();
    file_.Close();
    if (flushed && MoveFileExW(AsWide(temporary_), AsWide(target_),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temporary_.Clear();
        target_.Clear();
        return true;
    }
    Discard();
    return false;
}

void ReplacingTextFile::Discard() {
    file_.Close();
    if (!temporary_.IsEmpty()) (void)DeleteFileW(AsWide(temporary_));
    temporary_.Clear();
    target_.Clear();
}

}  // namespace scrutor
