// A zip package read from bytes in memory, each member read whole up to a ceiling.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace cellwright {

class ZipPackage {
public:
    enum class Status {
        Read,
        Missing, // no member of that name
        Damaged, // bad header, bad checksum, truncated data
        TooLarge, // the member inflates past the ceiling given
        Encrypted, // the member needs a password
        Unsupported, // packed by a method a document never uses
    };

    // The bytes must outlive the package: members are read from them in place.
    explicit ZipPackage(std::string_view bytes);
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    bool IsOpen() const;
    // Part names of an Office package compare without case; those of OpenDocument with it.
    bool Has(const char *name, bool ignoreCase = false) const;

    // The whole member, when it inflates to no more than ceiling bytes, whatever its header
    // claims.
    Status Read(const char *name, size_t ceiling, std::string &out, bool ignoreCase = false);

private:
    struct Archive;
    std::unique_ptr<Archive> archive_; // the bytes as minizip reads them, and the package
};

} // namespace cellwright
