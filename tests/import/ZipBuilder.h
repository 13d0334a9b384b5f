#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::test {

/// One file of a test archive. The overrides craft broken or hostile archives.
struct ZipEntry
{
    std::string name;
    std::string data;
    bool deflate = true;
    /// Unix mode bits stored as made on Unix (for example 0120777 for a symbolic link).
    std::optional<std::uint32_t> unixMode = std::nullopt;
    /// The uncompressed size written in the headers instead of the real one.
    std::optional<std::uint32_t> declaredSize = std::nullopt;
    /// The CRC written in the headers instead of the real one.
    std::optional<std::uint32_t> crc = std::nullopt;
    /// Already-deflated bytes to store as the entry's data (data is then ignored, and the
    /// sizes and CRC must come from the overrides).
    std::optional<std::string> rawDeflated = std::nullopt;
};

/// Writes a ZIP archive in memory from the entries, in order, exactly as given: names
/// are not checked, duplicates are kept.
std::string buildZip(const std::vector<ZipEntry>& entries);

/// A deflate stream that inflates to count copies of the 1 MiB chunk of the byte fill;
/// about a kilobyte per copy of zeros, so gigabytes cost megabytes at most.
std::string deflateRepeated(char fill, std::uint32_t mebibytes);

/// An archive whose entries count share one local file: every central directory record
/// points at the same compressed data, which inflates to data (one file's worth),
/// preceded by the regular files. The archive stays the size of one copy.
std::string buildOverlappingZip(const std::vector<ZipEntry>& files, const std::string& data,
                                const std::vector<std::string>& sharedNames);

/// CRC-32 of bytes, as ZIP stores it.
std::uint32_t crc32Of(const std::string& bytes);

} // namespace tavrin::test
