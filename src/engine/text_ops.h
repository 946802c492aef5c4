// Text operations on 8-bit declaration text: trimming, comment removal, bracket
// matching, reversal and unquoting.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// The characters that end a name in a declaration, in their fixed order. Letters,
// digits, "_" and "$" are not among them.
inline constexpr std::string_view kDeclarationSeparators{
    "\t\r\n\v\b\f'\" !%^&()-+={}|~[]\\;:<>?,./#*", 35};

bool IsDeclarationSeparator(char c);

// Space, tab, line feed, vertical tab, form feed and carriage return.
bool IsWhiteSpace(char c);

// Removes white space at both ends.
void TrimText(std::string& text);
std::string_view Trimmed(std::string_view text);

// Removes "//" comments (to, not including, the next line feed) and then "/*"
// comments (through "*/"), repeatedly; an unterminated comment cuts the text. Knows
// nothing of string literals.
void StripComments(std::string& text);

// `open_pos` holds `open`, which must be "(" (closed by ")") or ")" (closed by "(",
// for text read from its end). Returns the position of the character that closes it.
std::optional<std::size_t> FindMatching(std::string_view text, std::size_t open_pos, char open);

void ReverseText(std::string& text);

// Keeps only the text between the first double quote and the next one not preceded
// by a backslash (such backslashes are dropped). Fails, leaving the text as it was,
// when there is no opening or no closing quote.
bool RemoveQuotes(std::string& text);

}  // namespace engine
