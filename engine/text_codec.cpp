#include "text_codec.h"

#include "text_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace cellwright {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control with the same number, so that they survive a round trip.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEBom = "\xFF\xFE";
constexpr std::string_view Utf16BEBom = "\xFE\xFF";

bool IsUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
}

// How many bytes at the start of the text are ASCII: in a paper, mostly all of them.
size_t AsciiLength(std::string_view bytes)
{
    size_t i = 0;
    uint64_t eight;
    while (i + 8 <= bytes.size()
        && (std::memcpy(&eight, bytes.data() + i, 8), (eight & 0x8080808080808080u) == 0))
        i += 8;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

// Appends the UTF-16 form of valid UTF-8 to out; false at the first invalid sequence.
bool AppendUtf8(std::string_view bytes, std::u16string &out)
{
    // No byte gives more than one UTF-16 unit, so the text fits in as many units as bytes.
    const size_t n = bytes.size();
    const size_t base = out.size();
    out.resize(base + n);
    char16_t *to = out.data() + base;
    size_t i = 0;
    uint64_t eight;
    while (i < n) {
        // Eight ASCII bytes at a time, the common case.
        while (i + 8 <= n
            && (std::memcpy(&eight, bytes.data() + i, 8), (eight & 0x8080808080808080u) == 0)) {
            for (int k = 0; k < 8; ++k)
                *to++ = static_cast<char16_t>(static_cast<unsigned char>(bytes[i + k]));
            i += 8;
        }
        if (i >= n)
            break;
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            *to++ = static_cast<char16_t>(b0);
            ++i;
            continue;
        }
        int length;
        char32_t cp;
        char32_t minimum;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            length = 2, cp = b0 & 0x1F, minimum = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            length = 3, cp = b0 & 0x0F, minimum = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            length = 4, cp = b0 & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (int k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        to = PutUtf16(cp, to);
        i += length;
    }
    out.resize(static_cast<size_t>(to - out.data()));
    return true;
}

// The UTF-16 form of valid UTF-8, made in place as a new last line of lines; false at the first
// invalid sequence. A leading ASCII run is widened as the line is made, without zeros first.
bool AppendUtf8Line(std::string_view bytes, std::vector<std::u16string> &lines)
{
    const size_t ascii = AsciiLength(bytes);
    lines.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(ascii));
    return ascii == bytes.size() || AppendUtf8(bytes.substr(ascii), lines.back());
}

// Every byte one character, so that encoding back gives the same bytes.
std::u16string DecodeCp1252(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : static_cast<char16_t>(b);
    }
    return text;
}

char *PutUtf8(char32_t cp, char *to)
{
    if (cp < 0x80) {
        *to++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *to++ = static_cast<char>(0xC0 | (cp >> 6));
        *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *to++ = static_cast<char>(0xE0 | (cp >> 12));
        *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *to++ = static_cast<char>(0xF0 | (cp >> 18));
        *to++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return to;
}

char Cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?'; // never produced by a document read in this code page
}

// At least as many bytes as text takes in the given encoding, and no more than that for ASCII:
// no UTF-16 unit takes more than three bytes in UTF-8, and a surrogate pair takes four.
size_t EncodedBound(std::u16string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252)
        return text.size();
    if (IsUtf16(encoding))
        return 2 * text.size();
    // Four ASCII characters at a time, up to the first that is not.
    size_t ascii = 0;
    uint64_t four;
    while (ascii + 4 <= text.size()
        && (std::memcpy(&four, text.data() + ascii, 8), (four & 0xFF80FF80FF80FF80u) == 0))
        ascii += 4;
    while (ascii < text.size() && text[ascii] < 0x80)
        ++ascii;
    return ascii + 3 * (text.size() - ascii);
}

// Writes text in the given encoding from to on, with room for EncodedBound bytes; returns the
// end of what it wrote.
char *PutText(std::u16string_view text, TextEncoding encoding, char *to)
{
    if (encoding == TextEncoding::Windows1252) {
        for (const char16_t c : text)
            *to++ = Cp1252Byte(c);
        return to;
    }
    if (IsUtf16(encoding)) {
        const bool little = encoding == TextEncoding::Utf16LE;
        for (const char16_t c : text) {
            const auto high = static_cast<char>(c >> 8);
            const auto low = static_cast<char>(c & 0xFF);
            *to++ = little ? low : high;
            *to++ = little ? high : low;
        }
        return to;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        // Four ASCII characters at a time, the common case.
        uint64_t four;
        while (i + 4 <= text.size()
            && (std::memcpy(&four, text.data() + i, 8), (four & 0xFF80FF80FF80FF80u) == 0)) {
            for (int k = 0; k < 4; ++k)
                *to++ = static_cast<char>(text[i + k]);
            i += 4;
        }
        if (i >= text.size())
            break;
        char32_t cp = text[i];
        if (cp < 0x80) {
            *to++ = static_cast<char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
            && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        to = PutUtf8(cp, to);
    }
    return to;
}

// The character that ends the lines of a text: CR, or LF in a text that holds no CR at all.
template <class Char> Char LineTerminator(std::basic_string_view<Char> text)
{
    return text.find(Char('\r')) == std::basic_string_view<Char>::npos ? Char('\n') : Char('\r');
}

// Calls each(line) for the lines of a text, terminators left out; after a CR, an LF belongs to
// the same end. Stops early, returning false, when each does.
template <class Char, class Each>
bool ForEachLine(std::basic_string_view<Char> text, Char terminator, Each each)
{
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(terminator, start), text.size());
        if (!each(text.substr(start, end - start)))
            return false;
        start = end + 1;
        if (terminator == Char('\r') && start < text.size() && text[start] == Char('\n'))
            ++start;
    }
    return true;
}

} // namespace

