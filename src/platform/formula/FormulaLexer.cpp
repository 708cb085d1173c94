#include "platform/formula/FormulaLexer.h"

#include <charconv>
#include <string>

#include "base/Utf8.h"

namespace qzdbs::formula {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Beyond ASCII, a name may use any letter of any script; the blanks and the
// punctuation of CJK input methods are kept out of names, so that a
// full-width parenthesis or comma is reported where it stands.
enum class CharClass { Blank, Letter, Other };

CharClass ClassifyWide(char32_t c) {
  if (c == 0x00A0 || c == 0x3000) return CharClass::Blank;
  if ((c >= 0x2000 && c <= 0x206F) || (c >= 0x3001 && c <= 0x303F) ||
      (c >= 0xFF00 && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
      (c >= 0xFF5B && c <= 0xFF65) || c == 0x00D7 || c == 0x00F7) {
    return CharClass::Other;
  }
  return CharClass::Letter;
}

CharClass ClassifyAt(std::string_view text, size_t pos, size_t& length) {
  char c = text[pos];
  length = 1;
  if (static_cast<unsigned char>(c) >= 0x80) return ClassifyWide(DecodeUtf8(text, pos, length));
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return CharClass::Blank;
  return IsAsciiLetter(c) ? CharClass::Letter : CharClass::Other;
}

bool IsNameChar(std::string_view text, size_t pos, size_t& length) {
  char c = text[pos];
  if (IsDigit(c) || c == '_' || c == '.') {
    length = 1;
    return true;
  }
  return ClassifyAt(text, pos, length) == CharClass::Letter;
}

struct Keyword {
  std::string_view name;
  TokenKind kind;
  Op op;
  double number;
};

constexpr Keyword kKeywords[] = {
    {"and", TokenKind::Operator, Op::And, 0}, {"or", TokenKind::Operator, Op::Or, 0},
    {"xor", TokenKind::Operator, Op::Xor, 0}, {"mod", TokenKind::Operator, Op::Modulo, 0},
    {"not", TokenKind::Not, Op::Not, 0},      {"true", TokenKind::Number, Op::Add, -1},
    {"false", TokenKind::Number, Op::Add, 0},
};

void LexName(std::string_view text, size_t& pos, Token& token) {
  size_t length = 0;
  while (pos < text.size() && IsNameChar(text, pos, length))
    pos += length;
  token.kind = TokenKind::Name;
  token.length = pos - token.offset;
  if (token.length > 5) return;
  for (const Keyword& keyword : kKeywords) {
    if (EqualsFolded(token.Spelling(text), keyword.name)) {
      token.kind = keyword.kind;
      token.op = keyword.op;
      token.number = keyword.number;
    }
  }
}

void LexNumber(std::string_view text, size_t& pos, Token& token) {
  auto digits = [&] {
    while (pos < text.size() && IsDigit(text[pos]))
      ++pos;
  };
  digits();
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    digits();
  }
  bool malformed = false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    malformed = pos >= text.size() || !IsDigit(text[pos]);
    digits();
  }
  size_t length = 0;
  // A name or another point straight after a number (12abc, 1.2.3) is no number.
  while (pos < text.size() && IsNameChar(text, pos, length)) {
    pos += length;
    malformed = true;
  }
  token.length = pos - token.offset;
  token.kind = TokenKind::Number;
  if (malformed || token.Spelling(text) == ".") {
    token.kind = TokenKind::Error;
    token.error = SyntaxError::MalformedNumber;
    return;
  }
  const char* end = text.data() + pos;
  auto [stop, failure] = std::from_chars(text.data() + token.offset, end, token.number);
  if (failure != std::errc() || stop != end) {
    token.kind = TokenKind::Error;
    token.error = SyntaxError::NumberOutOfRange;
  }
}

void LexText(std::string_view text, size_t& pos, Token& token) {
  ++pos;
  while (true) {
    size_t quote = text.find('"', pos);
    if (quote == std::string_view::npos) {
      token.kind = TokenKind::Error;
      token.error = SyntaxError::UnterminatedText;
      pos = text.size();
      return;
    }
    pos = quote + 1;
    if (pos < text.size() && text[pos] == '"') {
      token.doubledQuotes = true;
      ++pos;
      continue;
    }
    break;
  }
  token.kind = TokenKind::Text;
  token.length = pos - token.offset;
}

bool LexSymbol(std::string_view text, size_t& pos, Token& token) {
  char c = text[pos];
  char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
  token.kind = TokenKind::Operator;
  token.length = 1;
  switch (c) {
    case '(':
      token.kind = TokenKind::OpenParen;
      break;
    case ')':
      token.kind = TokenKind::CloseParen;
      break;
    case ',':
      token.kind = TokenKind::Comma;
      break;
    case '+':
      token.op = Op::Add;
      break;
    case '-':
      token.op = Op::Subtract;
      break;
    case '*':
      token.op = Op::Multiply;
      break;
    case '/':
      token.op = Op::Divide;
      break;
    case '\\':
      token.op = Op::IntegerDivide;
      break;
    case '^':
      token.op = Op::Power;
      break;
    case '&':
      token.op = Op::Concat;
      break;
    case '=':
      token.op = Op::Equal;
      break;
    case '<':
      token.op = next == '>' ? Op::NotEqual : (next == '=' ? Op::LessEqual : Op::Less);
      token.length = next == '>' || next == '=' ? 2 : 1;
      break;
    case '>':
      token.op = next == '=' ? Op::GreaterEqual : Op::Greater;
      token.length = next == '=' ? 2 : 1;
      break;
    default:
      return false;
  }
  pos += token.length;
  return true;
}

}  // namespace

Token NextToken(std::string_view text, size_t& pos) {
  size_t length = 0;
  while (pos < text.size() && ClassifyAt(text, pos, length) == CharClass::Blank)
    pos += length;
  Token token;
  token.offset = pos;
  if (pos >= text.size()) return token;
  char c = text[pos];
  if (c == '"') {
    LexText(text, pos, token);
  } else if (IsDigit(c) || c == '.') {
    LexNumber(text, pos, token);
  } else if (ClassifyAt(text, pos, length) == CharClass::Letter) {
    LexName(text, pos, token);
  } else if (!LexSymbol(text, pos, token)) {
    token.kind = TokenKind::Error;
    token.error = SyntaxError::UnexpectedCharacter;
  }
  return token;
}

std::string TextOf(std::string_view text, const Token& token) {
  std::string_view inner = text.substr(token.offset + 1, token.length - 2);
  if (!token.doubledQuotes) return std::string(inner);
  std::string out;
  out.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    out += inner[i];
    if (inner[i] == '"') ++i;  // the second of a doubled pair
  }
  return out;
}

SyntaxError CheckText(std::string_view text, size_t& offset) {
  offset = 0;
  if (text.size() > kMaxFormulaBytes) {
    offset = kMaxFormulaBytes;
    return SyntaxError::TooLong;
  }
  offset = FindInvalidUtf8(text);
  if (offset != kValidUtf8) return SyntaxError::InvalidUtf8;
  for (offset = 0; offset < text.size(); ++offset) {
    auto c = static_cast<unsigned char>(text[offset]);
    if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
      return SyntaxError::ControlCharacter;
    }
  }
  offset = text.find_first_not_of(" \t\r\n");
  if (offset == std::string_view::npos) {
    offset = 0;
    return SyntaxError::Empty;
  }
  return SyntaxError::None;
}

}  // namespace qzdbs::formula
