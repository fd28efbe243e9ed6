#include "word_document.h"

#include "body_readers.h"
#include "document_builder.h"
#include "xml_stream.h"
#include "zip_package.h"

#include <cstring>

namespace cellwright {

namespace {

// A main part past this is no paper: reading stops there, whatever the zip header claims.
constexpr size_t MaxMainPart = 64 * 1024 * 1024;
// Relationships, the media type and the manifest are a few hundred bytes in real packages.
constexpr size_t MaxSmallPart = 1024 * 1024;

constexpr std::u16string_view NotDocument = u"The file is not a .docx or .odt document.";
constexpr std::u16string_view ZipNotDocument
    = u"The file is a zip archive, not a .docx or .odt document.";
constexpr std::u16string_view Protected
    = u"The file is a password-protected document: remove the password and save it again.";
constexpr std::u16string_view Legacy
    = u"The file is an old binary Office document: save it as .docx or .odt and open that.";
constexpr std::u16string_view Spreadsheet = u"The file is a spreadsheet, not a text document.";
constexpr std::u16string_view Presentation = u"The file is a presentation, not a text document.";
constexpr std::u16string_view DamagedZip = u"The file is damaged: its zip package cannot be read.";
constexpr std::u16string_view NoText = u"The file is damaged: its package holds no document text.";
constexpr std::u16string_view TooLarge
    = u"The document is too large to read: its text unpacks to more than 64 MiB.";

WordDocumentRead Refused(std::u16string_view why)
{
    return { std::nullopt, std::u16string(why) };
}

// Whether a compound file has a stream named EncryptedPackage: how Office stores a document
// with a password. Directory entries fill whole sectors after the 512-byte header, and sectors
// are 512 or 4096 bytes, so every entry starts on a multiple of 128; each holds its UTF-16 name
// (64 bytes), the name's length with its terminator, then its type (2: a stream).
bool HoldsEncryptedPackage(std::string_view bytes)
{
    static constexpr char16_t Name[] = u"EncryptedPackage";
    constexpr size_t NameBytes = sizeof(Name); // with the terminator
    char entryName[NameBytes];
    for (size_t i = 0; i < NameBytes / 2; ++i) {
        entryName[2 * i] = char(Name[i] & 0xFF);
        entryName[2 * i + 1] = char(Name[i] >> 8);
    }
    for (size_t at = 512; at + 128 <= bytes.size(); at += 128) {
        const char *entry = bytes.data() + at;
        if (std::memcmp(entry, entryName, NameBytes) == 0 && entry[64] == char(NameBytes)
            && entry[65] == 0 && entry[66] == 2)
            return true;
    }
    return false;
}

std::u16string Widen(std::string_view ascii)
{
    return { ascii.begin(), ascii.end() };
}

// The refusal for a member that could not be read to its end.
std::u16string ReadFailure(ZipPackage::Status status, std::string_view part)
{
    switch (status) {
    case ZipPackage::Status::Missing:
        return std::u16string(NoText);
    case ZipPackage::Status::TooLarge:
        return std::u16string(TooLarge);
    case ZipPackage::Status::Encrypted:
        return std::u16string(Protected);
    case ZipPackage::Status::Unsupported:
        return u"The file cannot be read: its " + Widen(part)
            + u" is packed in a way documents never are.";
    default:
        return u"The file is damaged: its " + Widen(part) + u" cannot be unpacked.";
    }
}

// Reads a main part through its body reader into a document.
WordDocumentRead ReadMainPart(ZipPackage &package, const std::string &part, bool ignoreCase,
    std::unique_ptr<XmlEvents> (*makeReader)(DocumentBuilder &))
{
    DocumentBuilder document;
    const std::unique_ptr<XmlEvents> reader = makeReader(document);
    XmlStream xml(*reader);
    std::string bytes;
    const ZipPackage::Status status = package.Read(part.c_str(), MaxMainPart, bytes, ignoreCase);
    if (status != ZipPackage::Status::Read)
        return Refused(ReadFailure(status, part));
    if (!xml.Parse(std::move(bytes))) {
        if (xml.StoppedByReader() && !document.Ok())
            return Refused(document.Refusal());
        return Refused(xml.Refusal(part));
    }
    return document.Finish();
}

// The target of the package's officeDocument relationship, from _rels/.rels.
class RelationshipsReader final : public XmlEvents {
public:
    std::string MainPart;

