// The table finder's view of one line: what kind of cell it would be, a few measures of its
// layout, and whether it could head a column.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cellwright::finder {

// What a line looks like as a table cell. Prose, captions, list items and headings never sit
// inside a table.
enum class Kind : uint8_t {
    Empty,
    Missing, // a dash or "n/a" standing for a value
    Integer,
    Decimal,
    Date,
    Time,
    Code, // one token mixing letters with digits or symbols, or in capitals
    Word,
    Phrase, // two to six short words
    Long, // a longer text, or one short sentence (a note)
    Prose,
    Caption,
    ListItem, // a bulleted paragraph
    Heading, // a numbered title next to text rather than among cells
};

// Bits of Cell::flags. Numbers and texts use the same bits for different things; the kind tells
// which.
enum CellFlag : uint8_t {
    Signed = 1, // a number: a sign, a currency, a comparison or "about" in front
    WithUnit = 2, // a number: a short unit after it, as in 12 km/s or 40 %
    WithExponent = 4, // a number: e-5, × 10^-11
    Capitalised = 1, // a text: starts with a capital
    WithDigits = 2, // a text: holds a digit
    AllCapitals = 4, // a text: two capitals or more and no small letter
    WithSymbols = 8, // a text: a character that is no letter, digit or blank
    SectionNumber = 16, // a text: starts like a numbered section title, "2 Methods", "3.1. Data"
    SentenceEnd = 32, // a text: ends like a sentence
    TitleCase = 64, // a text of several words, each capitalised ("Great Britain")
    Bracketed = 128, // a text: in brackets, "(km)", "[h:mm]"
};

struct Cell {
    Kind kind = Kind::Empty;
    uint8_t a = 0; // numbers: digits before the point; text: words; dates and times: layout
    uint8_t b = 0; // numbers: digits after the point; times: decimals
    uint8_t flags = 0; // CellFlag bits
    uint8_t capitals = 0; // text: words that start with a capital
    uint16_t length = 0; // characters without the blanks at both ends
    bool note = false; // a longer text or a short sentence: passes as a cell, never as a header
    bool leadIn = false; // a text ending in a colon: what follows belongs to it
    bool oneSentence = false; // a text of one sentence, ended: a definition or a note
    bool question = false; // a text of one question, as a survey's item
    bool label = false; // a text that commonly heads a column ("Year", "Name", "Load (kN)")
    bool labelLead = false; // such a text leading in ("Apologies:"): it heads what follows
    // A name with a remark in brackets after it ("Parietal (2)", "Tom Whitlock (Treasurer)"): a
    // list's item whatever the remark holds.
    bool remarked = false;
    // A key and its value on one line ("Signed: A. Schmidt"): a paragraph of its own, no name.
    bool keyed = false;
    // A name ending in an initial ("Megan R."): its stop, read as a sentence's end, is a name's.
    bool initialEnd = false;
    char16_t lead = 0; // the first character, blanks at the ends left out (0 when empty)
    uint32_t text = 0; // a hash of the trimmed text: equal cells have equal hashes
    // A whole number, alone or after a few letters ("12", "2019", "K-03", "F2"), and a hash of
    // those letters: what a column of row numbers steps by one (-1 when the cell is none).
    int32_t count = -1;
    uint32_t countPrefix = 0;
    // A month's or a weekday's name alone or before a day's number ("Sep", "Monday", "Mon 5"):
    // its place in the year (1 to 12) or the week (13 to 19), 0 for anything else. Such names in
    // turn along a row are a header.
    uint8_t calendar = 0;
};

// The place in the calendar after `place`: the next month or weekday, December and Sunday going
// round to January and Monday.
inline int NextCalendarPlace(int place)
{
    return place == 12 ? 1 : place == 19 ? 13 : place + 1;
}

// One line on its own. A numbered title comes out as text with SectionNumber set: only its
// neighbours tell whether it is a heading.
Cell Classify(std::u16string_view line);

// Every line of a document in order: Classify, then a numbered title next to a paragraph, a
// caption, an empty line or either end of the document becomes a Heading.
std::vector<Cell> ClassifyLines(std::span<const std::u16string> lines);

// Lines no table runs across.
inline bool Breaks(const Cell &c)
{
    return c.kind == Kind::Prose || c.kind == Kind::Caption || c.kind == Kind::ListItem
        || c.kind == Kind::Heading;
}

// An empty cell, or one that stands for a missing value.
// A note written as a sentence ("Values are means."): it ends a table above it and never opens
// one.
inline bool IsSentenceNote(const Cell &c)
{
    return c.note && (c.flags & SentenceEnd);
}

inline bool IsBlankCell(const Cell &c)
{
    return c.kind == Kind::Empty || c.kind == Kind::Missing;
}

inline bool IsNumeric(Kind k)
{
    return k == Kind::Integer || k == Kind::Decimal || k == Kind::Date || k == Kind::Time;
}

inline bool IsText(Kind k)
{
    return k == Kind::Word || k == Kind::Phrase || k == Kind::Code || k == Kind::Long;
}

// True when the cell is a word or a short phrase that is no note: what titles, names, keys and
// labels on their own lines are.
inline bool IsShortText(const Cell &c)
{
    return (c.kind == Kind::Word || c.kind == Kind::Phrase) && !c.note;
}

// The letter in small case when it is an ASCII capital ("Stations" names the column "station").
inline char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// True when the cell reads as a title on its own line: a short text that is no word heading
// columns.
inline bool IsTitle(const Cell &c)
{
    return IsShortText(c) && !c.label;
}

// True when the cell holds a digit: a number, a date, a time or a text with digits.
inline bool HoldsDigits(const Cell &c)
{
    return IsNumeric(c.kind) || (IsText(c.kind) && (c.flags & WithDigits));
}

} // namespace cellwright::finder
