// cellwright-convert: the conversion engine from the command line, for build scripts that repeat
// a conversion and for people who want to check a document first.
//
// The arguments become the window's table boxes (ConsoleWindow), so the engine reads, checks,
// refuses, converts and saves exactly as it does behind the window; its messages go to standard
// error.

#include "check_report.h"
#include "command_line.h"
#include "console_window.h"
#include "read_textfile.h"
#include "text_codec.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>

using namespace cellwright;
namespace fs = std::filesystem;

namespace {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

void Complain(const std::string &message)
{
    const std::string line = "cellwright-convert: " + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

bool WriteStandardOutput(std::string_view bytes)
{
    errno = 0;
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    Complain(std::string("could not write to standard output: ")
        + (errno ? std::strerror(errno) : "the system reported no reason"));
    return false;
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
    ConsoleWindow window(line.tables);
    Read_Textfile engine(state, window);

    state.OpenFolder = input->folder;
    state.OpenFileName = input->name;
    window.SetMessageContext(line.input);
    engine.ReadDocument();
    if (window.MessageCount() > 0)
        return Failure;
    window.SetMessageContext({});

    engine.CaptureTableSettings();
    if (line.action == CommandLine::Action::Check) {
        const ConversionPreview preview = engine.PreviewConversion();
        if (!preview.Refusal.empty()) {
            window.MsgBox(preview.Refusal);
            return Failure;
        }
        const CheckReport report = MakeCheckReport(state, line.tables, preview);
        if (!WriteStandardOutput(report.text))
            return Failure;
        return report.passed ? Success : Failure;
    }

    engine.ConvertTables();
    if (window.MessageCount() > 0)
        return Failure;

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
            break;
        }
        return Run(parsed.commandLine);
    } catch (const std::exception &error) {
        Complain(error.what());
        return Failure;
    }
}
