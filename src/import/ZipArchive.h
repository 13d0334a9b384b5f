#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class QString;
struct zip;

namespace tavrin {

/// A ZIP archive read in place, addressed by '/'-separated paths relative to its root.
/// Nothing is ever written to disk. Entries whose names could escape the root (absolute,
/// with "..", with backslashes) cannot be addressed at all; symbolic links, encrypted
/// entries and entries that fail their CRC or length check exist but cannot be read.
/// Uncompressed bytes are budgeted per entry and for the whole archive, so a ZIP bomb
/// costs at most the budget. Not thread-safe: reads of one archive must not overlap.
class ZipArchive
{
public:
    struct Limits
    {
        std::uint64_t maxEntryBytes = std::uint64_t{16} << 20;
        std::uint64_t maxTotalBytes = std::uint64_t{256} << 20;
    };

    enum class ReadStatus
    {
        ok,
        missing,
        unreadable,
        /// The archive's whole budget is spent; every later read fails the same way.
        budgetExhausted,
    };

    struct ReadResult
    {
        ReadStatus status = ReadStatus::missing;
        std::string bytes;
        bool ok() const { return status == ReadStatus::ok; }
    };

    /// Opens the archive file at path; nullopt when it is not a readable ZIP archive.
    static std::optional<ZipArchive> open(const QString& path);
    static std::optional<ZipArchive> open(const QString& path, Limits limits);
    /// Opens an archive held in memory; bytes must outlive the archive.
    static std::optional<ZipArchive> openMemory(std::string_view bytes);
    static std::optional<ZipArchive> openMemory(std::string_view bytes, Limits limits);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    /// Whether a file or folder exists at the normalized path ("" is the root).
    bool exists(std::string_view path) const;
    /// The whole uncompressed file at the normalized path.
    ReadResult read(std::string_view path);
    bool budgetExhausted() const { return m_budgetExhausted; }

private:
    struct ZipCloser
    {
        void operator()(zip* archive) const;
    };

    ZipArchive(zip* archive, Limits limits);
    static std::optional<ZipArchive> adopt(zip* archive, Limits limits);
    void index();
    std::optional<std::uint64_t> find(std::string_view path) const;

    std::unique_ptr<zip, ZipCloser> m_zip;
    Limits m_limits;
    std::uint64_t m_bytesRead = 0;
    bool m_budgetExhausted = false;
    std::unordered_map<std::string, std::uint64_t> m_files;
    // Lower-cased (ASCII) names of files, for books whose links differ from their file
    // names in letter case only; ambiguous names map to kAmbiguous.
    std::unordered_map<std::string, std::uint64_t> m_foldedFiles;
    std::unordered_set<std::string> m_folders;
    std::unordered_set<std::uint64_t> m_links;
};

} // namespace tavrin
