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
#include "read_document.h"
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

// A size given as digits, too large ones kept too large for the conversion to accept.
int Count(const std::string &digits)
{
    return digits.size() > 6 ? 1000000 : std::stoi(digits);
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
        // A line break inside the cell would split the proposal's line in two.
        std::u16string text = p.FirstCell;
        std::replace_if(
            text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
        listed
            += std::to_string(p.FirstLine) + "\t" + Utf8(text) + ":" + Size(p.Rows, p.Cols) + "\n";
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
        Complain("lines " + lines + " start tables whose top-left cells all hold \"" + Utf8(text)
            + "\" but whose sizes differ (" + sizes
            + "); --table TEXT:ROWSxCOLS would give each the same size, so give the whole lines"
              " or use --auto");
    }
    for (const TableProposal &p : proposals) {
        if (p.FirstCell.empty()) {
            Complain("line " + std::to_string(p.FirstLine)
                + ": the top-left cell is empty; only the whole line or --auto names this table");
        } else if (p.FirstCell.find_first_of(u"\r\n") != std::u16string::npos) {
            Complain("line " + std::to_string(p.FirstLine)
                + ": the top-left cell holds a line break; only --auto converts this table");
        }
    }
    if (proposals.empty()) {
        Complain(input + ": no table found");
        return Failure;
    }
    return WriteStandardOutput(listed) ? Success : Failure;
}

// The tables of the command line as the conversion takes them: sizes left out filled in from
// the finder, and tables that only their line tells apart given that line. Empty after
// complaining about the first argument that names no table.
std::optional<std::vector<TableArgument>> Resolve(
    const CommandLine &line, const ConversionState &state)
{
    std::vector<TableArgument> resolved;
    const auto placed = [](const TableProposal &p, std::string argument) {
        return TableArgument { Utf8(p.FirstCell), std::to_string(p.Rows), std::to_string(p.Cols),
            p.FirstLine, std::move(argument) };
    };
    if (line.automatic) {
        for (const TableProposal &p : ProposeTables(state))
            resolved.push_back(placed(p, {}));
        if (resolved.empty()) {
            Complain(line.input + ": no table found");
            return std::nullopt;
        }
        return resolved;
    }

    const auto lineText = [&](int n) { return TrimSpaces(state.SourceLines[n]); };
    for (const TableArgument &table : line.tables) {
        const std::string named = "--table '" + table.argument + "': ";
        const std::u16string text(TrimSpaces(ArgumentText(table.firstCell)));
        if (table.line != 0) {
            if (table.line > state.SourceLineCount || lineText(table.line) != text) {
                Complain(named + "line " + std::to_string(table.line) + " of " + line.input
                    + (table.line > state.SourceLineCount ? " does not exist"
                                                          : " holds \"" + Utf8(lineText(table.line))
                                + "\", not \"" + Utf8(text) + "\""));
                return std::nullopt;
            }
            if (!table.rows.empty()) {
                resolved.push_back(table);
                continue;
            }
            const auto proposal = ProposeTable(state, table.line);
            if (!proposal) {
                Complain(named + "no size can be proposed for the table at line "
                    + std::to_string(table.line));
                return std::nullopt;
            }
            resolved.push_back(placed(*proposal, table.argument));
            continue;
        }
        if (!table.rows.empty()) {
            resolved.push_back(table);
            continue;
        }
        // As in the window, an empty first box names no table.
        if (table.firstCell.empty()) {
            Refused({}, IncompleteBoxesMessage);
            return std::nullopt;
        }

        std::vector<TableProposal> proposals;
        for (int n = 1; n <= state.SourceLineCount; ++n) {
            if (lineText(n) != text)
                continue;
            const auto proposal = ProposeTable(state, n);
            if (!proposal) {
                Complain(
                    named + "no size can be proposed for the table at line " + std::to_string(n));
                return std::nullopt;
            }
            proposals.push_back(*proposal);
        }
        if (proposals.empty()) {
            Complain(named + "no line of " + line.input + " holds \"" + Utf8(text)
                + "\", so no size can be proposed");
            return std::nullopt;
        }
        // One size for every block: the table as if typed with it. Otherwise each block on its
        // own, at its line.
        if (SizeClashes(AtTheirLines(proposals)).empty()) {
            TableArgument sized = table;
            sized.rows = std::to_string(proposals.front().Rows);
            sized.cols = std::to_string(proposals.front().Cols);
            resolved.push_back(std::move(sized));
        } else {
            for (const TableProposal &p : proposals)
                resolved.push_back(placed(p, table.argument));
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

// Converts the tables, all or nothing; false after complaining.
bool Convert(ConversionState &state, const std::vector<TableArgument> &tables, bool byText)
{
    if (!byText) {
        const std::u16string refusal = ConvertTablesAt(state, Placed(tables));
        if (!refusal.empty())
            Refused({}, refusal);
        return refusal.empty();
    }
    // Six tables at a time, as the window's boxes hold them, each pass on the document as the
    // ones before it left it. Nothing is written unless every pass converts.
    for (size_t first = 0; first < tables.size(); first += MaxTables) {
        const size_t last = std::min(first + MaxTables, tables.size());
        const std::vector<TableBoxes> boxes
            = Boxes({ tables.begin() + first, tables.begin() + last });
        CaptureTableSettings(state, static_cast<int>(boxes.size()) - 1, boxes);
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

int Run(const CommandLine &line)
{
    if (!Utf8Name(line.input, "input") || (line.output && !Utf8Name(*line.output, "output")))
        return UsageError;
    if (line.output && !fs::path(*line.output).has_filename()) {
        Complain("the output '" + *line.output + "' names a folder, not a file");
        return UsageError;
    }

    ConversionState state { ConversionState::GrowingLineStores {} };
    DocumentRead read = ReadDocumentFile(fs::path(line.input));
    if (!read.Document) {
        Refused(line.input,
            read.Failure == ReadFailure::NotTextDocument ? read.Reason : ReadErrorMessage);
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
    for (const TableArgument &table : *tables) {
        if (table.line == 0 && table.firstCell.empty() && (!byText || tables->size() > MaxTables)) {
            Refused({}, IncompleteBoxesMessage);
            return Failure;
        }
    }
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

    if (!Convert(state, *tables, byText))
        return Failure;
    const std::string document = EncodeDocument(state);
    if (!line.output)
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
