// A namespace-aware XML reader over pugixml, hardened for untrusted packages: the part is gathered
// and parsed in place into a tree whose memory is bounded, then walked as events. A document type
// declaration (the only way to declare entities) is refused, nothing external is ever loaded, and
// nesting depth is bounded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
struct xml_attribute_struct;
class xml_node;
class xml_document;
} // namespace pugi

namespace cellwright {

// The namespaces the readers look at; every other one is Other.
enum class Ns : uint8_t {
    None,
    Other,
    Word, // wordprocessingml, transitional or strict
    Math,
    Compat, // markup compatibility: alternate content
    Relations, // package relationships
    Office, // OpenDocument office:
    Text, // OpenDocument text:
    Table, // OpenDocument table:
    Draw, // OpenDocument draw:
    Style, // OpenDocument style:
    LoExt, // a word processor's extensions to OpenDocument
};

class XmlStream;

// The attributes of the element being started.
class XmlAttributes {
public:
    // The value of the attribute ns:local (Ns::None: an attribute without prefix), or an empty
    // view when it is absent.
    std::string_view Get(Ns ns, std::string_view local) const;

private:
    friend class XmlStream;
    XmlAttributes(const XmlStream &stream, pugi::xml_attribute_struct *first)
        : stream_(stream)
        , first_(first)
    {
    }
    const XmlStream &stream_;
    pugi::xml_attribute_struct *first_; // the element's first attribute, or null
};

// What a reader does with the parser's events. Returning false stops the parse; the reader then
// says why in its own refusal.
class XmlEvents {
public:
    virtual ~XmlEvents() = default;
    virtual bool Start(Ns ns, std::string_view local, const XmlAttributes &attributes) = 0;
    // The element ends; readers know which from what they saw start.
    virtual bool End() = 0;
    virtual bool Text(std::string_view utf8) = 0;

protected:
    // Returned from Start for an element the reader leaves out whole: the parser then reports
    // neither its content nor its end.
    bool LeaveOut()
    {
        leftOut_ = true;
        return true;
    }

private:
    friend class XmlStream;
    bool leftOut_ = false;
};

class XmlStream {
public:
    explicit XmlStream(XmlEvents &events);
    ~XmlStream();
    XmlStream(const XmlStream &) = delete;
    XmlStream &operator=(const XmlStream &) = delete;

    // Parses the part and hands its events to the reader; false when it was not well-formed XML,
    // held a refused construct, or the reader asked to stop.
    bool Parse(std::string part);

    // True when the reader stopped the parse (the reader then holds the refusal).
    bool StoppedByReader() const { return stoppedByReader_; }
    // Why the XML itself was refused, when it was; part names the member in the sentence.
    std::u16string Refusal(std::string_view part) const;

private:
    friend class XmlAttributes;

    // A namespace prefix in scope, declared on the element at depth.
    struct Binding {
        std::string Prefix;
        Ns Namespace;
        int Depth;
    };
    struct Name {
        Ns Namespace;
        std::string_view Local;
    };

    Name ResolveAttribute(std::string_view qualified) const;
    Name Resolve(const char *elementName) const;
    // Nearly every name has the prefix of the one before, a letter or two: compared here,
    // inline, before the bindings are searched.
    Ns Lookup(std::string_view prefix) const
    {
        if (cached_ && prefix.size() == cachedPrefix_.size()) {
            size_t i = 0;
            while (i < prefix.size() && prefix[i] == cachedPrefix_[i])
                ++i;
            if (i == prefix.size())
                return cachedNamespace_;
        }
        return LookupBinding(prefix);
    }
    Ns LookupBinding(std::string_view prefix) const;
    // What the walk does after a node is handed to the reader.
    enum class Step {
        Stop, // refused, or the reader asked to stop
        Into, // on into the element's content
        Past, // on past the node
    };

    void CountDeclarations();
    bool Load(pugi::xml_document &tree);
    bool Walk(pugi::xml_node node);
    Step Visit(pugi::xml_node &node);
    bool Advance(pugi::xml_node &node);
    bool Start(const char *name, pugi::xml_attribute_struct *attributes);
    bool End(bool reported = true);

    std::string part_; // parsed in place, so the tree's names and texts point into it
    XmlEvents &events_;
    std::vector<Binding> bindings_;
    // The last prefix looked up: nearly every element of a part shares one.
    mutable std::string cachedPrefix_;
    mutable Ns cachedNamespace_ = Ns::None;
    mutable bool cached_ = false;
    int depth_ = 0;
    size_t declarationsLeft_ = 0; // "xmlns" in the part not yet met as a declaration
    size_t failedAt_ = 0; // where the XML stopped being well-formed, as an offset into part_
    bool doctype_ = false;
    bool tooLarge_ = false; // its tree would outgrow the memory a part may take
    bool tooDeep_ = false; // too many open elements or namespace declarations
    bool stoppedByReader_ = false;
};

} // namespace cellwright
