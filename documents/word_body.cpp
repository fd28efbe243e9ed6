// word/document.xml: the body's paragraphs and tables as printed with tracked changes accepted.
#include "body_readers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace cellwright {

namespace {

enum class Name : uint8_t {
    Unknown,
    Document,
    Paragraph,
    ParagraphProps,
    RunProps,
    Run,
    Text,
    Tab, // and the other characters that print as one space
    NonBreakingHyphen,
    FieldChar,
    Deleted,
    Table,
    Row,
    RowProps,
    GridBefore,
    GridAfter,
    Header,
    Cell,
    CellProps,
    GridSpan,
    VerticalMerge,
    HorizontalMerge,
    LeftOut, // content never shown in the body's text
};

constexpr std::pair<std::string_view, Name> Names[] = {
    { "document", Name::Document },
    { "p", Name::Paragraph },
    { "pPr", Name::ParagraphProps },
    { "rPr", Name::RunProps },
    { "r", Name::Run },
    { "t", Name::Text },
    { "tab", Name::Tab },
    { "br", Name::Tab },
    { "cr", Name::Tab },
    { "ptab", Name::Tab },
    { "noBreakHyphen", Name::NonBreakingHyphen },
    { "fldChar", Name::FieldChar },
    { "del", Name::Deleted },
    { "tbl", Name::Table },
    { "tr", Name::Row },
    { "trPr", Name::RowProps },
    { "gridBefore", Name::GridBefore },
    { "gridAfter", Name::GridAfter },
    { "tblHeader", Name::Header },
    { "tc", Name::Cell },
    { "tcPr", Name::CellProps },
    { "gridSpan", Name::GridSpan },
    { "vMerge", Name::VerticalMerge },
    { "hMerge", Name::HorizontalMerge },
    // Deleted or moved-away text, field instructions.
    { "moveFrom", Name::LeftOut },
    { "delText", Name::LeftOut },
    { "instrText", Name::LeftOut },
    { "delInstrText", Name::LeftOut },
    // Text boxes, drawings and embedded objects, ruby annotations.
    { "txbxContent", Name::LeftOut },
    { "drawing", Name::LeftOut },
    { "pict", Name::LeftOut },
    { "object", Name::LeftOut },
    { "rt", Name::LeftOut },
    // Properties: content controls' settings and former values before a tracked change
    // (whose cell spans must not count), sections, the table's own settings.
    { "sdtPr", Name::LeftOut },
    { "sdtEndPr", Name::LeftOut },
    { "pPrChange", Name::LeftOut },
    { "rPrChange", Name::LeftOut },
    { "tcPrChange", Name::LeftOut },
    { "trPrChange", Name::LeftOut },
    { "tblPrChange", Name::LeftOut },
    { "tblPrExChange", Name::LeftOut },
    { "tblGridChange", Name::LeftOut },
    { "sectPr", Name::LeftOut },
    { "tblPr", Name::LeftOut },
    { "tblGrid", Name::LeftOut },
    { "background", Name::LeftOut },
    { "fldData", Name::LeftOut },
};

// Runs for every element, so names are found in a small open-addressed table by their length
// and first and last letters, most at the first probe.
Name Lookup(std::string_view local)
{
    constexpr size_t Slots = 128; // a power of two, three times the names
    static_assert(std::size(Names) * 2 < Slots);
    const auto slotOf = [](std::string_view name) {
        return (name.size() * 31 + size_t(static_cast<unsigned char>(name.front())) * 7
                   + size_t(static_cast<unsigned char>(name.back())))
            & (Slots - 1);
    };
    static const auto table = [&slotOf] {
        std::array<int8_t, Slots> slots;
        slots.fill(-1);
        for (size_t k = 0; k < std::size(Names); ++k) {
            size_t slot = slotOf(Names[k].first);
            while (slots[slot] >= 0)
                slot = (slot + 1) & (Slots - 1);
            slots[slot] = int8_t(k);
        }
        return slots;
    }();
    if (local.empty())
        return Name::Unknown;
    for (size_t slot = slotOf(local); table[slot] >= 0; slot = (slot + 1) & (Slots - 1)) {
        if (Names[size_t(table[slot])].first == local)
            return Names[size_t(table[slot])].second;
    }
    return Name::Unknown;
}

// What an open element is, as far as its children care.
enum class Context : uint8_t {
    Other,
    Paragraph,
    ParagraphProps,
    MarkProps, // the paragraph mark's run properties
    Run,
    RunText,
    Row,
    RowProps,
    Cell,
    CellProps,
    Table,
};

bool IsOn(std::string_view value)
{
    return value != "false" && value != "0" && value != "off";
}

class WordBodyReader final : public XmlEvents {
public:
    explicit WordBodyReader(DocumentBuilder &document)
        : document_(document)
    {
    }

