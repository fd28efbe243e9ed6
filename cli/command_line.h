// The command line of cellwright-convert: what it asks for, parsed without touching any file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

// One --table [LINE<TAB>]TEXT[:ROWSxCOLS], as typed: the texts the window's three boxes of a row
// would hold, and the line --find printed in front of it when a whole line of its output was
// pasted.
struct TableArgument {
    std::string firstCell;
    std::string rows; // empty with cols when no size was given
    std::string cols;
    int line = 0; // the top-left cell's line in INPUT; 0 when none was given
    std::string argument; // the whole argument, for messages
};

struct CommandLine {
    enum class Action { Convert, Check, Find, Help, Version };

    Action action = Action::Convert;
    bool automatic = false; // --auto: every table --find proposes instead of --table
    bool escape = false; // --escape: LaTeX's special characters in the cells escaped
    bool tabular = false; // --tabular: each table a whole tabular environment with booktabs rules
    std::vector<TableArgument> tables;
    std::string input;
    std::optional<std::string> output;
};

// Either the command line or the message of the first usage error, naming the bad argument.
struct ParsedCommandLine {
    CommandLine commandLine;
    std::string error;
};

// Parses the arguments that follow the program's name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string_view> &args);

// Text typed on the command line as the window would hold it: UTF-8, or else Windows-1252
// bytes, read the way documents are read.
std::u16string ArgumentText(std::string_view bytes);

// The text --help prints.
extern const std::string_view HelpText;

} // namespace cellwright
