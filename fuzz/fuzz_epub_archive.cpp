// The whole importer on an archive held in memory: ZIP structure, container, package
// document and chapters all come from the input.
#include "import/EPUBParser.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray archive(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)tavrin::EPUBParser::parse(archive);
    return 0;
}
