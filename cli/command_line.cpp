#include "command_line.h"

#include "conversion_state.h"
#include "text_codec.h"

#include <algorithm>
#include <string>

namespace cellwright {

const std::string_view HelpText
    = R"(Usage: cellwright-convert [--escape] --table TEXT[:ROWSxCOLS] [--table ...] INPUT [-o OUTPUT]
       cellwright-convert [--escape] --auto INPUT [-o OUTPUT]
       cellwright-convert --check [--escape] (--table ... | --auto) INPUT
       cellwright-convert --find INPUT

Converts the tables of a plain-text document that holds one table cell per line into LaTeX
tabular rows: the cells of a row joined by "&", each row closed by "\\". The rest of the
document passes through with leading spaces removed and CR LF line ends. INPUT may also be a
.docx or .odt document: its tables are then known exactly, and merged cells are written with
\multicolumn.

  --table TEXT:ROWSxCOLS  a table whose top-left cell holds exactly TEXT, ROWS rows by COLS
                          columns; as many as needed, converted in the order given. The last
                          ":" ends TEXT, so TEXT may itself contain ":".
  --table TEXT            the same, sized as --find proposes at the lines that hold TEXT; when
                          TEXT itself holds ":", end it with one more (--table "Time: 12:")
  --table "LINE<TAB>TEXT:ROWSxCOLS"
                          a whole line of --find's output: only the block at line LINE of
                          INPUT, which must hold TEXT; tells apart tables whose top-left cells
                          hold the same text (the size may again be left out)
  --auto                  convert every table --find proposes, each at its own line
  --find                  list the tables found in INPUT, one line each: LINE, a tab, and the
                          --table argument TEXT:ROWSxCOLS that describes it
  --escape                escape LaTeX's special characters (& % $ # _ { } ~ ^ \) in the cells
                          of the converted tables; the rest of the document stays as it is
  --tabular               write each converted table as a whole tabular environment with
                          booktabs rules (\toprule, \midrule, \cmidrule, \bottomrule) and a
                          column letter each, r where the body's cells are all numbers; the
                          paper then needs \usepackage{booktabs}; it goes wherever --escape
                          may
  -o, --output OUTPUT     write the document to OUTPUT, replacing it only once the whole
                          document is written; without -o, or with -o - or -o /dev/stdout, it
                          goes to standard output
  --check                 convert and write nothing: show where each table is found, the lines
                          its block takes, whether it fits, and the cells that hold a character
                          LaTeX treats specially (shown as resolved with --escape); with
                          --tabular, the columns it would align right
  -h, --help              show this help and exit
  --version               show the version and exit

Exit status: 0 success; 1 the document cannot be read, the conversion is refused, the output
cannot be written, (with --check) a table is not found or does not fit, or (with --find) no
table is found; 2 usage error.
)";

namespace {

std::string Quoted(std::string_view text)
{
    std::string quoted(1, '\'');
    quoted += text;
    quoted += '\'';
    return quoted;
}

bool IsWholeNumberFromOne(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })
        && text.find_first_not_of('0') != std::string_view::npos;
}

// Only a pasted line of --find names a table whose top-left cell is empty.
std::string EmptyText(std::string_view argument)
{
    return "--table " + Quoted(argument)
        + ": the text of the top-left cell is empty; a table whose top-left cell is empty is"
          " named by its whole line of --find's output (LINE<TAB>:ROWSxCOLS)";
}

// [LINE<TAB>]TEXT[:ROWSxCOLS], the last ":" ending TEXT; empty error when it parses.
std::string ParseTable(std::string_view argument, TableArgument &table)
{
    table.argument = argument;
    std::string_view text = argument;
    // A whole line of --find's output, pasted.
    if (const size_t tab = text.find_first_not_of("0123456789");
        tab != 0 && tab != std::string_view::npos && text[tab] == '\t') {
        std::string_view line = text.substr(0, tab);
        if (!IsWholeNumberFromOne(line)) {
            return "--table " + Quoted(argument) + ": the line " + Quoted(line)
                + " is not a line number from 1 up";
        }
        // Leading zeros are the number all the same; a number too long for an int is past the
        // end of any document all the same.
        line.remove_prefix(line.find_first_not_of('0'));
        table.line = line.size() > 9 ? 999999999 : std::stoi(std::string(line));
        text = text.substr(tab + 1);
    }

    const size_t colon = text.rfind(':');
    const std::string_view size
        = colon == std::string_view::npos ? std::string_view {} : text.substr(colon + 1);
    // No size: no ":" at all, an empty size after the last one, or text that cannot be a size.
    if (colon == std::string_view::npos
        || size.find_first_not_of("0123456789xX .,+-") != size.npos) {
        table.firstCell = text;
        return text.empty() && table.line == 0 ? EmptyText(argument) : std::string();
    }
    table.firstCell = text.substr(0, colon);
    if (table.firstCell.empty() && table.line == 0)
        return EmptyText(argument);
    if (size.empty())
        return {};
    const size_t x = size.find_first_of("xX");
    const std::string_view rows = size.substr(0, x);
    const std::string_view cols = x == std::string_view::npos ? "" : size.substr(x + 1);
    if (x == std::string_view::npos || !IsWholeNumberFromOne(rows) || !IsWholeNumberFromOne(cols)) {
        return "--table " + Quoted(argument) + ": the size " + Quoted(size)
            + " is not ROWSxCOLS with ROWS and COLS whole numbers from 1 up (end TEXT with"
              " \":\" to give it without a size)";
    }
    table.rows = rows;
    table.cols = cols;
    return {};
}

