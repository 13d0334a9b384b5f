#include "ZipBuilder.h"

#include <zlib.h>

#include <stdexcept>

namespace tavrin::test {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint16_t kUtf8Names = 0x0800;
constexpr std::uint16_t kVersion = 20;
constexpr std::uint16_t kMadeOnUnix = 3 << 8;

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

struct Record
{
    std::string name;
    std::uint16_t method;
    std::uint32_t crc;
    std::uint32_t compressedSize;
    std::uint32_t size;
    std::optional<std::uint32_t> unixMode;
    std::uint32_t offset;
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

void putLocal(std::string& out, const Record& r)
{
    // Version, flags, method, time, date (1980-01-01), sizes, name and extra lengths.
    put<4>(out, kLocalSignature);
    put<2>(out, kVersion, kUtf8Names, r.method, 0, 0x21);
    put<4>(out, r.crc, r.compressedSize, r.size);
    put<2>(out, r.name.size(), 0);
    out += r.name;
}

void putCentral(std::string& out, const Record& r)
{
    put<4>(out, kCentralSignature);
    put<2>(out, r.unixMode ? kMadeOnUnix | kVersion : kVersion, kVersion, kUtf8Names, r.method, 0,
           0x21);
    put<4>(out, r.crc, r.compressedSize, r.size);
    put<2>(out, r.name.size(), 0, 0, 0, 0);
    put<4>(out, r.unixMode ? *r.unixMode << 16 : 0, r.offset);
    out += r.name;
}

void putEnd(std::string& out, std::size_t count, std::size_t centralStart)
{
    const std::size_t centralSize = out.size() - centralStart;
    put<4>(out, kEndSignature);
    put<2>(out, 0, 0, count, count);
    put<4>(out, centralSize, centralStart);
    put<2>(out, 0);
}

Record recordFor(const ZipEntry& entry, std::string& payload)
{
    if (entry.rawDeflated) {
        payload = *entry.rawDeflated;
    } else {
        payload = entry.deflate ? rawDeflate(entry.data, Z_FINISH) : entry.data;
    }
    const bool deflated = entry.rawDeflated || entry.deflate;
    return Record{entry.name,
                  static_cast<std::uint16_t>(deflated ? 8 : 0),
                  entry.crc.value_or(crc32Of(entry.data)),
                  static_cast<std::uint32_t>(payload.size()),
                  entry.declaredSize.value_or(static_cast<std::uint32_t>(entry.data.size())),
                  entry.unixMode,
                  0};
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
    stream.reserve(chunk.size() * mebibytes + 2);
    for (std::uint32_t i = 0; i < mebibytes; ++i) {
        stream += chunk;
    }
    stream += std::string("\x03\x00", 2);
    return stream;
}

std::string buildOverlappingZip(const std::vector<ZipEntry>& files, const std::string& data,
                                const std::vector<std::string>& sharedNames)
{
    std::string out;
    std::vector<Record> records;
    for (const ZipEntry& entry : files) {
        std::string payload;
        Record record = recordFor(entry, payload);
        record.offset = static_cast<std::uint32_t>(out.size());
        putLocal(out, record);
        out += payload;
        records.push_back(record);
    }
    if (!sharedNames.empty()) {
        std::string payload;
        Record kernel = recordFor({sharedNames.front(), data}, payload);
        kernel.offset = static_cast<std::uint32_t>(out.size());
        putLocal(out, kernel);
        out += payload;
        for (const std::string& name : sharedNames) {
            Record record = kernel;
            record.name = name;
            records.push_back(record);
        }
    }
    const std::size_t centralStart = out.size();
    for (const Record& record : records) {
        putCentral(out, record);
    }
    putEnd(out, records.size(), centralStart);
    return out;
}

} // namespace tavrin::test
