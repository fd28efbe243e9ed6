#include "xml_stream.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <pugixml.hpp>
#include <sys/mman.h>
#include <utility>

namespace cellwright {

namespace {

// Real documents nest a few dozen elements deep; tables nested to the reader's limit stay far
// below this.
constexpr int MaxDepth = 4096;
// A word processor's part takes four to five times its size as a tree, so parts of up to about
// 50 MiB fit, ten times what a document at the line limit holds. A part of nothing but tiny
// elements takes far more, and is refused.
constexpr size_t MaxTreeBytes = size_t(256) << 20;
constexpr size_t TreeBytesPerPartByte = 6;
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

// The region the tree of the part being parsed is carved from, when it has one.
struct TreeArena {
    char *Base = nullptr;
    size_t Used = 0;
    size_t Size = 0;

    bool Holds(const void *memory) const { return Base && memory >= Base && memory < Base + Size; }
};
thread_local TreeArena arena;

constexpr size_t Aligned(size_t size)
{
    constexpr size_t Alignment = alignof(std::max_align_t);
    return (size + Alignment - 1) / Alignment * Alignment;
}

void *AllocateTree(size_t size)
{
    if (size > MaxTreeBytes - treeBytes)
        return nullptr;
    if (Aligned(size) <= arena.Size - arena.Used) {
        void *memory = arena.Base + arena.Used;
        arena.Used += Aligned(size);
        treeBytes += Aligned(size);
        return memory;
    }
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
    if (!memory || arena.Holds(memory)) // the arena goes as a whole
        return;
    auto *block
        = reinterpret_cast<size_t *>(static_cast<char *>(memory) - alignof(std::max_align_t));
    treeBytes -= *block;
    std::free(block);
}

// The tree of a large part is a few megabytes, written once. Carved from one region the kernel
// may back with huge pages, it is faulted in a few times instead of a thousand, which took a
// third of reading a large document. Smaller parts, and whatever outgrows the region, use the
// heap.
class TreeArenaScope {
public:
    explicit TreeArenaScope(size_t partBytes)
    {
        constexpr size_t HugePage = size_t(2) << 20;
        const size_t want = std::min(MaxTreeBytes, partBytes * TreeBytesPerPartByte);
        if (want < HugePage)
            return;
        size_ = (want + HugePage - 1) / HugePage * HugePage + HugePage;
        // Reserved, not committed: only what the tree touches is ever backed.
        void *mapping = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE,
            MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (mapping == MAP_FAILED)
            return;
        mapping_ = mapping;
        const auto start = reinterpret_cast<uintptr_t>(mapping);
        auto *base = reinterpret_cast<char *>((start + HugePage - 1) / HugePage * HugePage);
        const size_t usable = size_ - HugePage;
#ifdef MADV_HUGEPAGE
        ::madvise(base, usable, MADV_HUGEPAGE); // only a hint: plain pages work the same
#endif
        arena = { base, 0, usable };
    }
    ~TreeArenaScope()
    {
        if (!mapping_)
            return;
        treeBytes -= arena.Used;
        arena = {};
        ::munmap(mapping_, size_);
    }
    TreeArenaScope(const TreeArenaScope &) = delete;
    TreeArenaScope &operator=(const TreeArenaScope &) = delete;

private:
    void *mapping_ = nullptr;
    size_t size_ = 0;
};

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
        const auto resolved = stream_.ResolveAttribute(name);
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
    CountDeclarations();
    const TreeArenaScope region(part_.size()); // outlives the tree, which frees into it
    pugi::xml_document tree;
    if (!Load(tree))
        return false;
    return Walk(tree.first_child());
}

// Counted before the parse rewrites the part; text that merely says xmlns counts too, which
// only keeps the scan going.
void XmlStream::CountDeclarations()
{
    declarationsLeft_ = 0;
    for (size_t at = part_.find("xmlns"); at != part_.npos; at = part_.find("xmlns", at + 5))
        ++declarationsLeft_;
}

// Parses the part in place; false, with what Refusal needs kept, when its tree would be too
// large or it is not well-formed.
bool XmlStream::Load(pugi::xml_document &tree)
{
    const pugi::xml_parse_result parsed
        = tree.load_buffer_inplace(part_.data(), part_.size(), ParseOptions, pugi::encoding_auto);
    if (parsed.status == pugi::status_out_of_memory) {
        tooLarge_ = true;
        return false;
    }
    if (!parsed) {
        failedAt_ = size_t(std::max<ptrdiff_t>(parsed.offset, 0));
        return false;
    }
    return true;
}

// Walked without recursion: nesting is bounded only when an element is reached. pugixml's
// accessors are calls, so each is made once per node.
bool XmlStream::Walk(pugi::xml_node node)
{
    while (node) {
        const Step step = Visit(node);
        if (step == Step::Stop)
            return false;
        if (step == Step::Past && !Advance(node))
            return false;
    }
    return true;
}

// Hands one node to the reader. An element with content is entered: node becomes its first
// child.
XmlStream::Step XmlStream::Visit(pugi::xml_node &node)
{
    switch (node.type()) {
    case pugi::node_doctype:
        doctype_ = true;
        return Step::Stop;
    case pugi::node_element: {
        if (!Start(node.name(), node.first_attribute().internal_object()))
            return Step::Stop;
        if (std::exchange(events_.leftOut_, false)) {
            End(false);
            return Step::Past;
        }
        const pugi::xml_node child = node.first_child();
        if (child) {
            node = child;
            return Step::Into;
        }
        return End() ? Step::Past : Step::Stop;
    }
    case pugi::node_pcdata:
    case pugi::node_cdata:
        if (!events_.Text(node.value())) {
            stoppedByReader_ = true;
            return Step::Stop;
        }
        return Step::Past;
    default:
        return Step::Past;
    }
}

// Moves past a node that is done with: to its next sibling, ending the elements it climbs out
// of on the way. node becomes null once the walk is done; false when the reader stops it.
bool XmlStream::Advance(pugi::xml_node &node)
{
    for (;;) {
        const pugi::xml_node next = node.next_sibling();
        if (next) {
            node = next;
            return true;
        }
        // No element open: the node was at the top, and the walk is done.
        if (depth_ == 0) {
            node = {};
            return true;
        }
        node = node.parent();
        if (!End())
            return false;
    }
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

Ns XmlStream::LookupBinding(std::string_view prefix) const
{
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

XmlStream::Name XmlStream::ResolveAttribute(std::string_view qualified) const
{
    const size_t colon = qualified.find(':');
    if (colon == qualified.npos)
        // An attribute without a prefix is in no namespace, whatever the default one is.
        return { Ns::None, qualified };
    return { Lookup(qualified.substr(0, colon)), qualified.substr(colon + 1) };
}

XmlStream::Name XmlStream::Resolve(const char *qualified) const
{
    // One pass finds both the colon and the end.
    const char *c = qualified;
    while (*c && *c != ':')
        ++c;
    if (!*c)
        return { Lookup({}), std::string_view(qualified, size_t(c - qualified)) };
    const std::string_view prefix(qualified, size_t(c - qualified));
    const char *end = ++c;
    while (*end)
        ++end;
    const std::string_view local(c, size_t(end - c));
    return { Lookup(prefix), local };
}

bool XmlStream::Start(const char *name, pugi::xml_attribute_struct *attributes)
{
    if (++depth_ > MaxDepth) {
        tooDeep_ = true;
        return false;
    }
    // Once every "xmlns" the part holds was a declaration already met, no element can declare
    // more: a word processor declares all on the root, and the rest of its elements go unscanned.
    for (pugi::xml_attribute attribute(attributes); declarationsLeft_ > 0 && attribute;
         attribute = attribute.next_attribute()) {
        std::string_view prefix;
        if (DeclaredPrefix(attribute.name(), prefix)) {
            if (bindings_.size() >= MaxBindings) {
                tooDeep_ = true;
                return false;
            }
            bindings_.push_back({ std::string(prefix), NamespaceOf(attribute.value()), depth_ });
            cached_ = false;
            --declarationsLeft_;
        }
    }
    const Name resolved = Resolve(name);
    if (!events_.Start(resolved.Namespace, resolved.Local, XmlAttributes(*this, attributes))) {
        stoppedByReader_ = true;
        return false;
    }
    return true;
}

bool XmlStream::End(bool reported)
{
    const bool going = !reported || events_.End();
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
