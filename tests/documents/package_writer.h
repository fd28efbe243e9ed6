// Writes a zip package in memory, for the fuzz target and the benchmark to wrap document parts
// they make themselves.
#pragma once

#include <string>
#include <utility>
#include <vector>
#include <zip.h>

namespace cellwright {

// The package holding the members (name, bytes) in order, deflated or stored; empty on failure.
inline std::string WritePackage(
    const std::vector<std::pair<std::string, std::string>> &members, bool deflate = true)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!buffer)
        return {};
    zip_source_keep(buffer); // the archive frees its source on closing; the bytes are read after
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    std::string out;
    if (archive) {
        bool added = true;
        for (const auto &[name, bytes] : members) {
            zip_source_t *member = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
            const zip_int64_t index
                = member ? zip_file_add(archive, name.c_str(), member, ZIP_FL_OVERWRITE) : -1;
            if (index < 0) {
                zip_source_free(member);
                added = false;
                break;
            }
            zip_set_file_compression(
                archive, zip_uint64_t(index), deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
        }
        if (!added || zip_close(archive) != 0) {
            zip_discard(archive);
            zip_source_free(buffer);
            return {};
        }
        zip_stat_t stat;
        if (zip_source_open(buffer) == 0) {
            if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
                out.resize(stat.size);
                if (zip_source_read(buffer, out.data(), stat.size) != zip_int64_t(stat.size))
                    out.clear();
            }
            zip_source_close(buffer);
        }
    }
    zip_source_free(buffer);
    return out;
}

} // namespace cellwright
