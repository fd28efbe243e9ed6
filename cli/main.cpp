// cellwright-convert: the conversion engine from the command line, for build scripts that repeat
// a conversion and for people who want to check a document first.
//
// The arguments become the window's table boxes (ConsoleWindow), so the engine reads, checks,
// refuses, converts and saves exactly as it does behind the window; its messages go to standard
// error.

#include "check_report.h"
#include "command_line.h"
#include "console_window.h"
#include "find_tables.h"
#include "read_textfile.h"
#include "text_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
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

// Straight to the descriptor: the program's output is a single piece, which stdio would only copy
// into its buffer first.
bool WriteStandardOutput(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            Complain(std::string("could not write to standard output: ") + std::strerror(errno));
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

struct Location {
    std::u16string folder;
    std::u16string name;
};

// ReadDocument and WriteDocument enter the document's folder before opening its name, so every
// name given relative to where the program was started becomes a folder and a bare name first.
// Empty after complaining; status then says why.
std::optional<Location> Locate(const std::string &name, const char *role, int &status)
{
    // The engine hands names to the file system as UTF-8.
    TextEncoding encoding;
    DecodeText(name, encoding);
    if (encoding == TextEncoding::Windows1252) {
        Complain(std::string("the ") + role + " name '" + name + "' is not valid UTF-8");
        status = UsageError;
        return std::nullopt;
    }
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(name), ec);
    if (ec) {
        Complain(name + ": " + ec.message());
        status = Failure;
        return std::nullopt;
    }
    return Location { absolute.parent_path().u16string(), absolute.filename().u16string() };
}

std::string Utf8(std::u16string_view text)
{
    return EncodeText(text, TextEncoding::Utf8);
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

// Whether the proposals all have one size.
bool SameSize(const std::vector<TableProposal> &proposals)
{
    return std::all_of(proposals.begin(), proposals.end(), [&](const TableProposal &p) {
        return p.Rows == proposals.front().Rows && p.Cols == proposals.front().Cols;
    });
}

// --find: one line per proposal on standard output; what a bare TEXT:ROWSxCOLS cannot say goes
// to standard error.
int Find(const ConversionState &state, const std::string &input)
{
    const std::vector<TableProposal> proposals = FindTables(state);
    std::string listed;
    std::map<std::u16string, std::vector<TableProposal>> byText;
    for (const TableProposal &p : proposals) {
        // A line break inside the cell would split the proposal's line in two.
        std::u16string text = p.FirstCell;
        std::replace_if(
            text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
        listed
            += std::to_string(p.FirstLine) + "\t" + Utf8(text) + ":" + Size(p.Rows, p.Cols) + "\n";
        byText[p.FirstCell].push_back(p);
    }
    for (const auto &entry : byText) {
        const std::u16string &text = entry.first;
        const std::vector<TableProposal> &alike = entry.second;
        if (SameSize(alike))
            continue;
        std::string lines, sizes;
        for (size_t i = 0; i < alike.size(); ++i) {
            const char *gap = i == 0 ? "" : i + 1 == alike.size() ? " and " : ", ";
            lines += gap + std::to_string(alike[i].FirstLine);
            sizes += gap + Size(alike[i].Rows, alike[i].Cols);
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
        for (const TableProposal &p : FindTables(state))
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
            const auto proposal = ProposeTableAt(state, table.line);
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
            Complain(EncodeText(IncompleteBoxesMessage, TextEncoding::Utf8));
            return std::nullopt;
        }

        std::vector<TableProposal> proposals;
        for (int n = 1; n <= state.SourceLineCount; ++n) {
            if (lineText(n) != text)
                continue;
            const auto proposal = ProposeTableAt(state, n);
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
        if (SameSize(proposals)) {
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

int Run(const CommandLine &line)
{
    int status = Success;
    const auto input = Locate(line.input, "input", status);
    if (!input)
        return status;
    std::optional<Location> output;
    if (line.output) {
        output = Locate(*line.output, "output", status);
        if (!output)
            return status;
        if (output->name.empty()) {
            Complain("the output '" + *line.output + "' names a folder, not a file");
            return UsageError;
        }
    }

    ConversionState state { ConversionState::GrowingLineStores {} };
    ConsoleWindow window({});
    Read_Textfile engine(state, window);

    state.OpenFolder = input->folder;
    state.OpenFileName = input->name;
    window.SetMessageContext(line.input);
    engine.ReadDocument();
    if (window.MessageCount() > 0)
        return Failure;
    window.SetMessageContext({});

    if (line.action == CommandLine::Action::Find)
        return Find(state, line.input);

    const auto tables = Resolve(line, state);
    if (!tables)
        return Failure;
    // Tables named by their text alone, six at most, are what the window's boxes hold; anything
    // else goes through the conversion by position.
    const bool byText = std::all_of(
        tables->begin(), tables->end(), [](const TableArgument &t) { return t.line == 0; });
    for (const TableArgument &table : *tables) {
        if (table.line == 0 && table.firstCell.empty() && (!byText || tables->size() > MaxTables)) {
            window.MsgBox(IncompleteBoxesMessage);
            return Failure;
        }
    }
    state.EscapeSpecialCharacters = line.escape;

    if (line.action == CommandLine::Action::Check) {
        ConsoleWindow boxes(*tables);
        Read_Textfile boxed(state, boxes);
        ConversionPreview preview;
        if (byText && tables->size() <= MaxTables) {
            boxed.CaptureTableSettings();
            preview = boxed.PreviewConversion();
        } else {
            preview = engine.PreviewTablesAt(Placed(*tables));
        }
        if (!preview.Refusal.empty()) {
            window.MsgBox(preview.Refusal);
            return Failure;
        }
        const CheckReport report = MakeCheckReport(state, *tables, preview);
        if (!WriteStandardOutput(report.text))
            return Failure;
        return report.passed ? Success : Failure;
    }

    if (byText) {
        // Six tables at a time, as the window's boxes hold them, each pass on the document as the
        // ones before it left it. Nothing is written unless every pass converts.
        for (size_t first = 0; first < tables->size(); first += MaxTables) {
            const size_t last = std::min(first + MaxTables, tables->size());
            ConsoleWindow boxes({ tables->begin() + first, tables->begin() + last });
            if (tables->size() > MaxTables) {
                boxes.SetMessageContext("--table " + std::to_string(first + 1) + " to "
                    + std::to_string(last) + " (tables 1 to " + std::to_string(last - first)
                    + " below)");
            }
            Read_Textfile pass(state, boxes);
            pass.CaptureTableSettings();
            pass.ConvertTables();
            if (boxes.MessageCount() > 0)
                return Failure;
        }
    } else if (!engine.ConvertTablesAt(Placed(*tables))) {
        return Failure;
    }

    if (output) {
        state.SaveFolder = output->folder;
        state.SaveFileName = output->name;
        return engine.WriteDocument() ? Success : Failure;
    }
    return WriteStandardOutput(EncodeDocument(state)) ? Success : Failure;
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
