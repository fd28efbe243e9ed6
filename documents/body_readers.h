// The readers of each format's main part: they turn the part's XML into the paragraphs, tables,
// rows and cells of a DocumentBuilder, deciding what text the document shows.
#pragma once

#include "document_builder.h"
#include "xml_stream.h"

#include <memory>
#include <string_view>

namespace cellwright {

// word/document.xml of an Office Open XML package.
std::unique_ptr<XmlEvents> MakeWordBodyReader(DocumentBuilder &document);
// content.xml of an OpenDocument package.
std::unique_ptr<XmlEvents> MakeOpenDocumentBodyReader(DocumentBuilder &document);

// Ends in the document what a closing element stood for: a paragraph, a table, a row or a cell
// (each reader's contexts name these alike); false once the document refuses.
template <class Context> bool CloseElement(DocumentBuilder &document, Context context)
{
    if (context == Context::Paragraph)
        document.EndParagraph();
    else if (context == Context::Table)
        document.EndTable();
    else if (context == Context::Row)
        document.EndRow();
    else if (context == Context::Cell)
        document.EndCell();
    return document.Ok();
}

// A count written in an attribute: digits only; fallback when absent or not a count, at most
// ceiling (larger tables are refused anyway, and the sums stay far from overflow).
int ReadCount(std::string_view digits, int fallback, int ceiling);

inline constexpr std::u16string_view NotTextRefusal = u"The file is not a text document.";

} // namespace cellwright