// What the arguments give besides the command line itself: the switches as given, --find
// taking none of the others, and the operands, of which INPUT must be the only one.
struct Given {
    bool check = false;
    bool find = false;
    std::vector<std::string_view> switches; // --check, --find, --auto, --escape, --tabular
    std::vector<std::string_view> operands;
};

// The options that take no value switch something on; false when arg is none of them.
bool TakeSwitch(std::string_view arg, CommandLine &line, Given &given)
{
    if (arg != "--check" && arg != "--find" && arg != "--auto" && arg != "--escape"
        && arg != "--tabular")
        return false;
    given.check = given.check || arg == "--check";
    given.find = given.find || arg == "--find";
    line.automatic = line.automatic || arg == "--auto";
    line.escape = line.escape || arg == "--escape";
    line.tabular = line.tabular || arg == "--tabular";
    given.switches.push_back(arg);
    return true;
}

// An option with a value, its name apart from the value given in the same argument: "--table
// VALUE", "--table=VALUE", "-o VALUE", "-oVALUE".
struct NamedOption {
    std::string_view name;
    std::optional<std::string_view> value;
};

NamedOption SplitOption(std::string_view arg)
{
    if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos)
        return { arg.substr(0, equals), arg.substr(equals + 1) };
    if (arg.starts_with("-o") && arg.size() > 2)
        return { "-o", arg.substr(2) };
    return { arg, std::nullopt };
}

// The option at args[at], --table or -o, with its value, which may be the next argument (at then
// moves past it); the usage error, or empty.
std::string TakeOption(const std::vector<std::string_view> &args, size_t &at, CommandLine &line)
{
    const std::string_view arg = args[at];
    auto [name, value] = SplitOption(arg);
    const bool isTable = name == "--table";
    const bool isOutput = name == "-o" || name == "--output";
    if (!isTable && !isOutput)
        return "unknown option " + Quoted(arg);
    if (!value) {
        if (at + 1 == args.size()) {
            return "option " + std::string(name) + " needs a value"
                + (isTable ? " TEXT:ROWSxCOLS" : " OUTPUT");
        }
        value = args[++at];
    }

    if (isOutput) {
        if (line.output)
            return "more than one output: " + Quoted(*value);
        if (value->empty())
            return "the output name is empty";
        line.output = *value;
        return {};
    }
    TableArgument table;
    if (std::string error = ParseTable(*value, table); !error.empty())
        return error;
    line.tables.push_back(std::move(table));
    return {};
}

// Goes through the arguments in order, stopping at -h or --version, which set the action and
// leave the rest unread, or at the first usage error, which it returns.
std::string ReadArguments(
    const std::vector<std::string_view> &args, CommandLine &line, Given &given)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            given.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            line.action = CommandLine::Action::Help;
            return {};
        }
        if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return {};
        }
        if (TakeSwitch(arg, line, given))
            continue;
        if (std::string error = TakeOption(args, i, line); !error.empty())
            return error;
    }
    return {};
}

// INPUT, the one operand; the usage error, or empty.
std::string TakeInput(const std::vector<std::string_view> &operands, CommandLine &line)
{
    if (operands.empty())
        return "no input document given";
    if (operands.size() > 1)
        return "more than one input document: " + Quoted(operands[1]);
    if (operands[0].empty())
        return "the input name is empty";
    line.input = operands[0];
    return {};
}

// --find only lists, so every option that converts or writes is a usage error with it.
std::string FindTakesNoOther(const std::vector<std::string_view> &switches, const CommandLine &line)
{
    for (const std::string_view flag : switches) {
        if (flag != "--find")
            return "--find lists the tables and converts nothing, so it takes no "
                + std::string(flag);
    }
    if (!line.tables.empty())
        return "--find takes no --table " + Quoted(line.tables.front().argument);
    if (line.output)
        return "--find writes no document, so it takes no output " + Quoted(*line.output);
    return {};
}

// A conversion or --check needs its tables from either --table or --auto, not both, and
// --check writes nothing.
std::string TablesToConvert(bool check, const CommandLine &line)
{
    if (line.automatic && !line.tables.empty())
        return "--auto converts every table found, so it takes no --table "
            + Quoted(line.tables.front().argument);
    if (!line.automatic && line.tables.empty())
        return "no --table given, and no --auto";
    if (check && line.output)
        return "--check writes nothing, so it takes no output " + Quoted(*line.output);
    return {};
}

} // namespace

std::u16string ArgumentText(std::string_view bytes)
{
    TextEncoding encoding;
    std::u16string text = DecodeText(bytes, encoding);
    // The decoder drops a byte-order mark; typed text keeps every character.
    if (encoding == TextEncoding::Utf8WithBom)
        text.insert(text.begin(), u'\uFEFF');
    return text;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string_view> &args)
{
    ParsedCommandLine parsed;
    CommandLine &line = parsed.commandLine;
    const auto fail = [&](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };

    Given given;
    if (std::string error = ReadArguments(args, line, given); !error.empty())
        return fail(std::move(error));
    if (line.action == CommandLine::Action::Help || line.action == CommandLine::Action::Version)
        return parsed;
    if (std::string error = TakeInput(given.operands, line); !error.empty())
        return fail(std::move(error));
    if (given.find) {
        if (std::string error = FindTakesNoOther(given.switches, line); !error.empty())
            return fail(std::move(error));
        line.action = CommandLine::Action::Find;
        return parsed;
    }
    if (std::string error = TablesToConvert(given.check, line); !error.empty())
        return fail(std::move(error));
    line.action = given.check ? CommandLine::Action::Check : CommandLine::Action::Convert;
    return parsed;
}

} // namespace cellwright
