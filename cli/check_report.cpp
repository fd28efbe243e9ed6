#include "check_report.h"

#include "text_codec.h"

namespace cellwright {

namespace {

// Cells are shown on one line and cut short, so a stray line feed or a very long line does not
// swamp the report.
constexpr size_t ShownCellLength = 60;

std::string Shown(std::u16string_view cell)
{
    std::u16string shown;
    for (const char16_t c : cell.substr(0, ShownCellLength)) {
        if (c < 0x20 || c == 0x7F) {
            shown += u'^';
            shown += static_cast<char16_t>(c ^ 0x40);
        } else if (c >= 0x80 && c <= 0x9F) {
            // The C1 controls have no caret form; some terminals act on them all the same.
            AppendHexEscape(shown, c);
        } else {
            shown += c;
        }
    }
    if (!shown.empty() && shown.back() >= 0xD800 && shown.back() <= 0xDBFF)
        shown.pop_back();
    if (cell.size() > ShownCellLength)
        shown += u"...";
    return EncodeText(shown, TextEncoding::Utf8);
}

std::string Listed(std::u16string_view characters)
{
    std::string listed;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (i > 0)
            listed += i + 1 == characters.size() ? " and " : ", ";
        listed += static_cast<char>(characters[i]);
    }
    return listed;
}

// "1 row", "3 rows": the count as typed.
std::string Counted(const std::string &count, const std::string &noun)
{
    return count + " " + noun
        + (count.find_first_not_of('0') + 1 == count.size() && count.back() == '1' ? "" : "s");
}

std::string Numbers(const std::vector<int> &numbers, const std::string &noun)
{
    std::string text = noun + (numbers.size() == 1 ? " " : "s ");
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            text += i + 1 == numbers.size() ? " and " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::string Tables(const std::vector<int> &numbers)
{
    return Numbers(numbers, "table");
}

} // namespace

void AppendHexEscape(std::u16string &out, char16_t c)
{
    constexpr char16_t hex[] = u"0123456789abcdef";
    out += u"\\x";
    out += hex[(c >> 4) & 15];
    out += hex[c & 15];
}

std::u16string LatexSpecialCharacters(std::u16string_view cell)
{
    constexpr std::u16string_view special = u"&%$#_{}~^\\";
    std::u16string found;
    for (const char16_t c : cell) {
        if (special.find(c) != special.npos && found.find(c) == found.npos)
            found += c;
    }
    return found;
}

CheckReport MakeCheckReport(const ConversionState &state, const std::vector<TableArgument> &tables,
    const ConversionPreview &preview)
{
    CheckReport report;
    const bool escaped = state.EscapeSpecialCharacters;
    std::vector<int> notFound, notFitting;
    for (size_t k = 0; k < tables.size(); ++k) {
        const TableArgument &table = tables[k];
        const int t = static_cast<int>(k + 1);
        report.text += "Table " + std::to_string(t) + " \"" + Shown(ArgumentText(table.firstCell))
            + "\"" + (table.line ? " at line " + std::to_string(table.line) : "") + ", "
            + Counted(table.rows, "row") + " x " + Counted(table.cols, "column") + ":\n";

        bool found = false, fits = true;
        for (const TableMatch &match : preview.Matches) {
            if (match.Table != t)
                continue;
            found = true;
            report.text += "  found at line " + std::to_string(match.FirstLine) + ", block lines "
                + std::to_string(match.FirstLine) + "-" + std::to_string(match.LastLine) + ": ";
            if (!match.Fits) {
                fits = false;
                report.text += "does not fit, the document ends at line "
                    + std::to_string(state.WorkLineCount) + "\n";
                continue;
            }
            report.text += "fits\n";
            if (!match.ColumnLetters.empty()) {
                std::vector<int> right;
                for (size_t c = 0; c < match.ColumnLetters.size(); ++c) {
                    if (match.ColumnLetters[c] == u'r')
                        right.push_back(static_cast<int>(c + 1));
                }
                report.text += "    --tabular: {"
                    + EncodeText(match.ColumnLetters, TextEncoding::Utf8) + "}, "
                    + (right.empty() ? "no column" : Numbers(right, "column")) + " aligned right\n";
            }
            for (int line = match.FirstLine; line <= match.LastLine; ++line) {
                const std::u16string &cell = state.WorkLines[line];
                if (const auto special = LatexSpecialCharacters(cell); !special.empty()) {
                    report.text += std::string(escaped ? "    resolved by --escape" : "    warning")
                        + ": line " + std::to_string(line) + " \"" + Shown(cell) + "\" holds "
                        + Listed(special) + "\n";
                }
            }
        }
        if (!found) {
            report.text += "  not found\n";
            notFound.push_back(t);
        } else if (!fits) {
            notFitting.push_back(t);
        }
    }

    report.passed = notFound.empty() && notFitting.empty();
    if (report.passed) {
        report.text += "Check passed: every table found, every block fits.\n";
    } else {
        std::string problems;
        if (!notFound.empty())
            problems += Tables(notFound) + " not found";
        if (!notFitting.empty()) {
            problems += (problems.empty() ? "" : "; ") + Tables(notFitting)
                + (notFitting.size() == 1 ? " does" : " do") + " not fit";
        }
        report.text += "Check failed: " + problems + ".\n";
    }
    return report;
}

} // namespace cellwright
