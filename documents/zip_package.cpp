#include "zip_package.h"

#include <zip.h>

namespace cellwright {

namespace {

// Big enough that the call overhead vanishes, small enough to stay in the cache with the parser.
constexpr size_t ChunkSize = 64 * 1024;

ZipPackage::Status StatusOf(int zipError)
{
    switch (zipError) {
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return ZipPackage::Status::Encrypted;
    case ZIP_ER_COMPNOTSUPP:
        return ZipPackage::Status::Unsupported;
    default:
        return ZipPackage::Status::Damaged;
    }
}

} // namespace

ZipPackage::ZipPackage(std::string_view bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!archive_)
            zip_source_free(source);
    }
    zip_error_fini(&error);
}

ZipPackage::~ZipPackage()
{
    if (archive_)
        zip_discard(archive_);
}

bool ZipPackage::Has(const char *name, bool ignoreCase) const
{
    return archive_ && zip_name_locate(archive_, name, ignoreCase ? ZIP_FL_NOCASE : 0) >= 0;
}

ZipPackage::Status ZipPackage::Read(const char *name, size_t ceiling,
    const std::function<bool(std::string_view)> &chunk, bool ignoreCase)
{
    if (!archive_)
        return Status::Damaged;
    const zip_int64_t index = zip_name_locate(archive_, name, ignoreCase ? ZIP_FL_NOCASE : 0);
    if (index < 0)
        return Status::Missing;
    zip_stat_t stat;
    if (zip_stat_index(archive_, zip_uint64_t(index), 0, &stat) != 0)
        return Status::Damaged;
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return Status::Encrypted;
    // Documents are stored or deflated; refusing the rest keeps the other decoders out of reach.
    if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method != ZIP_CM_STORE
        && stat.comp_method != ZIP_CM_DEFLATE)
        return Status::Unsupported;
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > ceiling)
        return Status::TooLarge;

    zip_file_t *file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (!file)
        return StatusOf(zip_error_code_zip(zip_get_error(archive_)));
    Status status = Status::Read;
    std::string buffer(ChunkSize, '\0');
    size_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer.data(), buffer.size());
        if (got < 0) {
            // A bad checksum shows here, on the read that reaches the end.
            status = StatusOf(zip_error_code_zip(zip_file_get_error(file)));
            break;
        }
        if (got == 0)
            break;
        total += size_t(got);
        if (total > ceiling) {
            status = Status::TooLarge;
            break;
        }
        if (!chunk(std::string_view(buffer.data(), size_t(got)))) {
            status = Status::Stopped;
            break;
        }
    }
    zip_fclose(file);
    return status;
}

ZipPackage::Status ZipPackage::ReadAll(
    const char *name, size_t ceiling, std::string &out, bool ignoreCase)
{
    out.clear();
    return Read(
        name, ceiling,
        [&out](std::string_view piece) {
            out += piece;
            return true;
        },
        ignoreCase);
}

} // namespace cellwright