    bool Start(Ns ns, std::string_view local, const XmlAttributes &attributes) override
    {
        if (ns != Ns::Relations || local != "Relationship" || !MainPart.empty())
            return true;
        const std::string_view type = attributes.Get(Ns::None, "Type");
        if (!type.ends_with("/officeDocument")
            || attributes.Get(Ns::None, "TargetMode") == "External")
            return true;
        std::string_view target = attributes.Get(Ns::None, "Target");
        // Targets here are relative to the package root, written with or without a slash.
        while (target.starts_with('/'))
            target.remove_prefix(1);
        if (target.starts_with("./"))
            target.remove_prefix(2);
        MainPart = target;
        return true;
    }
    bool End() override { return true; }
    bool Text(std::string_view) override { return true; }
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != prefix[i])
            return false;
    }
    return true;
}

WordDocumentRead ReadOfficeOpenXml(ZipPackage &package)
{
    std::string mainPart;
    std::string relationships;
    if (package.Read("_rels/.rels", MaxSmallPart, relationships, true)
        == ZipPackage::Status::Read) {
        RelationshipsReader reader;
        XmlStream xml(reader);
        // A damaged relationships part still leaves the usual name to try.
        if (xml.Parse(std::move(relationships)))
            mainPart = reader.MainPart;
    }
    if (StartsWithNoCase(mainPart, "xl/"))
        return Refused(Spreadsheet);
    if (StartsWithNoCase(mainPart, "ppt/"))
        return Refused(Presentation);
    if (mainPart.empty() || !package.Has(mainPart.c_str(), true))
        mainPart = "word/document.xml";
    if (!package.Has(mainPart.c_str(), true)) {
        if (package.Has("xl/workbook.xml", true))
            return Refused(Spreadsheet);
        if (package.Has("ppt/presentation.xml", true))
            return Refused(Presentation);
        return Refused(NoText);
    }
    return ReadMainPart(package, mainPart, true, MakeWordBodyReader);
}

WordDocumentRead ReadOpenDocument(ZipPackage &package)
{
    std::string mimetype;
    const ZipPackage::Status status = package.Read("mimetype", MaxSmallPart, mimetype);
    if (status == ZipPackage::Status::Read) {
        while (!mimetype.empty()
            && (mimetype.back() == '\n' || mimetype.back() == '\r' || mimetype.back() == ' '))
            mimetype.pop_back();
        if (mimetype != "application/vnd.oasis.opendocument.text"
            && mimetype != "application/vnd.oasis.opendocument.text-template") {
            if (mimetype.find("spreadsheet") != mimetype.npos)
                return Refused(Spreadsheet);
            if (mimetype.find("presentation") != mimetype.npos)
                return Refused(Presentation);
            return Refused(NotTextRefusal);
        }
    } else if (status != ZipPackage::Status::Missing) {
        return Refused(ReadFailure(status, "mimetype"));
    }
    // A password encrypts the parts and says how in the manifest; the parts read as noise.
    std::string manifest;
    if (package.Read("META-INF/manifest.xml", MaxSmallPart, manifest) == ZipPackage::Status::Read
        && manifest.find("encryption-data") != manifest.npos)
        return Refused(Protected);
    return ReadMainPart(package, "content.xml", false, MakeOpenDocumentBodyReader);
}

} // namespace

WordDocumentRead ReadWordDocument(std::string_view bytes)
{
    if (bytes.starts_with(CompoundSignature))
        return Refused(HoldsEncryptedPackage(bytes) ? Protected : Legacy);
    if (!IsZipSignature(bytes))
        return Refused(NotDocument);
    ZipPackage package(bytes);
    if (!package.IsOpen())
        return Refused(DamagedZip);
    // The media type names an OpenDocument; relationships or the usual part name, an Office one.
    if (package.Has("mimetype"))
        return ReadOpenDocument(package);
    if (package.Has("_rels/.rels", true) || package.Has("word/document.xml", true))
        return ReadOfficeOpenXml(package);
    if (package.Has("content.xml"))
        return ReadOpenDocument(package);
    return Refused(ZipNotDocument);
}

} // namespace cellwright