    bool Start(Ns ns, std::string_view local, const XmlAttributes &attributes) override
    {
        if (!rootSeen_) {
            rootSeen_ = true;
            if (ns != Ns::Word || local != "document") {
                document_.Refuse(std::u16string(NotTextRefusal));
                return false;
            }
        }
        const Context parent = open_.empty() ? Context::Other : open_.back();
        Context context = Context::Other;
        if (ns == Ns::Word) {
            switch (Lookup(local)) {
            case Name::LeftOut:
                return LeaveOut();
            case Name::Paragraph:
                document_.BeginParagraph();
                context = Context::Paragraph;
                break;
            case Name::ParagraphProps:
                if (parent == Context::Paragraph)
                    context = Context::ParagraphProps;
                break;
            case Name::RunProps:
                if (parent == Context::ParagraphProps)
                    context = Context::MarkProps;
                else if (parent == Context::Run) {
                    return LeaveOut(); // formatting only
                }
                break;
            case Name::Deleted:
                if (parent == Context::MarkProps) {
                    document_.DeleteParagraphMark();
                } else if (parent == Context::RowProps) {
                    if (DocumentBuilder::Row *row = document_.CurrentRow())
                        row->Deleted = true;
                } else {
                    return LeaveOut(); // deleted runs
                }
                break;
            case Name::Run:
                context = Context::Run;
                break;
            case Name::Text:
                if (parent == Context::Run)
                    context = Context::RunText;
                break;
            case Name::Tab:
                if (parent == Context::Run && Shown())
                    document_.AddSpaces(1);
                break;
            case Name::NonBreakingHyphen:
                if (parent == Context::Run && Shown())
                    document_.AddCharacter(u'-');
                break;
            case Name::FieldChar:
                if (parent == Context::Run)
                    Field(attributes.Get(Ns::Word, "fldCharType"));
                break;
            case Name::Table:
                if (!document_.BeginTable())
                    return false;
                context = Context::Table;
                break;
            case Name::Row:
                document_.BeginRow();
                context = Context::Row;
                break;
            case Name::RowProps:
                if (parent == Context::Row)
                    context = Context::RowProps;
                break;
            case Name::GridBefore:
            case Name::GridAfter:
            case Name::Header:
                if (DocumentBuilder::Row *row = document_.CurrentRow();
                    row && parent == Context::RowProps)
                    RowProperty(*row, Lookup(local), attributes.Get(Ns::Word, "val"));
                break;
            case Name::Cell:
                document_.BeginCell();
                context = Context::Cell;
                break;
            case Name::CellProps:
                if (parent == Context::Cell)
                    context = Context::CellProps;
                break;
            case Name::GridSpan:
                if (DocumentBuilder::Cell *cell = document_.CurrentCell();
                    cell && parent == Context::CellProps)
                    cell->ColSpan = std::max(
                        1, ReadCount(attributes.Get(Ns::Word, "val"), 1, MaxTableColumns + 1));
                break;
            case Name::VerticalMerge:
                if (DocumentBuilder::Cell *cell = document_.CurrentCell();
                    cell && parent == Context::CellProps)
                    cell->Kind = attributes.Get(Ns::Word, "val") == "restart"
                        ? DocumentBuilder::Cell::Content
                        : DocumentBuilder::Cell::Continued;
                break;
            case Name::HorizontalMerge:
                if (DocumentBuilder::Cell *cell = document_.CurrentCell();
                    cell && parent == Context::CellProps)
                    cell->MergedLeft = attributes.Get(Ns::Word, "val") != "restart";
                break;
            case Name::Document:
            case Name::Unknown:
                break;
            }
        } else if (ns == Ns::Math) {
            if (local == "r")
                context = Context::Run;
            else if (local == "t" && parent == Context::Run)
                context = Context::RunText;
        } else if (ns == Ns::Compat) {
            // Alternate content: the fallback is what any reader shows; the wrappers are
            // transparent, so a fallback's text still sits in its run.
            if (local == "Choice") {
                return LeaveOut();
            }
            context = parent;
        }
        open_.push_back(context);
        return document_.Ok();
    }

    bool End() override
    {
        const Context context = open_.back();
        open_.pop_back();
        return CloseElement(document_, context);
    }

    bool Text(std::string_view utf8) override
    {
        if (!open_.empty() && open_.back() == Context::RunText && Shown())
            document_.AddText(utf8);
        return document_.Ok();
    }

private:
    // Text shows unless it lies in a field's instructions (between its begin and separate
    // marks): fields show their result only. Fields nest.
    bool Shown() const { return instructions_ == 0; }
    void Field(std::string_view type)
    {
        if (type == "begin") {
            fields_.push_back(false);
            ++instructions_;
        } else if (type == "separate") {
            if (!fields_.empty() && !fields_.back()) {
                fields_.back() = true;
                --instructions_;
            }
        } else if (type == "end") {
            if (!fields_.empty()) {
                if (!fields_.back())
                    --instructions_;
                fields_.pop_back();
            }
        }
    }

    static void RowProperty(DocumentBuilder::Row &row, Name name, std::string_view value)
    {
        if (name == Name::Header)
            row.Header = IsOn(value);
        else if (name == Name::GridBefore)
            row.Before = ReadCount(value, 0, MaxTableColumns + 1);
        else
            row.After = ReadCount(value, 0, MaxTableColumns + 1);
    }

    DocumentBuilder &document_;
    std::vector<Context> open_;
    bool rootSeen_ = false;
    std::vector<bool> fields_; // open fields: true once past their separator
    int instructions_ = 0; // open fields still in their instructions
};

} // namespace

int ReadCount(std::string_view digits, int fallback, int ceiling)
{
    if (digits.empty())
        return fallback;
    long long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return fallback;
        value = std::min<long long>(value * 10 + (c - '0'), ceiling);
    }
    return int(value);
}

std::unique_ptr<XmlEvents> MakeWordBodyReader(DocumentBuilder &document)
{
    return std::make_unique<WordBodyReader>(document);
}

} // namespace cellwright
