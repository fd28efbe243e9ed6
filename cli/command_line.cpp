#include "command_line.h"

#include "conversion_state.h"
#include "text_codec.h"

#include <algorithm>

namespace cellwright {

const std::string_view HelpText
    = R"(Usage: cellwright-convert --table TEXT:ROWSxCOLS [--table ...] INPUT [-o OUTPUT]
       cellwright-convert --check --table TEXT:ROWSxCOLS [--table ...] INPUT

Converts the tables of a plain-text document that holds one table cell per line into LaTeX
tabular rows: the cells of a row joined by "&", each row closed by "\\". The rest of the
document passes through with leading spaces removed and CR LF line ends.

  --table TEXT:ROWSxCOLS  a table whose top-left cell holds exactly TEXT, ROWS rows by COLS
                          columns; up to 6, converted in the order given. The last ":" ends
                          TEXT, so TEXT may itself contain ":".
  -o, --output OUTPUT     write the document to OUTPUT, replacing it only once the whole
                          document is written; without -o it goes to standard output
  --check                 convert and write nothing: show where each table is found, the lines
                          its block takes, whether it fits, and the cells that hold a character
                          LaTeX treats specially (& % $ # _ { } ~ ^ \)
  -h, --help              show this help and exit
  --version               show the version and exit

Exit status: 0 success; 1 the document cannot be read, the conversion is refused, the output
cannot be written, or (with --check) a table is not found or does not fit; 2 usage error.
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

// TEXT:ROWSxCOLS, the last ":" ending TEXT; empty error when it parses.
std::string ParseTable(std::string_view argument, TableArgument &table)
{
    const size_t colon = argument.rfind(':');
    if (colon == std::string_view::npos) {
        return "--table " + Quoted(argument)
            + ": expected TEXT:ROWSxCOLS (a \":\" before the table's size)";
    }
    const std::string_view size = argument.substr(colon + 1);
    const size_t x = size.find_first_of("xX");
    const std::string_view rows = size.substr(0, x);
    const std::string_view cols = x == std::string_view::npos ? "" : size.substr(x + 1);
    if (x == std::string_view::npos || !IsWholeNumberFromOne(rows) || !IsWholeNumberFromOne(cols)) {
        return "--table " + Quoted(argument) + ": the size " + Quoted(size)
            + " is not ROWSxCOLS with ROWS and COLS whole numbers from 1 up";
    }
    table.firstCell = argument.substr(0, colon);
    table.rows = rows;
    table.cols = cols;
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

    bool check = false;
    bool optionsEnded = false;
    std::vector<std::string_view> operands;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            line.action = CommandLine::Action::Help;
            return parsed;
        }
        if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return parsed;
        }
        if (arg == "--check") {
            check = true;
            continue;
        }

        // Options with a value: "--table VALUE", "--table=VALUE", "-o VALUE", "-oVALUE".
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        } else if (arg.starts_with("-o") && arg.size() > 2) {
            name = "-o";
            value = arg.substr(2);
        }
        const bool isTable = name == "--table";
        const bool isOutput = name == "-o" || name == "--output";
        if (!isTable && !isOutput)
            return fail("unknown option " + Quoted(arg));
        if (!value) {
            if (i + 1 == args.size()) {
                return fail("option " + std::string(name) + " needs a value"
                    + (isTable ? " TEXT:ROWSxCOLS" : " OUTPUT"));
            }
            value = args[++i];
        }

        if (isOutput) {
            if (line.output)
                return fail("more than one output: " + Quoted(*value));
            if (value->empty())
                return fail("the output name is empty");
            line.output = *value;
            continue;
        }
        if (line.tables.size() == MaxTables) {
            return fail("--table " + Quoted(*value) + ": at most " + std::to_string(MaxTables)
                + " tables can be converted at once");
        }
        TableArgument table;
        if (std::string error = ParseTable(*value, table); !error.empty())
            return fail(std::move(error));
        line.tables.push_back(std::move(table));
    }

    if (operands.empty())
        return fail("no input document given");
    if (operands.size() > 1)
        return fail("more than one input document: " + Quoted(operands[1]));
    if (operands[0].empty())
        return fail("the input name is empty");
    line.input = operands[0];
    if (line.tables.empty())
        return fail("no --table given");
    if (check && line.output)
        return fail("--check writes nothing, so it takes no output " + Quoted(*line.output));
    line.action = check ? CommandLine::Action::Check : CommandLine::Action::Convert;
    return parsed;
}

} // namespace cellwright
