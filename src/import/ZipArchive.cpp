#include "import/ZipArchive.h"

#include "import/PathUtil.h"
#include "tokenize/UnicodeText.h"

#include <QFile>
#include <QString>

#include <zip.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace tavrin {

namespace {

constexpr std::uint64_t kAmbiguous = std::numeric_limits<std::uint64_t>::max();

std::string foldCase(std::string_view path)
{
    std::string folded(path);
    std::transform(folded.begin(), folded.end(), folded.begin(), UnicodeText::asciiLower);
    return folded;
}

// An entry name that an extracting tool could turn into a path outside its target folder,
// or that means different things on different systems, is never addressed.
bool isSafeName(std::string_view name)
{
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        if (name.substr(start, end - start) == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool isSymbolicLink(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) {
        return false;
    }
    constexpr zip_uint32_t kTypeMask = 0170000;
    constexpr zip_uint32_t kLink = 0120000;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & kTypeMask) == kLink;
}

} // namespace

void ZipArchive::ZipCloser::operator()(zip* archive) const
{
    zip_discard(archive);
}

ZipArchive::ZipArchive(zip* archive, Limits limits) : m_zip(archive), m_limits(limits)
{
    index();
}

std::optional<ZipArchive> ZipArchive::adopt(zip* archive, Limits limits)
{
    // libzip opens an empty file as a new, empty archive; unpacking tools refuse both.
    if (zip_get_num_entries(archive, 0) <= 0) {
        zip_discard(archive);
        return std::nullopt;
    }
    return ZipArchive(archive, limits);
}

ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

std::optional<ZipArchive> ZipArchive::open(const QString& path)
{
    return open(path, Limits{});
}

std::optional<ZipArchive> ZipArchive::openMemory(std::string_view bytes)
{
    return openMemory(bytes, Limits{});
}

std::optional<ZipArchive> ZipArchive::open(const QString& path, Limits limits)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive) {
        return std::nullopt;
    }
    return adopt(archive, limits);
}

std::optional<ZipArchive> ZipArchive::openMemory(std::string_view bytes, Limits limits)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    return adopt(archive, limits);
}

void ZipArchive::index()
{
    const zip_int64_t count = zip_get_num_entries(m_zip.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto entry = static_cast<zip_uint64_t>(i);
        const char* rawName = zip_get_name(m_zip.get(), entry, ZIP_FL_ENC_GUESS);
        if (!rawName || !isSafeName(rawName)) {
            continue;
        }
        const std::string_view name(rawName);
        const bool isFolder = name.back() == '/';
        const std::optional<std::string> path = PathUtil::normalize(name);
        if (!path || path->empty()) {
            continue;
        }
        if (isFolder) {
            m_folders.insert(*path);
        } else {
            // A later entry of the same name replaces the earlier, as extracting would.
            m_files[*path] = entry;
            if (isSymbolicLink(m_zip.get(), entry)) {
                m_links.insert(entry);
            }
        }
        for (std::size_t slash = path->find('/'); slash != std::string::npos;
             slash = path->find('/', slash + 1)) {
            m_folders.insert(path->substr(0, slash));
        }
    }
    for (const auto& [path, entry] : m_files) {
        const auto [it, inserted] = m_foldedFiles.emplace(foldCase(path), entry);
        if (!inserted && it->second != entry) {
            it->second = kAmbiguous;
        }
    }
}

std::optional<std::uint64_t> ZipArchive::find(std::string_view path) const
{
    const std::string key(path);
    if (const auto it = m_files.find(key); it != m_files.end()) {
        return it->second;
    }
    if (m_folders.contains(key)) {
        return std::nullopt;
    }
    if (const auto it = m_foldedFiles.find(foldCase(path));
        it != m_foldedFiles.end() && it->second != kAmbiguous) {
        return it->second;
    }
    return std::nullopt;
}

bool ZipArchive::exists(std::string_view path) const
{
    return path.empty() || find(path).has_value() || m_folders.contains(std::string(path));
}

ZipArchive::ReadResult ZipArchive::read(std::string_view path)
{
    if (m_budgetExhausted) {
        return {ReadStatus::budgetExhausted, {}};
    }
    const std::optional<std::uint64_t> entry = find(path);
    if (!entry) {
        return {exists(path) ? ReadStatus::unreadable : ReadStatus::missing, {}};
    }
    if (m_links.contains(*entry)) {
        return {ReadStatus::unreadable, {}};
    }

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip.get(), *entry, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        return {ReadStatus::unreadable, {}};
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        return {ReadStatus::unreadable, {}};
    }
    if ((stat.valid & ZIP_STAT_COMP_METHOD) &&
        !zip_compression_method_supported(stat.comp_method, 0)) {
        return {ReadStatus::unreadable, {}};
    }
    if (stat.size > m_limits.maxEntryBytes) {
        return {ReadStatus::unreadable, {}};
    }
    // The declared size is charged before reading; the read below never goes past it.
    if (stat.size > m_limits.maxTotalBytes - m_bytesRead) {
        m_budgetExhausted = true;
        return {ReadStatus::budgetExhausted, {}};
    }
    m_bytesRead += stat.size;

    zip_file_t* file = zip_fopen_index(m_zip.get(), *entry, 0);
    if (!file) {
        return {ReadStatus::unreadable, {}};
    }
    ReadResult result{ReadStatus::ok, std::string(static_cast<std::size_t>(stat.size), '\0')};
    std::size_t filled = 0;
    bool failed = false;
    while (filled < result.bytes.size()) {
        const zip_int64_t n = zip_fread(file, result.bytes.data() + filled,
                                        static_cast<zip_uint64_t>(result.bytes.size() - filled));
        if (n <= 0) {
            failed = true;
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    // Reading on to the end makes libzip compare the CRC, and shows an entry whose data
    // is longer than its header claims.
    if (!failed) {
        char extra = 0;
        failed = zip_fread(file, &extra, 1) != 0;
    }
    if (zip_fclose(file) != 0) {
        failed = true;
    }
    if (failed) {
        return {ReadStatus::unreadable, {}};
    }
    return result;
}

} // namespace tavrin
