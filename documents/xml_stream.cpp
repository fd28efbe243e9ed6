#include "xml_stream.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <pugixml.hpp>
#include <utility>

namespace cellwright {

namespace {

// Real documents nest a few dozen elements deep; tables nested to the reader's limit stay far
// below this.
constexpr int MaxDepth = 4096;
// A word processor's part takes two to three times its size as a tree; a part at the 64 MiB
// ceiling still fits. A part of nothing but tiny elements would take far more, and is refused.
constexpr size_t MaxTreeBytes = size_t(256) << 20;
// A package's parts declare a few dozen namespaces; each declaration in scope costs memory.
constexpr size_t MaxBindings = 4096;

constexpr std::array<std::pair<std::string_view, Ns>, 12> Namespaces = { {
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
    { "urn:oasis:names:tc:opendocument:xmlns:style:1.0", Ns::Style },
    { "urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0", Ns::LoExt },
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

// pugixml takes all its memory through these, so the tree of one part is charged against
// MaxTreeBytes; past it the parse fails as out of memory rather than the process growing.
thread_local size_t treeBytes = 0;

void *AllocateTree(size_t size)
{
    if (size > MaxTreeBytes - treeBytes)
        return nullptr;
    // The size is kept in front of the block, so that freeing knows what to give back.
    auto *block = static_cast<size_t *>(std::malloc(size + alignof(std::max_align_t)));
    if (!block)
        return nullptr;
    *block = size;
    treeBytes += size;
    return reinterpret_cast<char *>(block) + alignof(std::max_align_t);
}

void FreeTree(void *memory)
{
    if (!memory)
        return;
    auto *block
        = reinterpret_cast<size_t *>(static_cast<char *>(memory) - alignof(std::max_align_t));
    treeBytes -= *block;
    std::free(block);
}

// Entities are the five predefined and character references only; without a DOCTYPE there are
// no others, and one is refused. Whitespace-only text is kept: a spaced run may be just a blank.
constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_doctype;

} // namespace

std::string_view XmlAttributes::Get(Ns ns, std::string_view local) const
{
    for (pugi::xml_attribute attribute(first_); attribute; attribute = attribute.next_attribute()) {
        const std::string_view name = attribute.name();
        // Cheap test first: most attributes are not the one asked for.
        if (!name.ends_with(local))
            continue;
        const auto resolved = stream_.Resolve(name, true);
        if (resolved.Namespace == ns && resolved.Local == local)
            return attribute.value();
    }
    return {};
}

XmlStream::XmlStream(XmlEvents &events)
    : events_(events)
{
    static const bool charged = [] {
        pugi::set_memory_management_functions(AllocateTree, FreeTree);
        return true;
    }();
    (void)charged;
}

XmlStream::~XmlStream() = default;

bool XmlStream::Parse(std::string part)
{
    part_ = std::move(part);
    pugi::xml_document tree;
    const pugi::xml_parse_result parsed
        = tree.load_buffer_inplace(part_.data(), part_.size(), ParseOptions, pugi::encoding_auto);
    if (parsed.status == pugi::status_out_of_memory) {
        tooLarge_ = true;
        return false;
    }
    if (!parsed) {
        malformed_ = true;
        failedAt_ = size_t(std::max<ptrdiff_t>(parsed.offset, 0));
        return false;
    }
    // Walked without recursion: nesting is bounded only when an element is reached.
    pugi::xml_node node = tree.first_child();
    while (node) {
        switch (node.type()) {
        case pugi::node_doctype:
            doctype_ = true;
            return false;
        case pugi::node_element:
            if (!Start(node.name(), node.first_attribute().internal_object()))
                return false;
            if (node.first_child()) {
                node = node.first_child();
                continue;
            }
            if (!End())
                return false;
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            if (!events_.Text(node.value())) {
                stoppedByReader_ = true;
                return false;
            }
            break;
        default:
            break;
        }
        while (!node.next_sibling()) {
            node = node.parent();
            if (node == tree)
                return true;
            if (!End())
                return false;
        }
        node = node.next_sibling();
    }
    return true;
}

std::u16string XmlStream::Refusal(std::string_view part) const
{
    const std::u16string name(part.begin(), part.end());
    if (doctype_)
        return u"The file is not a valid document: its " + name
            + u" declares a document type, which a .docx or .odt never does.";
    if (tooDeep_)
        return u"The file is damaged: its " + name + u" is nested too deeply.";
    if (tooLarge_)
        return u"The file is too large: its " + name + u" holds more markup than Cellwright reads.";
    // The parse rewrote the part in place, but left its line ends where they were.
    const size_t end = std::min(failedAt_, part_.size());
    const std::string line
        = std::to_string(1 + std::count(part_.begin(), part_.begin() + ptrdiff_t(end), '\n'));
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

bool XmlStream::Start(const char *name, pugi::xml_attribute_struct *attributes)
{
    if (++depth_ > MaxDepth) {
        tooDeep_ = true;
        return false;
    }
    for (pugi::xml_attribute attribute(attributes); attribute;
         attribute = attribute.next_attribute()) {
        std::string_view prefix;
        if (DeclaredPrefix(attribute.name(), prefix)) {
            if (bindings_.size() >= MaxBindings) {
                tooDeep_ = true;
                return false;
            }
            bindings_.push_back({ std::string(prefix), NamespaceOf(attribute.value()), depth_ });
            cached_ = false;
        }
    }
    const Name resolved = Resolve(name, false);
    if (!events_.Start(resolved.Namespace, resolved.Local, XmlAttributes(*this, attributes))) {
        stoppedByReader_ = true;
        return false;
    }
    return true;
}

bool XmlStream::End()
{
    const bool going = events_.End();
    while (!bindings_.empty() && bindings_.back().Depth == depth_) {
        bindings_.pop_back();
        cached_ = false;
    }
    --depth_;
    if (!going)
        stoppedByReader_ = true;
    return going;
}

} // namespace cellwright
