#include "zip_package.h"

#include <algorithm>
#include <cstring>
#include <minizip/unzip.h>

namespace cellwright {

namespace {

// Inflated at most this much at a time, so that a member claiming less than it holds is caught
// within one chunk of the ceiling.
constexpr size_t ChunkSize = 64 * 1024;

// The package's bytes as the file minizip reads: every call answers from memory.
struct MemoryFile {
    std::string_view bytes;
    size_t position = 0;
};

voidpf Open(voidpf opaque, const void *, int)
{
    return opaque;
}

uLong ReadBytes(voidpf, voidpf stream, void *to, uLong size)
{
    auto *file = static_cast<MemoryFile *>(stream);
    const size_t count = std::min<size_t>(size, file->bytes.size() - file->position);
    std::memcpy(to, file->bytes.data() + file->position, count);
    file->position += count;
    return uLong(count);
}

uLong WriteBytes(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T Tell(voidpf, voidpf stream)
{
    return static_cast<MemoryFile *>(stream)->position;
}

long Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *file = static_cast<MemoryFile *>(stream);
    const size_t base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0
        : origin == ZLIB_FILEFUNC_SEEK_CUR               ? file->position
                                                         : file->bytes.size();
    if (offset > file->bytes.size() - base)
        return -1;
    file->position = base + size_t(offset);
    return 0;
}

int Close(voidpf, voidpf)
{
    return 0;
}

int Error(voidpf, voidpf)
{
    return 0;
}

// Part names of an Office package compare without case; those of OpenDocument with it.
int CaseRule(bool ignoreCase)
{
    return ignoreCase ? 2 : 1;
}

} // namespace

struct ZipPackage::Archive {
    MemoryFile file;
    unzFile zip = nullptr;
};

ZipPackage::ZipPackage(std::string_view bytes)
    : archive_(std::make_unique<Archive>(Archive { { bytes, 0 }, nullptr }))
{
    zlib_filefunc64_def functions {};
    functions.zopen64_file = Open;
    functions.zread_file = ReadBytes;
    functions.zwrite_file = WriteBytes;
    functions.ztell64_file = Tell;
    functions.zseek64_file = Seek;
    functions.zclose_file = Close;
    functions.zerror_file = Error;
    functions.opaque = &archive_->file;
    archive_->zip = unzOpen2_64("", &functions);
}

ZipPackage::~ZipPackage()
{
    if (archive_->zip)
        unzClose(archive_->zip);
}

bool ZipPackage::IsOpen() const
{
    return archive_->zip != nullptr;
}

bool ZipPackage::Has(const char *name, bool ignoreCase) const
{
    return IsOpen() && unzLocateFile(archive_->zip, name, CaseRule(ignoreCase)) == UNZ_OK;
}

ZipPackage::Status ZipPackage::Read(
    const char *name, size_t ceiling, std::string &out, bool ignoreCase)
{
    out.clear();
    if (!IsOpen())
        return Status::Damaged;
    unzFile zip = archive_->zip;
    if (unzLocateFile(zip, name, CaseRule(ignoreCase)) != UNZ_OK)
        return Status::Missing;
    unz_file_info64 info {};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return Status::Damaged;
    if (info.flag & 1)
        return Status::Encrypted;
    // Documents are stored or deflated; refusing the rest keeps other decoders out of reach.
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED)
        return Status::Unsupported;
    if (info.uncompressed_size > ceiling)
        return Status::TooLarge;
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return Status::Damaged;

    // The claim is at most the ceiling; room that a false claim leaves unused is never touched.
    out.reserve(size_t(info.uncompressed_size) + 1);
    Status status = Status::Read;
    for (;;) {
        // Inflate into the room reserved while there is some, so a true claim never copies.
        const size_t total = out.size();
        const size_t want
            = out.capacity() > total ? std::min(out.capacity() - total, ChunkSize) : ChunkSize;
        out.resize(total + want);
        const int got = unzReadCurrentFile(zip, out.data() + total, unsigned(want));
        out.resize(total + size_t(std::max(got, 0)));
        if (got < 0) {
            status = Status::Damaged;
            break;
        }
        if (got == 0)
            break;
        // Whatever the header claimed: the ceiling counts what actually comes out.
        if (out.size() > ceiling) {
            status = Status::TooLarge;
            break;
        }
    }
    // A bad checksum shows on closing a member read to its end.
    if (unzCloseCurrentFile(zip) != UNZ_OK && status == Status::Read)
        status = Status::Damaged;
    if (status != Status::Read)
        out.clear();
    return status;
}

} // namespace cellwright
