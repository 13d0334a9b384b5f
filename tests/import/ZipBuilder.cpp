#include "ZipBuilder.h"

#include <zlib.h>

#include <stdexcept>

namespace tavrin::test {

namespace {

std::string rawDeflate(const std::string& data, int flush)
{
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, flush);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// One entry as the headers describe it.
struct Record
{
    std::string name;
    std::uint32_t method, crc, compressedSize, size;
    std::optional<std::uint32_t> unixMode;
    std::uint32_t offset = 0;
};

// Little-endian fields of the given width in bytes.
template<int Width, typename... Values> void put(std::string& out, Values... values)
{
    for (const auto value : {static_cast<std::uint32_t>(values)...}) {
        for (int i = 0; i < Width; ++i) {
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    }
}

// The local header (central == false) or the central directory record; the fields after
// the signature are the version(s), UTF-8 names, the method, 1980-01-01, sizes and lengths.
void putHeader(std::string& out, const Record& r, bool central)
{
    put<4>(out, central ? 0x02014b50 : 0x04034b50);
    if (central) {
        put<2>(out, r.unixMode ? (3 << 8) | 20 : 20); // made on Unix
    }
    put<2>(out, 20, 0x0800, r.method, 0, 0x21);
    put<4>(out, r.crc, r.compressedSize, r.size);
    put<2>(out, r.name.size(), 0);
    if (central) {
        put<2>(out, 0, 0, 0);
        put<4>(out, r.unixMode ? *r.unixMode << 16 : 0, r.offset);
    }
    out += r.name;
}

// Appends the entry's local header and data to out.
Record append(std::string& out, const ZipEntry& entry)
{
    const std::string payload = entry.rawDeflated ? *entry.rawDeflated
                                : entry.deflate   ? rawDeflate(entry.data, Z_FINISH)
                                                  : entry.data;
    const Record record{entry.name,
                        entry.rawDeflated || entry.deflate ? 8u : 0u,
                        entry.crc.value_or(crc32Of(entry.data)),
                        static_cast<std::uint32_t>(payload.size()),
                        entry.declaredSize.value_or(static_cast<std::uint32_t>(entry.data.size())),
                        entry.unixMode,
                        static_cast<std::uint32_t>(out.size())};
    putHeader(out, record, false);
    out += payload;
    return record;
}

} // namespace

std::uint32_t crc32Of(const std::string& bytes)
{
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string buildZip(const std::vector<ZipEntry>& entries)
{
    return buildOverlappingZip(entries, {}, {});
}

std::string deflateRepeated(char fill, std::uint32_t mebibytes)
{
    // A sync flush ends the chunk on a byte boundary with every block non-final, so
    // copies of it chain into one stream; an empty final block closes it.
    const std::string chunk = rawDeflate(std::string(std::size_t{1} << 20, fill), Z_SYNC_FLUSH);
    std::string stream;
    for (std::uint32_t i = 0; i < mebibytes; ++i) {
        stream += chunk;
    }
    return stream + std::string("\x03\x00", 2);
}

std::string buildOverlappingZip(const std::vector<ZipEntry>& files, const std::string& data,
                                const std::vector<std::string>& sharedNames)
{
    std::string out;
    std::vector<Record> records;
    for (const ZipEntry& entry : files) {
        records.push_back(append(out, entry));
    }
    if (!sharedNames.empty()) {
        const Record shared = append(out, {sharedNames.front(), data});
        for (const std::string& name : sharedNames) {
            records.push_back(shared);
            records.back().name = name;
        }
    }
    const std::size_t centralStart = out.size();
    for (const Record& record : records) {
        putHeader(out, record, true);
    }
    const std::size_t centralSize = out.size() - centralStart;
    put<4>(out, 0x06054b50);
    put<2>(out, 0, 0, records.size(), records.size());
    put<4>(out, centralSize, centralStart);
    put<2>(out, 0);
    return out;
}

} // namespace tavrin::test
