// The engine's only contact with the file system: reading a document's bytes and replacing a file
// with new bytes atomically. Both answer with what happened instead of showing anything.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace cellwright {

// Larger documents are refused before they are read into memory: 5000 lines of a paper never
// need this much, and reading keeps several copies of the text while it splits the lines.
inline constexpr std::uintmax_t MaxDocumentBytes = 64u << 20;

// Why a document could not be read, for front ends that say more than that it failed.
enum class ReadFailure {
    None,
    NoSuchFile,
    PermissionDenied,
    IsFolder,
    NotRegularFile,
    Empty,
    TooManyLines,
    TooLarge,
    NotTextDocument, // a word-processor file the reader refused; the reason says why
    Other, // the system's reason says what
};

struct FileBytes {
    std::string Bytes;
    ReadFailure Failure = ReadFailure::None;
    int SystemError = 0; // with Other: the system's error number
};

// How a word-processor file starts: a zip package (.docx, .odt and their kin: a local file header
// first, or an empty archive's end record alone), or an old binary Office (compound) file.
inline constexpr std::string_view CompoundSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
inline bool IsZipSignature(std::string_view bytes)
{
    return bytes.starts_with(std::string_view("PK\x03\x04", 4))
        || bytes.starts_with(std::string_view("PK\x05\x06", 4));
}
// True when the bytes are a zip package or an old binary Office file: such a file is never read
// as text, and a save never replaces it.
inline bool IsWordProcessorFile(std::string_view bytes)
{
    return IsZipSignature(bytes) || bytes.starts_with(CompoundSignature);
}

// Reads a whole regular file of at most MaxDocumentBytes.
FileBytes ReadFileBytes(const std::filesystem::path &path);

// Writes every byte to fd, going on after interrupted calls; the system's error, or 0.
int WriteAll(int fd, std::string_view bytes);

// The system's text for an error number, in the user's language, as 16-bit text.
std::u16string SystemReason(int error);

// Replaces (or creates) the file at path with bytes, all or nothing: the existing file keeps every
// byte when anything fails. A replaced file keeps its permissions and, where this process may
// set them, its owner, group and extended attributes. A link is followed to the file it names,
// except one that loops, and one in a folder everyone may write to with the sticky bit set that
// belongs neither to this user nor to the folder's owner. The temporary file beside the target is
// tried first under firstTemporaryName when one is given (tests). Returns why it could not save,
// or empty.
std::u16string SaveFileAtomically(const std::filesystem::path &path, std::string_view bytes,
    const std::u16string &firstTemporaryName = {});

} // namespace cellwright
