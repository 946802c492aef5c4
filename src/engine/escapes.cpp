#include "engine/escapes.h"

namespace engine {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

// Works in place: the write position never passes the read position. A numeric
// escape cut short by the end of the text still yields its character.
void TranslateEscapes(std::string& text, Notifier* notifier) {
  std::size_t out = 0;
  std::size_t in = 0;
  const std::size_t size = text.size();
  while (in < size) {
    char c = text[in++];
    if (c != '\\') {
      text[out++] = c;
      continue;
    }
    if (in == size) break;  // a backslash at the very end is dropped
    char e = text[in++];
    int value = -1;
    switch (e) {
      case 'n':
        value = '\n';
        break;
      case 'r':
        value = '\r';
        break;
      case 't':
        value = '\t';
        break;
      case 'f':
        value = '\f';
        break;
      case 'a':
        if (notifier) notifier->Beep();
        continue;
      case 'b':
        if (out > 0) --out;
        continue;
      case 'x': {
        value = 0;
        for (int digits = 0; digits < 2 && in < size && HexValue(text[in]) >= 0; ++digits) {
          value = value * 16 + HexValue(text[in++]);
        }
        break;
      }
      default:
        if (e >= '0' && e <= '9') {
          // Up to three digits, each counted in base 8 ("8" and "9" included).
          value = e - '0';
          for (int digits = 1; digits < 3 && in < size && text[in] >= '0' && text[in] <= '9';
               ++digits) {
            value = value * 8 + (text[in++] - '0');
          }
          value &= 0xFF;
        } else {
          value = static_cast<unsigned char>(e);  // \" \' \\ and every other character
        }
    }
    if (value == 0) break;  // a zero produced by an escape ends the text
    text[out++] = static_cast<char>(value);
  }
  text.resize(out);
}

}  // namespace engine
