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
    std::optional<std::uint32_t> unixMode = std::nullopt; // 0120777: a symbolic link
    // Written in the headers instead of the real size and CRC.
    std::optional<std::uint32_t> declaredSize = std::nullopt;
    std::optional<std::uint32_t> crc = std::nullopt;
    // Stored as the entry's deflated data instead of data.
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

std::uint32_t crc32Of(const std::string& bytes);

} // namespace tavrin::test
