// content.xml of an OpenDocument text: the body's paragraphs and tables. Tracked deletions are
// kept apart from the body (in text:tracked-changes), so the body itself reads as accepted; a
// table row deleted whole is left with empty cells and marked on its automatic style.
#include "body_readers.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace cellwright {

namespace {

enum class Context : uint8_t {
    Other,
    Root,
    Styles,
    RowStyle,
    Body,
    Paragraph,
    Table,
    HeaderRows,
    Row,
    Cell,
};

class OpenDocumentBodyReader final : public XmlEvents {
public:
    explicit OpenDocumentBodyReader(DocumentBuilder &document)
        : document_(document)
    {
    }

    bool Start(Ns ns, std::string_view local, const XmlAttributes &attributes) override
    {
        if (open_.empty()) {
            if (ns != Ns::Office || local != "document-content") {
                document_.Refuse(std::u16string(NotTextRefusal));
                return false;
            }
            open_.push_back(Context::Root);
            return true;
        }
        const Context parent = open_.back();
        Context context = Context::Other;
        if (parent == Context::Root) {
            // Fonts and scripts hold no text of the document; styles only say which rows
            // changes were tracked on whole.
            if (ns == Ns::Office && local == "automatic-styles")
                context = Context::Styles;
            else if (ns != Ns::Office || local != "body")
                return LeaveOut();
            else
                context = Context::Body;
        } else if (parent == Context::Styles) {
            if (ns != Ns::Style || local != "style"
                || attributes.Get(Ns::Style, "family") != "table-row")
                return LeaveOut();
            rowStyle_ = attributes.Get(Ns::Style, "name");
            context = Context::RowStyle;
        } else if (parent == Context::RowStyle) {
            if (ns == Ns::Style && local == "table-row-properties"
                && attributes.Get(Ns::LoExt, "text-changes-only") == "false")
                trackedRowStyles_.insert(rowStyle_);
            return LeaveOut();
        } else if (parent == Context::Body) {
            if (ns == Ns::Office && local == "text") {
                context = Context::Other;
            } else if (ns == Ns::Office
                && (local == "spreadsheet" || local == "presentation" || local == "drawing"
                    || local == "chart" || local == "image")) {
                document_.Refuse(std::u16string(NotTextRefusal));
                return false;
            } else {
                return LeaveOut();
            }
        } else if (ns == Ns::Text) {
            if (local == "p" || local == "h") {
                document_.BeginParagraph();
                context = Context::Paragraph;
            } else if (local == "s") {
                document_.AddSpaces(size_t(ReadCount(attributes.Get(Ns::Text, "c"), 1, MaxSpaces)));
            } else if (local == "tab" || local == "line-break") {
                document_.AddSpaces(1);
            } else if (local == "note" || local == "tracked-changes" || local == "number"
                || local == "ruby-text" || local.ends_with("-source")) {
                // Notes, deleted text, list labels, ruby annotations and the templates an
                // index is made from: none of it is the body's printed text.
                return LeaveOut();
            }
        } else if (ns == Ns::Table) {
            if (local == "table") {
                if (!document_.BeginTable())
                    return false;
                context = Context::Table;
            } else if (local == "table-header-rows") {
                context = Context::HeaderRows;
            } else if (local == "table-row") {
                document_.BeginRow();
                if (DocumentBuilder::Row *row = document_.CurrentRow()) {
                    row->Repeat = std::max(1,
                        ReadCount(attributes.Get(Ns::Table, "number-rows-repeated"), 1,
                            int(MaxDocumentLines) + 1));
                    row->Header = InHeaderRows();
                    trackedRow_
                        = trackedRowStyles_.contains(attributes.Get(Ns::Table, "style-name"));
                }
                context = Context::Row;
            } else if (local == "table-cell") {
                document_.BeginCell();
                if (DocumentBuilder::Cell *cell = document_.CurrentCell()) {
                    cell->ColSpan = Count(attributes, "number-columns-spanned", MaxTableColumns);
                    cell->RowSpan = Count(attributes, "number-rows-spanned", int(MaxDocumentLines));
                    cell->Repeat = Count(attributes, "number-columns-repeated", MaxTableColumns);
                }
                context = Context::Cell;
            } else if (local == "covered-table-cell") {
                // A merged place: whatever it still holds is not shown.
                document_.BeginCell(DocumentBuilder::Cell::Covered);
                if (DocumentBuilder::Cell *cell = document_.CurrentCell())
                    cell->Repeat = Count(attributes, "number-columns-repeated", MaxTableColumns);
                document_.EndCell();
                return LeaveOut();
            } else if (local == "title" || local == "desc") {
                return LeaveOut();
            }
        } else if (ns == Ns::Draw || (ns == Ns::Office && local == "annotation")
            || (ns == Ns::Office && local == "forms")) {
            // Frames, text boxes and shapes; comments; form definitions.
            return LeaveOut();
        }
        open_.push_back(context);
        return document_.Ok();
    }

    bool End() override
    {
        const Context context = open_.back();
        open_.pop_back();
        if (context == Context::Row && trackedRow_) {
            // A row tracked whole and empty once the changes are accepted was deleted.
            if (DocumentBuilder::Row *row = document_.CurrentRow())
                row->Deleted = std::all_of(row->Cells.begin(), row->Cells.end(),
                    [](const DocumentBuilder::Cell &cell) { return cell.Text.empty(); });
            trackedRow_ = false;
        }
        return CloseElement(document_, context);
    }

    bool Text(std::string_view utf8) override
    {
        document_.AddCollapsingText(utf8);
        return document_.Ok();
    }

private:
    // More spaces in one go than any paragraph holds; the text budget bounds the rest.
    static constexpr int MaxSpaces = 1 << 16;

    static int Count(const XmlAttributes &attributes, std::string_view name, int ceiling)
    {
        return std::max(1, ReadCount(attributes.Get(Ns::Table, name), 1, ceiling + 1));
    }

    // Whether the row being opened lies in its table's header rows.
    bool InHeaderRows() const
    {
        for (auto context = open_.rbegin(); context != open_.rend(); ++context) {
            if (*context == Context::HeaderRows)
                return true;
            if (*context == Context::Table)
                return false;
        }
        return false;
    }

    DocumentBuilder &document_;
    std::vector<Context> open_;
    std::set<std::string, std::less<>> trackedRowStyles_; // rows whose changes are tracked whole
    std::string rowStyle_; // the row style being read
    bool trackedRow_ = false; // the top-level row being read has one of those styles
};

} // namespace

std::unique_ptr<XmlEvents> MakeOpenDocumentBodyReader(DocumentBuilder &document)
{
    return std::make_unique<OpenDocumentBodyReader>(document);
}

} // namespace cellwright
