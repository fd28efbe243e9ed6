#include "xml_stream.h"

#include <array>
#include <cstring>
#include <expat.h>
#include <utility>

namespace cellwright {

namespace {

// Between a namespace and a local name in expat's names. No XML 1.0 text can hold this byte,
// so no namespace name can be confused with it.
constexpr char Separator = '\x01';

// Real documents nest a few dozen elements deep; tables nested to the reader's limit stay far
// below this. Each open element costs expat memory, so a flood of them is cut short here.
constexpr int MaxDepth = 4096;

constexpr std::array<std::pair<std::string_view, Ns>, 11> Namespaces = { {
    { "http://schemas.openxmlformats.org/wordprocessingml/2006/main", Ns::Word },
    { "http://purl.oclc.org/ooxml/wordprocessingml/main", Ns::Word },
    { "http://schemas.openxmlformats.org/officeDocument/2006/math", Ns::Math },
    { "http://purl.oclc.org/ooxml/officeDocument/math", Ns::Math },
    { "http://schemas.openxmlformats.org/markup-compatibility/2006", Ns::Compat },
    { "http://schemas.openxmlformats.org/package/2006/relationships", Ns::Relations },
    { "urn:oasis:names:tc:opendocument:xmlns:office:1.0", Ns::Office },
    { "urn:oasis:names:tc:opendocument:xmlns:text:1.0", Ns::Text },
    { "urn:oasis:names:tc:opendocument:xmlns:table:1.0", Ns::Table },
    { "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0", Ns::Draw },
    { "", Ns::None },
} };

struct Name {
    Ns ns;
    std::string_view local;
};

Name Split(const char *name)
{
    const char *separator = std::strchr(name, Separator);
    if (!separator)
        return { Ns::None, name };
    const std::string_view uri(name, size_t(separator - name));
    for (const auto &[known, ns] : Namespaces) {
        if (uri == known)
            return { ns, separator + 1 };
    }
    return { Ns::Other, separator + 1 };
}

} // namespace

std::string_view Attribute(const char **attributes, Ns ns, std::string_view local)
{
    for (; attributes[0]; attributes += 2) {
        const Name name = Split(attributes[0]);
        if (name.ns == ns && name.local == local)
            return attributes[1];
    }
    return {};
}

XmlStream::XmlStream(XmlEvents &events)
    : parser_(XML_ParserCreateNS(nullptr, Separator))
    , events_(events)
{
    if (!parser_)
        return;
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser_, OnText);
    XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
    // Without a DOCTYPE there are no entities to expand; never fetch any from outside either.
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
}

XmlStream::~XmlStream()
{
    if (parser_)
        XML_ParserFree(parser_);
}

bool XmlStream::Feed(std::string_view piece)
{
    if (!parser_)
        return false;
    // Pieces come from fixed-size chunks, far below INT_MAX.
    return XML_Parse(parser_, piece.data(), int(piece.size()), XML_FALSE) == XML_STATUS_OK;
}

bool XmlStream::Finish()
{
    return parser_ && XML_Parse(parser_, nullptr, 0, XML_TRUE) == XML_STATUS_OK;
}

std::u16string XmlStream::Refusal(std::string_view part) const
{
    const std::u16string name(part.begin(), part.end());
    if (doctype_)
        return u"The file is not a valid document: its " + name
            + u" declares a document type, which a .docx or .odt never does.";
    if (tooDeep_)
        return u"The file is damaged: its " + name + u" is nested too deeply.";
    std::string line = "?";
    if (parser_)
        line = std::to_string(XML_GetCurrentLineNumber(parser_));
    return u"The file is damaged: its " + name + u" is not well-formed XML (line "
        + std::u16string(line.begin(), line.end()) + u").";
}

void XmlStream::Stop()
{
    stopped_ = true;
    XML_StopParser(parser_, XML_FALSE);
}

void XmlStream::OnStart(void *self, const char *name, const char **attributes)
{
    auto &stream = *static_cast<XmlStream *>(self);
    // expat may still report what the current piece holds after a stop.
    if (stream.stopped_)
        return;
    if (++stream.depth_ > MaxDepth) {
        stream.tooDeep_ = true;
        stream.Stop();
        return;
    }
    const Name split = Split(name);
    if (!stream.events_.Start(split.ns, split.local, attributes)) {
        stream.stoppedByReader_ = true;
        stream.Stop();
    }
}

void XmlStream::OnEnd(void *self, const char *name)
{
    auto &stream = *static_cast<XmlStream *>(self);
    if (stream.stopped_)
        return;
    --stream.depth_;
    const Name split = Split(name);
    if (!stream.events_.End(split.ns, split.local)) {
        stream.stoppedByReader_ = true;
        stream.Stop();
    }
}

void XmlStream::OnText(void *self, const char *text, int length)
{
    auto &stream = *static_cast<XmlStream *>(self);
    if (stream.stopped_)
        return;
    if (!stream.events_.Text(std::string_view(text, size_t(length)))) {
        stream.stoppedByReader_ = true;
        stream.Stop();
    }
}

void XmlStream::OnDoctype(void *self, const char *, const char *, const char *, int)
{
    auto &stream = *static_cast<XmlStream *>(self);
    stream.doctype_ = true;
    stream.Stop();
}

} // namespace cellwright
