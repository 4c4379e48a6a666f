#pragma once

// The one file object for text files: opens by mode flags (text_encoding.h), recognises and
// writes byte-order marks, converts between the file's encoding and UTF-16.

#include <cstdint>

#include "foundation/handles.h"
#include "foundation/text_encoding.h"
#include "foundation/wide_string.h"

namespace scrutor {

class TextFile {
public:
    TextFile() = default;
    TextFile(const char16_t* path, std::uint32_t mode) { (void)Open(path, mode); }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // The open handle, or null when the file could not be opened.
    HANDLE Open(const char16_t* path, std::uint32_t mode);
    [[nodiscard]] HANDLE IsOpen() const { return handle_.IsValid() ? handle_.Get() : nullptr; }
    void Close();
    [[nodiscard]] std::uint32_t Mode() const { return mode_; }

    [[nodiscard]] std::uint32_t Size() const;
    [[nodiscard]] std::uint64_t Size64() const;

    // Reads from the current position to the end; the number of characters in `out`.
    std::size_t ReadText(WideString& out);
    // Writes `length` characters (0 or less: up to the terminator); the bytes written.
    std::size_t WriteText(const char16_t* text, std::int64_t length);
    std::size_t WriteString(const WideString& text);

    std::uint32_t ReadBytes(void* buffer, std::uint32_t count);
    std::uint32_t WriteBytes(const void* buffer, std::uint32_t count);
    [[nodiscard]] std::uint8_t ReadByte();   // 0xFF when nothing was read
    [[nodiscard]] std::uint16_t ReadWord();  // 0xFFFF when nothing was read
    // New position from the start, 0 on failure. Origin: FILE_BEGIN, FILE_CURRENT, FILE_END.
    std::uint64_t Seek(std::int64_t offset, DWORD origin);
    [[nodiscard]] bool Flush();

private:
    [[nodiscard]] bool PrepareNewFile();
    void PositionAfterMark(std::uint64_t size);

    HandleHolder handle_;
    std::uint32_t mode_ = 0;
};

// Writes a whole file so that a failure never leaves the old content damaged: the text goes to
// a temporary file in the target's folder, which replaces the target only when complete.
class ReplacingTextFile {
public:
    ReplacingTextFile() = default;
    ~ReplacingTextFile() { Discard(); }
    ReplacingTextFile(const ReplacingTextFile&) = delete;
    ReplacingTextFile& operator=(const ReplacingTextFile&) = delete;

    // Mode as for TextFile; truncation is implied (the temporary file starts empty).
    [[nodiscard]] bool Open(const char16_t* targetPath, std::uint32_t mode);
    [[nodiscard]] TextFile& File() { return file_; }
    // Flushes, closes and puts the new file in place of the target.
    [[nodiscard]] bool Commit();
    // Drops the temporary file; the target stays as it was.
    void Discard();

private:
    TextFile file_;
    WideString target_;
    WideString temporary_;
};

}  // namespace scrutor
