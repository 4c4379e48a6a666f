#pragma once

// What the analysis and its report ask of the world, behind small interfaces: the real
// ones use the file system and the registry; tests use their own.
#include <atomic>
#include <cstdint>

#include "foundation/wide_string.h"

namespace scrutor {

// Larger files are not hashed.
inline constexpr std::uint64_t kLargestHashedFile = 134217728;  // 128 MiB

// Set once by whoever ends a job; read throughout the analysis. Never goes back to false.
using CancelFlag = std::atomic<bool>;

class FileFacts {
public:
    virtual ~FileFacts() = default;
    [[nodiscard]] virtual bool Exists(const WideString& path) const = 0;
    // False when the size cannot be read.
    [[nodiscard]] virtual bool Size(const WideString& path, std::uint64_t& bytes) const = 0;
    // 32 upper-case hexadecimal digits.
    [[nodiscard]] virtual bool Md5(const WideString& path, WideString& hex) const = 0;
    // "YYYY/MM/DD hh:mm:ss" in UTC.
    [[nodiscard]] virtual bool CreationTime(const WideString& path, WideString& text) const = 0;
};

// Reports of the service by key (a hash or a URL); keys compare without case.
class ReportStore {
public:
    virtual ~ReportStore() = default;
    // False for a missing, expired or unreadable report.
    [[nodiscard]] virtual bool Read(const WideString& key, WideString& json) = 0;
    [[nodiscard]] virtual bool Write(const WideString& key, const WideString& json) = 0;
};

// What one analysis queued: item name -> its hash (a URL's value is the URL itself).
class RunRecord {
public:
    virtual ~RunRecord() = default;
    [[nodiscard]] virtual bool Get(const WideString& name, WideString& value) const = 0;
    [[nodiscard]] virtual bool Put(const WideString& name, const WideString& value) = 0;
};

// Whole days since 1601-01-01 of a local date and time.
using DayNumber = std::int64_t;

}  // namespace scrutor
