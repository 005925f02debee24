#include "ini_text.h"

#include <algorithm>
#include <cstddef>

namespace platform::ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kBlanks = " \t";

enum class LineKind { Other, Section, Key };

// One physical line and what it declares. Offsets count from the start of the text.
struct Line {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // first byte of its line ending
    std::size_t next = 0;   // first byte of the following line
    LineKind kind = LineKind::Other;
    std::string_view name;       // section or key name, blanks removed
    std::size_t valueBegin = 0;  // value without surrounding blanks, quotes included
    std::size_t valueEnd = 0;
};

struct SectionMatch {
    Line header;
    std::optional<Line> key;      // first line holding the requested key
    std::optional<Line> lastKey;  // last key line of the section, where new keys go
    std::size_t end = 0;          // just past the section's last line
};

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Deliberately not std::tolower: the result must not depend on the locale.
char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t bodyStart(std::string_view text)
{
    return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// New lines copy the file's first line ending; CRLF suits a file that has none.
std::string_view lineEnding(std::string_view text)
{
    const auto at = text.find_first_of(kLineBreaks);
    if (at == std::string_view::npos) {
        return "\r\n";
    }
    if (text[at] == '\n') {
        return "\n";
    }
    return text.substr(at + 1).starts_with('\n') ? "\r\n" : "\r";
}

bool endsWithLineBreak(std::string_view text)
{
    return text.ends_with('\n') || text.ends_with('\r');
}

void classify(std::string_view text, Line& line)
{
    const std::string_view content = text.substr(line.begin, line.end - line.begin);
    const auto first = content.find_first_not_of(kBlanks);
    if (first == std::string_view::npos || content[first] == ';') {
        return;
    }
    if (content[first] == '[') {
        // A header without ']' still opens a section named by the rest of its line.
        const std::string_view inside = content.substr(first + 1);
        line.kind = LineKind::Section;
        line.name = trimBlanks(inside.substr(0, inside.find(']')));
        return;
    }
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    line.kind = LineKind::Key;
    line.name = trimBlanks(content.substr(0, equals));
    const std::string_view afterEquals = content.substr(equals + 1);
    const std::string_view value = trimBlanks(afterEquals);
    // An empty value sits at the end of the line, after any blanks the file has there.
    const std::size_t valueOffset =
        value.empty() ? afterEquals.size() : static_cast<std::size_t>(value.data() - afterEquals.data());
    line.valueBegin = line.begin + equals + 1 + valueOffset;
    line.valueEnd = line.valueBegin + value.size();
}

// Walks the text line by line without copying it; large files stay cheap.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text), m_position(bodyStart(text)) {}

    std::optional<Line> next()
    {
        if (m_position >= m_text.size()) {
            return std::nullopt;
        }
        Line line;
        line.begin = m_position;
        line.end = std::min(m_text.find_first_of(kLineBreaks, m_position), m_text.size());
        line.next = line.end;
        if (line.next < m_text.size()) {
            const bool crlf = m_text[line.next] == '\r' && m_text.substr(line.next + 1).starts_with('\n');
            line.next += crlf ? 2 : 1;
        }
        m_position = line.next;
        classify(m_text, line);
        return line;
    }

private:
    std::string_view m_text;
    std::size_t m_position;
};

std::optional<SectionMatch> findSection(std::string_view text, std::string_view section, std::string_view key)
{
    LineReader reader(text);
    std::optional<SectionMatch> match;
    while (const auto line = reader.next()) {
        if (!match) {
            if (line->kind == LineKind::Section && equalsIgnoringAsciiCase(line->name, section)) {
                match.emplace();
                match->header = *line;
                match->end = line->next;
            }
            continue;
        }
        if (line->kind == LineKind::Section) {
            break;
        }
        if (line->kind == LineKind::Key) {
            if (!match->key && equalsIgnoringAsciiCase(line->name, key)) {
                match->key = line;
            }
            match->lastKey = line;
        }
        match->end = line->next;
    }
    return match;
}

std::string_view withoutQuotes(std::string_view value)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string replaced(std::string_view text, std::size_t begin, std::size_t end, std::string_view replacement)
{
    std::string result;
    result.reserve(text.size() - (end - begin) + replacement.size());
    result.append(text.substr(0, begin)).append(replacement).append(text.substr(end));
    return result;
}

std::string keyLine(std::string_view key, std::string_view value, std::string_view eol)
{
    std::string line;
    line.append(key).append("=").append(value).append(eol);
    return line;
}

std::string insertedAfter(std::string_view text, const Line& anchor, std::string_view newLine,
                          std::string_view eol)
{
    const bool anchorIsUnterminated = anchor.end == anchor.next;
    if (anchorIsUnterminated) {
        return replaced(text, anchor.end, anchor.end, std::string(eol) + std::string(newLine));
    }
    return replaced(text, anchor.next, anchor.next, newLine);
}

std::string appendedSection(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value, std::string_view eol)
{
    std::string result(text);
    if (text.size() > bodyStart(text) && !endsWithLineBreak(text)) {
        result.append(eol);
    }
    result.append("[").append(section).append("]").append(eol);
    result.append(keyLine(key, value, eol));
    return result;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of(kLineBreaks) != std::string_view::npos;
}

}  // namespace

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isSafeSectionName(std::string_view section)
{
    return !hasLineBreak(section) && section.find(']') == std::string_view::npos &&
           trimBlanks(section) == section;
}

bool isSafeKeyName(std::string_view key)
{
    // A key starting with ';' or '[' would be written as a comment or a section header.
    return !hasLineBreak(key) && key.find('=') == std::string_view::npos && trimBlanks(key) == key &&
           !key.starts_with(';') && !key.starts_with('[');
}

bool isSafeValue(std::string_view value)
{
    return !hasLineBreak(value);
}

std::optional<std::string_view> findValue(std::string_view text, std::string_view section, std::string_view key)
{
    const auto match = findSection(text, section, key);
    if (!match || !match->key) {
        return std::nullopt;
    }
    return withoutQuotes(text.substr(match->key->valueBegin, match->key->valueEnd - match->key->valueBegin));
}

std::optional<std::string> withValue(std::string_view text, std::string_view section, std::string_view key,
                                     std::string_view value)
{
    const std::string_view eol = lineEnding(text);
    const auto match = findSection(text, section, key);
    std::string result;
    if (!match) {
        result = appendedSection(text, section, key, value, eol);
    } else if (match->key) {
        result = replaced(text, match->key->valueBegin, match->key->valueEnd, value);
    } else {
        result = insertedAfter(text, match->lastKey.value_or(match->header), keyLine(key, value, eol), eol);
    }
    if (result == text) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> withoutKey(std::string_view text, std::string_view section, std::string_view key)
{
    const auto match = findSection(text, section, key);
    if (!match || !match->key) {
        return std::nullopt;
    }
    return replaced(text, match->key->begin, match->key->next, {});
}

std::optional<std::string> withoutSection(std::string_view text, std::string_view section)
{
    const auto match = findSection(text, section, {});
    if (!match) {
        return std::nullopt;
    }
    return replaced(text, match->header.begin, match->end, {});
}

}  // namespace platform::ini
