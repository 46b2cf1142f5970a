#pragma once
// Zip archives through libzip, in process. Archives come from anywhere (a
// TextPack is often a download), so they are inspected whole before anything
// is written.

#include <QString>
#include <cstdint>

// What an archive may hold. Sizes and compression ratios are the ones the
// archive declares; while unpacking, no entry may give more than it declared.
namespace ziplimits {
constexpr std::int64_t kMaxEntries = 10000;
constexpr std::uint64_t kMaxUnpackedBytes = std::uint64_t(1) << 30;  // per entry and for all together
constexpr std::uint64_t kMaxRatio = 100;                              // unpacked : compressed
// Smaller entries (and archives) are not held to the ratio: short, repetitive
// text compresses far better than 100 to 1 and can exhaust nothing.
constexpr std::uint64_t kRatioCheckedFrom = std::uint64_t(1) << 20;
}  // namespace ziplimits

// True when the archive can be unpacked safely: within the limits above, no
// entry encrypted, no symbolic link, no path that is absolute or climbs out
// of the unpack folder ("../x"). False with a message for the user in `error`.
bool checkZipArchive(const QString& archivePath, QString* error = nullptr);

// Unpacks every entry of the archive into the folder (created if needed),
// after checkZipArchive's inspection; a refused archive writes nothing. When
// unpacking fails part way (an entry larger than it declared, a read or
// write error), what was written for this archive is removed again. False
// with `error` filled on any failure.
bool extractZipArchive(const QString& archivePath, const QString& destinationFolder, QString* error = nullptr);
