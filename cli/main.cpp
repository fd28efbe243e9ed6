// cellwright-convert: the conversion engine from the command line, for build scripts that repeat
// a conversion and for people who want to check a document first.
//
// The arguments become the tables' boxes, so the engine reads, checks, refuses, converts and
// saves exactly as it does behind the window; its refusals go to standard error.

#include "check_report.h"
#include "command_line.h"
#include "conversion.h"
#include "document_file.h"
#include "document_reading.h"
#include "known_tables.h"
#include "read_input.h"
#include "table_sizing.h"
#include "text_codec.h"
#include "text_rules.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <span>
#include <unistd.h>

using namespace cellwright;
namespace fs = std::filesystem;

namespace {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

void Complain(const std::string &message)
{
    const std::string line = "cellwright-convert: " + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string Utf8(std::u16string_view text)
{
    return EncodeText(text, TextEncoding::Utf8);
}

// Document text for the terminal: a control character in a cell could move the cursor or set
// the window's title, so each is shown as \xHH instead. Tabs stay, they only move along.
std::u16string Escaped(std::u16string_view text)
{
    std::u16string shown;
    shown.reserve(text.size());
    for (const char16_t c : text) {
        if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F)) {
            AppendHexEscape(shown, c);
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string Printable(std::u16string_view text)
{
    return Utf8(Escaped(text));
}

// A refusal of the engine's, after what it concerns when that is worth saying.
void Refused(const std::string &context, std::u16string_view refusal)
{
    Complain((context.empty() ? "" : context + ": ") + Utf8(refusal));
}

// Straight to the descriptor: the program's output is a single piece, which stdio would only copy
// into its buffer first.
bool WriteStandardOutput(std::string_view bytes)
{
    if (const int error = WriteAll(STDOUT_FILENO, bytes)) {
        Complain(std::string("could not write to standard output: ") + std::strerror(error));
        return false;
    }
    return true;
}

// A name the file system is given as it stands; false after complaining when it is not UTF-8,
// the only names the engine's messages can show.
bool Utf8Name(const std::string &name, const char *role)
{
    TextEncoding encoding;
    DecodeText(name, encoding);
    if (encoding != TextEncoding::Windows1252)
        return true;
    Complain(std::string("the ") + role + " name '" + name + "' is not valid UTF-8");
    return false;
}

// A size given as digits, leading zeros and all; too large ones kept too large for the
// conversion to accept.
int Count(std::string digits)
{
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    return digits.size() > 6 ? 1000000 : digits.empty() ? 0 : std::stoi(digits);
}

std::string Size(int rows, int cols)
{
    return std::to_string(rows) + "x" + std::to_string(cols);
}

std::vector<TableAt> AtTheirLines(const std::vector<TableProposal> &proposals)
{
    std::vector<TableAt> tables;
    for (const TableProposal &p : proposals)
        tables.push_back({ p.FirstLine, p.FirstCell, p.Rows, p.Cols });
    return tables;
}

// --find: one line per proposal on standard output; what a bare TEXT:ROWSxCOLS cannot say goes
// to standard error.
int Find(const ConversionState &state, const std::string &input)
{
    const std::vector<TableProposal> proposals = ProposeTables(state);
    std::string listed;
    for (const TableProposal &p : proposals) {
        // Escaped, a line break inside the cell cannot split the proposal's line in two either.
        listed += std::to_string(p.FirstLine) + "\t" + Printable(p.FirstCell) + ":"
            + Size(p.Rows, p.Cols) + "\n";
    }
    // In the order of their texts, so the same document always gives the same messages.
    auto clashes = SizeClashes(AtTheirLines(proposals));
    std::sort(clashes.begin(), clashes.end(), [&](const auto &a, const auto &b) {
        return proposals[a.front()].FirstCell < proposals[b.front()].FirstCell;
    });
    for (const std::vector<size_t> &alike : clashes) {
        const std::u16string &text = proposals[alike.front()].FirstCell;
        std::string lines, sizes;
        for (size_t i = 0; i < alike.size(); ++i) {
            const TableProposal &p = proposals[alike[i]];
            const char *gap = i == 0 ? "" : i + 1 == alike.size() ? " and " : ", ";
            lines += gap + std::to_string(p.FirstLine);
            sizes += gap + Size(p.Rows, p.Cols);
        }
        Complain("lines " + lines + " start tables whose top-left cells all hold \""
            + Printable(text) + "\" but whose sizes differ (" + sizes
            + "); --table TEXT:ROWSxCOLS would give each the same size, so give the whole lines"
              " or use --auto");
    }
    for (const TableProposal &p : proposals) {
        if (p.FirstCell.empty()) {
            Complain("line " + std::to_string(p.FirstLine)
                + ": the top-left cell is empty; only the whole line or --auto names this table");
        } else if (Escaped(p.FirstCell) != p.FirstCell) {
            Complain("line " + std::to_string(p.FirstLine)
                + ": the top-left cell holds control characters, shown as \\xHH; only the whole"
                  " line or --auto names this table");
        }
    }
    if (proposals.empty()) {
        Complain(input + ": no table found");
        return Failure;
    }
    return WriteStandardOutput(listed) ? Success : Failure;
}

// Whether the document was read with CR line ends while LF also stands inside its lines: an LF
// export with one stray CR, read as a few long lines.
bool LineFeedsInsideLines(const ConversionState &state)
{
    for (int n = 1; n <= state.SourceLineCount; ++n) {
        if (state.SourceLines[n].find(u'\n') != std::u16string::npos)
            return true;
    }
    return false;
}

// No line of the document as read holds the text: a typo, or line ends read otherwise than meant.
std::string NowhereIn(
    const std::string &input, const ConversionState &state, std::u16string_view text)
{
    return "no line of " + input + " holds \"" + Printable(text) + "\""
        + (LineFeedsInsideLines(state) ? " (" + input
                    + " holds a CR, so its line ends are CRs and its LF were read as"
                      " part of lines)"
                                       : "");
}

// A table where the finder proposes it, at its line and of its size; argument is what the
// command line named it by, for the messages about it.
TableArgument AtItsLine(const TableProposal &p, std::string argument)
{
    return TableArgument { Utf8(p.FirstCell), std::to_string(p.Rows), std::to_string(p.Cols),
        p.FirstLine, std::move(argument) };
}

// --auto: every table the finder proposes. Empty after complaining when it proposes none.
std::optional<std::vector<TableArgument>> EveryProposal(
    const CommandLine &line, const ConversionState &state)
{
    std::vector<TableArgument> resolved;
    for (const TableProposal &p : ProposeTables(state))
        resolved.push_back(AtItsLine(p, {}));
    if (resolved.empty()) {
        Complain(line.input + ": no table found");
        return std::nullopt;
    }
    return resolved;
}

// The finder's proposals for the whole document, made once when a size is first left out.
class LazyProposals {
public:
    explicit LazyProposals(const ConversionState &state)
        : document(state)
    {
    }
    const std::vector<TableProposal> &operator()()
    {
        if (!found)
            found = ProposeTables(document);
        return *found;
    }

private:
    const ConversionState &document;
    std::optional<std::vector<TableProposal>> found;
};

// The start of every complaint about a table of the command line.
std::string Named(const TableArgument &table)
{
    return "--table '" + table.argument + "': ";
}

// A table given by its line must name a line of the document that holds its text, as typed or
// as --find shows it. False after complaining.
bool LineHoldsText(const std::string &named, const TableArgument &table, std::u16string_view text,
    const std::string &input, const ConversionState &state)
{
    if (table.line > state.SourceLineCount) {
        Complain(named + "the line is past the end of " + input + ", which has "
            + std::to_string(state.SourceLineCount) + " lines");
        return false;
    }
    // The text as --find shows it, control characters escaped, names the line as well.
    const std::u16string_view held = TrimSpaces(state.SourceLines[table.line]);
    if (held != text && Escaped(held) != text) {
        Complain(named + "line " + std::to_string(table.line) + " of " + input + " holds \""
            + Printable(held) + "\", not \"" + Printable(text) + "\"");
        return false;
    }
    return true;
}

// A table given by its line: as typed when it has a size, else sized as the finder proposes at
// that line. False after complaining.
bool ResolveAtLine(const TableArgument &table, std::u16string_view text, const std::string &input,
    const ConversionState &state, LazyProposals &proposals, std::vector<TableArgument> &resolved)
{
    const std::string named = Named(table);
    if (!LineHoldsText(named, table, text, input, state))
        return false;
    if (!table.rows.empty()) {
        resolved.push_back(table);
        return true;
    }
    const auto proposal = ProposalAt(state, table.line, proposals());
    if (!proposal) {
        Complain(
            named + "no size can be proposed for the table at line " + std::to_string(table.line));
        return false;
    }
    resolved.push_back(AtItsLine(*proposal, table.argument));
    return true;
}

// Whether every block that holds a table's text got a size: the text must be in the document,
// in few enough places the finder proposes no table at, each of which it can size. False after
// complaining.
bool EveryBlockSized(const std::string &named, std::u16string_view text, const std::string &input,
    const ConversionState &state, const TextSizing &sizing)
{
    if (sizing.Lines.empty()) {
        Complain(named + NowhereIn(input, state, text) + ", so no size can be proposed");
        return false;
    }
    if (sizing.Unsized > MostSizedOneByOne) {
        Complain(named + std::to_string(sizing.Lines.size()) + " lines hold \"" + Printable(text)
            + "\", " + std::to_string(sizing.Unsized)
            + " of them where --find proposes no table, too many to size one by one; give"
              " the size as TEXT:ROWSxCOLS");
        return false;
    }
    if (sizing.NoSizeAt != 0) {
        Complain(named + "no size can be proposed for the table at line "
            + std::to_string(sizing.NoSizeAt));
        return false;
    }
    return true;
}

// One size for every block: the table as if typed with it. Otherwise each block on its own, at
// its line.
void AddSizedBlocks(const TableArgument &table, const std::vector<TableProposal> &sized,
    std::vector<TableArgument> &resolved)
{
    if (SizeClashes(AtTheirLines(sized)).empty()) {
        TableArgument alike = table;
        alike.rows = std::to_string(sized.front().Rows);
        alike.cols = std::to_string(sized.front().Cols);
        resolved.push_back(std::move(alike));
    } else {
        for (const TableProposal &p : sized)
            resolved.push_back(AtItsLine(p, table.argument));
    }
}

// A table given by its text alone, without a size: sized as the finder proposes at the blocks
// that hold the text. False after complaining.
bool ResolveByText(const TableArgument &table, std::u16string_view text, const std::string &input,
    const ConversionState &state, LazyProposals &proposals, std::vector<TableArgument> &resolved)
{
    const TextSizing sizing = SizeBlocksHolding(state, text, proposals());
    if (!EveryBlockSized(Named(table), text, input, state, sizing))
        return false;
    AddSizedBlocks(table, sizing.Proposals, resolved);
    return true;
}

// The tables of the command line as the conversion takes them: sizes left out filled in from
// the finder, and tables that only their line tells apart given that line. Empty after
// complaining about the first argument that names no table.
std::optional<std::vector<TableArgument>> Resolve(
    const CommandLine &line, const ConversionState &state)
{
    if (line.automatic)
        return EveryProposal(line, state);

    std::vector<TableArgument> resolved;
    LazyProposals proposals(state);
    for (const TableArgument &table : line.tables) {
        const std::u16string text(TrimSpaces(ArgumentText(table.firstCell)));
        if (table.line != 0) {
            if (!ResolveAtLine(table, text, line.input, state, proposals, resolved))
                return std::nullopt;
        } else if (!table.rows.empty()) {
            resolved.push_back(table);
        } else if (!ResolveByText(table, text, line.input, state, proposals, resolved)) {
            return std::nullopt;
        }
    }
    return resolved;
}

std::vector<TableAt> Placed(const std::vector<TableArgument> &tables)
{
    std::vector<TableAt> placed;
    for (const TableArgument &table : tables) {
        placed.push_back({ table.line, std::u16string(TrimSpaces(ArgumentText(table.firstCell))),
            Count(table.rows), Count(table.cols) });
    }
    return placed;
}

// The boxes the window would hold for these tables.
std::vector<TableBoxes> Boxes(std::span<const TableArgument> tables)
{
    std::vector<TableBoxes> boxes;
    for (const TableArgument &table : tables) {
        boxes.push_back(
            { ArgumentText(table.firstCell), ArgumentText(table.rows), ArgumentText(table.cols) });
    }
    return boxes;
}

// Tables named by their text alone, six at most, are what the window's boxes hold and are
// captured as the window captures them.
ConversionPreview Preview(
    ConversionState &state, const std::vector<TableArgument> &tables, bool byText)
{
    if (byText && tables.size() <= MaxTables) {
        const std::vector<TableBoxes> boxes = Boxes(tables);
        CaptureTableSettings(state, static_cast<int>(tables.size()) - 1, boxes);
        return PreviewConversion(state, boxes);
    }
    return PreviewTablesAt(state, Placed(tables));
}

// Whether a line of the document as read holds the table's text, as the conversion compares
// them; a table given by its line always is.
bool HeldByALine(const ConversionState &state, const TableArgument &table)
{
    if (table.line != 0)
        return true;
    const std::u16string text(TrimSpaces(ArgumentText(table.firstCell)));
    for (int n = 1; n <= state.SourceLineCount; ++n) {
        if (TrimSpaces(state.SourceLines[n]) == text)
            return true;
    }
    return false;
}

// On the command line a table whose text no line of the document holds is a typo, not the
// window's silent skip: a build script would otherwise go on with a table left unconverted. A
// text the conversion finds all the same (in the rows of a table before it) is no typo, and one
// a table before it took into its block is skipped as in the window. False after complaining
// about the first table, numbered from first in tables, that names no line.
bool EveryTextFound(const std::string &input, const ConversionState &state,
    std::span<const TableArgument> tables, size_t first, const ConversionPreview &preview)
{
    // A conversion refused before its search says so itself.
    if (!preview.Refusal.empty())
        return true;
    for (size_t k = 0; k < tables.size(); ++k) {
        const TableArgument &table = tables[k];
        if (table.line != 0
            || std::any_of(preview.Matches.begin(), preview.Matches.end(),
                [&](const TableMatch &m) { return m.Table == static_cast<int>(k + 1); }))
            continue;
        if (!HeldByALine(state, table)) {
            Complain("--table '" + table.argument + "'"
                + (tables.size() > 1 || first > 0 ? " (table " + std::to_string(first + k + 1) + ")"
                                                  : "")
                + ": " + NowhereIn(input, state, TrimSpaces(ArgumentText(table.firstCell)))
                + "; nothing was written");
            return false;
        }
    }
    return true;
}

// Whether any of the tables is named by a text no line of the document as read holds; only
// then is the conversion previewed for EveryTextFound.
bool AnyTextNowhere(const ConversionState &state, std::span<const TableArgument> tables)
{
    return std::any_of(tables.begin(), tables.end(),
        [&](const TableArgument &table) { return !HeldByALine(state, table); });
}

// Converts the tables, all or nothing; false after complaining.
bool Convert(ConversionState &state, const std::vector<TableArgument> &tables, bool byText,
    const std::string &input)
{
    if (!byText) {
        if (AnyTextNowhere(state, tables)
            && !EveryTextFound(input, state, tables, 0, PreviewTablesAt(state, Placed(tables))))
            return false;
        const std::u16string refusal = ConvertTablesAt(state, Placed(tables));
        if (!refusal.empty())
            Refused({}, refusal);
        return refusal.empty();
    }
    // Six tables at a time, as the window's boxes hold them, each pass on the document as the
    // ones before it left it. Nothing is written unless every pass converts.
    for (size_t first = 0; first < tables.size(); first += MaxTables) {
        const size_t last = std::min(first + MaxTables, tables.size());
        const std::span<const TableArgument> pass(tables.begin() + first, tables.begin() + last);
        const std::vector<TableBoxes> boxes = Boxes(pass);
        CaptureTableSettings(state, static_cast<int>(boxes.size()) - 1, boxes);
        if (AnyTextNowhere(state, pass)
            && !EveryTextFound(input, state, pass, first, PreviewConversion(state, boxes)))
            return false;
        const std::u16string refusal = ConvertTables(state, boxes);
        if (refusal.empty())
            continue;
        Refused(tables.size() <= MaxTables
                ? std::string()
                : "--table " + std::to_string(first + 1) + " to " + std::to_string(last)
                    + " (tables 1 to " + std::to_string(last - first) + " below)",
            refusal);
        return false;
    }
    return true;
}

// "-" and /dev/stdout name standard output, which may be a pipe or a terminal that no file
// can replace.
bool IsStandardOutput(const std::string &output)
{
    return output == "-" || output == "/dev/stdout";
}

int Run(const CommandLine &line)
{
    if (!Utf8Name(line.input, "input") || (line.output && !Utf8Name(*line.output, "output")))
        return UsageError;
    if (line.output && !IsStandardOutput(*line.output) && !fs::path(*line.output).has_filename()) {
        Complain("the output '" + *line.output + "' names a folder, not a file");
        return UsageError;
    }

    // The process ends when Run returns: freeing each of the document's lines one by one would
    // only cost time, so the state is never destroyed (and stays reachable, so no leak is seen).
    static ConversionState &state = *new ConversionState { ConversionState::GrowingLineStores {} };
    DocumentRead read = ReadInput(fs::path(line.input));
    if (!read.Document) {
        Refused(line.input, read.Reason);
        return Failure;
    }
    TakeDocument(state, std::move(*read.Document));

    if (line.action == CommandLine::Action::Find)
        return Find(state, line.input);

    const auto tables = Resolve(line, state);
    if (!tables)
        return Failure;
    // Anything but tables named by their text alone, six at most, goes through the conversion by
    // position.
    const bool byText = std::all_of(
        tables->begin(), tables->end(), [](const TableArgument &t) { return t.line == 0; });
    state.EscapeSpecialCharacters = line.escape;
    state.CompleteTabular = line.tabular;

    if (line.action == CommandLine::Action::Check) {
        const ConversionPreview preview = Preview(state, *tables, byText);
        if (!preview.Refusal.empty()) {
            Refused({}, preview.Refusal);
            return Failure;
        }
        const CheckReport report = MakeCheckReport(state, *tables, preview);
        if (!WriteStandardOutput(report.text))
            return Failure;
        return report.passed ? Success : Failure;
    }

    if (!Convert(state, *tables, byText, line.input))
        return Failure;
    const std::string document = EncodeDocument(state);
    if (!line.output || IsStandardOutput(*line.output))
        return WriteStandardOutput(document) ? Success : Failure;
    const fs::path output(*line.output);
    const std::u16string reason = SaveFileAtomically(output, document);
    if (reason.empty())
        return Success;
    Complain("Could not save " + output.filename().string() + ": " + Utf8(reason));
    return Failure;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const std::vector<std::string_view> args(argv + 1, argv + argc);
        const ParsedCommandLine parsed = ParseCommandLine(args);
        if (!parsed.error.empty()) {
            Complain(parsed.error);
            Complain("try 'cellwright-convert --help' for more information");
            return UsageError;
        }
        switch (parsed.commandLine.action) {
        case CommandLine::Action::Help:
            return WriteStandardOutput(HelpText) ? Success : Failure;
        case CommandLine::Action::Version:
            return WriteStandardOutput("cellwright-convert (Cellwright) " CELLWRIGHT_VERSION "\n")
                ? Success
                : Failure;
        case CommandLine::Action::Convert:
        case CommandLine::Action::Check:
        case CommandLine::Action::Find:
            break;
        }
        return Run(parsed.commandLine);
    } catch (const std::exception &error) {
        Complain(error.what());
        return Failure;
    }
}
