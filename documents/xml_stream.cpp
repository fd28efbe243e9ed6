#include "xml_stream.h"

#include <array>
#include <cstring>
#include <expat.h>
#include <utility>

namespace cellwright {

namespace {

// Real documents nest a few dozen elements deep; tables nested to the reader's limit stay far
// below this. Each open element costs expat memory, so a flood of them is cut short here.
constexpr int MaxDepth = 4096;
// A package's parts declare a few dozen namespaces; each declaration in scope costs memory.
constexpr size_t MaxBindings = 4096;

constexpr std::array<std::pair<std::string_view, Ns>, 10> Namespaces = { {
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
} };

Ns NamespaceOf(std::string_view uri)
{
    if (uri.empty())
        return Ns::None; // xmlns="" takes the default namespace away
    for (const auto &[known, ns] : Namespaces) {
        if (uri == known)
            return ns;
    }
    return Ns::Other;
}

// Whether an attribute declares a namespace prefix (the default one: an empty prefix), and which.
bool DeclaredPrefix(const char *attribute, std::string_view &prefix)
{
    if (attribute[0] != 'x' || std::strncmp(attribute, "xmlns", 5) != 0)
        return false;
    if (attribute[5] == '\0') {
        prefix = {};
        return true;
    }
    if (attribute[5] != ':')
        return false;
    prefix = attribute + 6;
    return true;
}

} // namespace

std::string_view XmlAttributes::Get(Ns ns, std::string_view local) const
{
    for (const char **pair = pairs_; pair[0]; pair += 2) {
        const std::string_view name = pair[0];
        // Cheap test first: most attributes are not the one asked for.
        if (!name.ends_with(local))
            continue;
        const auto resolved = stream_.Resolve(name, true);
        if (resolved.Namespace == ns && resolved.Local == local)
            return pair[1];
    }
    return {};
}

// Prefixes are resolved here rather than by expat: its namespace processing builds an expanded
// name for every element and attribute and doubles the parse time of a word-processor part.
XmlStream::XmlStream(XmlEvents &events)
    : parser_(XML_ParserCreate(nullptr))
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

Ns XmlStream::Lookup(std::string_view prefix) const
{
    if (cached_ && prefix == cachedPrefix_)
        return cachedNamespace_;
    // An unbound prefix (not well-formed under namespaces) names nothing the readers know.
    Ns ns = prefix.empty() ? Ns::None : Ns::Other;
    for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding) {
        if (binding->Prefix == prefix) {
            ns = binding->Namespace;
            break;
        }
    }
    cachedPrefix_ = prefix;
    cachedNamespace_ = ns;
    cached_ = true;
    return ns;
}

XmlStream::Name XmlStream::Resolve(std::string_view qualified, bool isAttribute) const
{
    const size_t colon = qualified.find(':');
    if (colon == qualified.npos)
        // An attribute without a prefix is in no namespace, whatever the default one is.
        return { isAttribute ? Ns::None : Lookup({}), qualified };
    return { Lookup(qualified.substr(0, colon)), qualified.substr(colon + 1) };
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
    for (const char **pair = attributes; pair[0]; pair += 2) {
        std::string_view prefix;
        if (DeclaredPrefix(pair[0], prefix)) {
            if (stream.bindings_.size() >= MaxBindings) {
                stream.tooDeep_ = true;
                stream.Stop();
                return;
            }
            stream.bindings_.push_back(
                { std::string(prefix), NamespaceOf(pair[1]), stream.depth_ });
            stream.cached_ = false;
        }
    }
    const Name resolved = stream.Resolve(name, false);
    if (!stream.events_.Start(
            resolved.Namespace, resolved.Local, XmlAttributes(stream, attributes))) {
        stream.stoppedByReader_ = true;
        stream.Stop();
    }
}

void XmlStream::OnEnd(void *self, const char *)
{
    auto &stream = *static_cast<XmlStream *>(self);
    if (stream.stopped_)
        return;
    const bool going = stream.events_.End();
    while (!stream.bindings_.empty() && stream.bindings_.back().Depth == stream.depth_) {
        stream.bindings_.pop_back();
        stream.cached_ = false;
    }
    --stream.depth_;
    if (!going) {
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