std::u16string DecodeText(std::string_view bytes, TextEncoding &encoding)
{
    std::u16string text;
    const bool bom = bytes.starts_with(Utf8Bom);
    if (AppendUtf8(bom ? bytes.substr(Utf8Bom.size()) : bytes, text)) {
        encoding = bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
        return text;
    }
    encoding = TextEncoding::Windows1252;
    return DecodeCp1252(bytes);
}

std::optional<TextEncoding> Utf16ByMark(std::string_view bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    if (bytes.starts_with(Utf16LEBom))
        return TextEncoding::Utf16LE;
    if (bytes.starts_with(Utf16BEBom))
        return TextEncoding::Utf16BE;
    return std::nullopt;
}

std::u16string DecodeUtf16(std::string_view bytes, TextEncoding encoding)
{
    const bool little = encoding == TextEncoding::Utf16LE;
    bytes.remove_prefix(std::min<size_t>(2, bytes.size()));
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(little ? first | second << 8 : first << 8 | second);
    }
    return text;
}

size_t CountLines(std::u16string_view text)
{
    // A line ends at each terminator, and text after the last one is a line of its own.
    const char16_t end = LineTerminator(text);
    size_t lines = 0;
    ForEachLine(text, end, [&](std::u16string_view) { return ++lines, true; });
    return lines;
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding)
{
    std::string out(EncodedBound(text, encoding), '\0');
    out.resize(static_cast<size_t>(PutText(text, encoding, out.data()) - out.data()));
    return out;
}

std::vector<std::u16string> DecodeLines(std::string_view bytes, TextEncoding &encoding)
{
    std::vector<std::u16string> lines;
    AppendDecodedLines(bytes, LineEnd(bytes), encoding, lines);
    return lines;
}

void AppendDecodedLines(std::string_view bytes, char lineEnd, TextEncoding &encoding,
    std::vector<std::u16string> &lines)
{
    // CR and LF are single bytes in both encodings and never part of a UTF-8 sequence, so each
    // line is decoded on its own, without the whole text in between.
    const size_t before = lines.size();
    const bool bom = bytes.starts_with(Utf8Bom);
    const bool utf8 = ForEachLine(bom ? bytes.substr(Utf8Bom.size()) : bytes, lineEnd,
        [&](std::string_view line) { return AppendUtf8Line(line, lines); });
    if (utf8) {
        encoding = bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
        return;
    }
    lines.resize(before);
    ForEachLine(bytes, lineEnd, [&](auto line) {
        lines.push_back(DecodeCp1252(line));
        return true;
    });
    encoding = TextEncoding::Windows1252;
}

char LineEnd(std::string_view bytes)
{
    return LineTerminator(bytes);
}

size_t CountLineEnds(std::string_view bytes, char lineEnd)
{
    // A plain loop with a narrow count, which the compiler turns into wide compares.
    uint32_t ends = 0;
    for (const char c : bytes)
        ends += c == lineEnd;
    return ends;
}

std::vector<std::u16string> SplitLines(std::u16string_view text)
{
    std::vector<std::u16string> lines;
    ForEachLine(text, LineTerminator(text), [&](std::u16string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

std::string EncodeDocument(const ConversionState &state)
{
    const TextEncoding encoding = state.DocumentEncoding;
    const std::string_view bom = encoding == TextEncoding::Utf8WithBom ? Utf8Bom
        : encoding == TextEncoding::Utf16LE                            ? Utf16LEBom
        : encoding == TextEncoding::Utf16BE                            ? Utf16BEBom
                                                                       : std::string_view();
    // CR LF as the encoding writes them: two bytes, or two 16-bit units.
    const std::string lineEnd = EncodeText(u"\r\n", encoding);
    size_t most = bom.size();
    for (int i = 1; i <= state.WorkLineCount; ++i)
        most += EncodedBound(state.WorkLines[i], encoding) + lineEnd.size();
    // Sized once and written through: the document is most of a short run's output.
    std::string bytes(most, '\0');
    char *to = std::copy(bom.begin(), bom.end(), bytes.data());
    for (int i = 1; i <= state.WorkLineCount; ++i) {
        to = PutText(state.WorkLines[i], encoding, to);
        to = std::copy(lineEnd.begin(), lineEnd.end(), to);
    }
    bytes.resize(static_cast<size_t>(to - bytes.data()));
    return bytes;
}

} // namespace cellwright
