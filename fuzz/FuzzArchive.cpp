#include "FuzzArchive.h"

#include <zip.h>

namespace tavrin::fuzz {

QByteArray makeArchive(const std::vector<std::pair<std::string, std::string>>& files)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    QByteArray bytes;
    if (!buffer) {
        return bytes;
    }
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (archive) {
        for (const auto& [name, data] : files) {
            zip_source_t* file = zip_source_buffer(archive, data.data(), data.size(), 0);
            if (file && zip_file_add(archive, name.c_str(), file, ZIP_FL_ENC_UTF_8) < 0) {
                zip_source_free(file);
            }
        }
        zip_close(archive);
    }
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(static_cast<qsizetype>(stat.size));
        const zip_int64_t read = zip_source_read(buffer, bytes.data(), stat.size);
        bytes.resize(read < 0 ? 0 : static_cast<qsizetype>(read));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

} // namespace tavrin::fuzz
