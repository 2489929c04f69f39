#include "commands/format_text_command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands/command_args.h"
#include "runtime/heap_blocks.h"

namespace mnemora {
namespace {

enum class ValueForm { kLiteral, kInt, kDouble, kText, kPointer };

// Far beyond any text a format makes: a width or precision above it (a
// *-width of two thousand million), or a result longer than it, is refused
// like any other fault, rather than padded for minutes, taking gigabytes or
// ending the program for want of them.
constexpr size_t kMaxFormattedLength = 16 * 1024 * 1024;

// Moves past a run of digits; false when its number is above the limit.
bool SkipFieldNumber(const char** p) {
  size_t number = 0;
  while (**p >= '0' && **p <= '9') {
    number = std::min(number * 10 + static_cast<size_t>(**p - '0'), kMaxFormattedLength + 1);
    ++*p;
  }
  return number <= kMaxFormattedLength;
}

// A run of format bytes copied as they are, or one conversion with the
// values it takes, already converted to what printf reads for it.
struct Piece {
  ValueForm form = ValueForm::kLiteral;
  const char* literal = nullptr;
  size_t literalLength = 0;
  std::string directive;
  int stars[2] = {0, 0};
  int starCount = 0;
  int intValue = 0;
  double doubleValue = 0;
  const char* textValue = nullptr;
  void* pointerValue = nullptr;
};

bool InSystemRange(TypeCode code) {
  return (code & 0xC0000000u) == 0x80000000u;
}

// Values that make the whole result empty, whatever the format asks.
bool IsRefusedValue(TypeCode code) {
  return !InSystemRange(code) || code == type_code::kLong || code == type_code::kDateTime ||
         code == type_code::kByteSet;
}

// Byte, short integer, integer and boolean all reach printf as an int.
bool TakesIntConversion(const ArgValue& value, int* out) {
  namespace tc = type_code;
  switch (value.type) {
    case tc::kByte:
      *out = static_cast<int>(value.low & 0xFFu);
      return true;
    case tc::kShort:
      *out = static_cast<int16_t>(value.low & 0xFFFFu);
      return true;
    case tc::kInteger:
    case tc::kBoolean:
      *out = value.AsInt32();
      return true;
    default:
      return false;
  }
}

bool TakesDoubleConversion(const ArgValue& value, double* out) {
  if (value.type == type_code::kFloat) {
    *out = value.AsFloat();
    return true;
  }
  if (value.type == type_code::kDouble) {
    *out = value.AsDouble();
    return true;
  }
  return false;
}

bool TakesStar(const ArgValue& value, int* out) {
  // A negative width is a left-justified one of that size.
  return value.type != type_code::kBoolean && TakesIntConversion(value, out) &&
         *out >= -static_cast<int>(kMaxFormattedLength) &&
         *out <= static_cast<int>(kMaxFormattedLength);
}

class FormatParser {
 public:
  FormatParser(const ArgValue* values, int32_t count) : values_(values), count_(count) {}

  // False when the format cannot be formatted safely with the values.
  bool Parse(const char* format, std::vector<Piece>* pieces) {
    const char* p = format;
    // '%' is below 0x40 and so never the second byte of a GBK character:
    // the format can be scanned byte by byte.
    while (*p != '\0') {
      if (*p != '%') {
        const char* run = p;
        while (*p != '\0' && *p != '%') {
          ++p;
        }
        pieces->push_back(Literal(run, static_cast<size_t>(p - run)));
      } else if (p[1] == '%') {
        pieces->push_back(Literal(p, 1));
        p += 2;
      } else {
        Piece piece;
        if (!ParseConversion(&p, &piece)) {
          return false;
        }
        pieces->push_back(piece);
      }
    }
    return true;
  }

 private:
  static Piece Literal(const char* bytes, size_t length) {
    Piece piece;
    piece.literal = bytes;
    piece.literalLength = length;
    return piece;
  }

  bool Next(ArgValue* value) {
    if (next_ >= count_) {
      return false;
    }
    *value = values_[next_++];
    return true;
  }

  bool TakeStar(Piece* piece) {
    ArgValue value;
    return Next(&value) && TakesStar(value, &piece->stars[piece->starCount++]);
  }

  // Reads one conversion at *cursor (on its '%') and moves past it.
  bool ParseConversion(const char** cursor, Piece* piece) {
    const char* start = *cursor;
    const char* p = start + 1;
    while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) {
      ++p;
    }
    if (*p == '*') {
      if (!TakeStar(piece)) {
        return false;
      }
      ++p;
    }
    if (!SkipFieldNumber(&p)) {
      return false;
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        if (!TakeStar(piece)) {
          return false;
        }
        ++p;
      }
      if (!SkipFieldNumber(&p)) {
        return false;
      }
    }
    // Only the modifiers that leave the argument an int or a double.
    int shorts = 0;
    bool isLong = false;
    while (*p == 'h' && shorts < 2) {
      ++shorts;
      ++p;
    }
    if (shorts == 0 && *p == 'l') {
      isLong = true;
      ++p;
    }
    const char conversion = *p;
    if (conversion == '\0') {
      return false;
    }
    ++p;
    piece->directive.assign(start, p);
    *cursor = p;
    ArgValue value;
    switch (conversion) {
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X':
      case 'o':
        piece->form = ValueForm::kInt;
        return Next(&value) && TakesIntConversion(value, &piece->intValue);
      case 'c':
        piece->form = ValueForm::kInt;
        return shorts == 0 && !isLong && Next(&value) &&
               TakesIntConversion(value, &piece->intValue);
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G':
        piece->form = ValueForm::kDouble;
        return shorts == 0 && Next(&value) && TakesDoubleConversion(value, &piece->doubleValue);
      case 's':
        piece->form = ValueForm::kText;
        if (shorts != 0 || isLong || !Next(&value) || value.type != type_code::kText) {
          return false;
        }
        piece->textValue = TextOf(value);
        return true;
      case 'p':
        piece->form = ValueForm::kPointer;
        if (shorts != 0 || isLong || !Next(&value) ||
            (value.type != type_code::kInteger && value.type != type_code::kSubroutine)) {
          return false;
        }
        piece->pointerValue = value.AsPointer();
        return true;
      default:
        // %n and everything printf does not know.
        return false;
    }
  }

  const ArgValue* values_;
  int32_t count_;
  int32_t next_ = 0;
};

template <typename... Stars>
int PrintConversion(char* buffer, size_t size, const Piece& piece, Stars... stars) {
  const char* directive = piece.directive.c_str();
  switch (piece.form) {
    case ValueForm::kInt:
      return std::snprintf(buffer, size, directive, stars..., piece.intValue);
    case ValueForm::kDouble:
      return std::snprintf(buffer, size, directive, stars..., piece.doubleValue);
    case ValueForm::kText:
      return std::snprintf(buffer, size, directive, stars..., piece.textValue);
    case ValueForm::kPointer:
      return std::snprintf(buffer, size, directive, stars..., piece.pointerValue);
    case ValueForm::kLiteral:
      break;
  }
  return -1;
}

// Writes the piece into buffer (size bytes, room for a terminator) and
// returns its length; with a null buffer only measures. -1 on failure.
int PrintPiece(char* buffer, size_t size, const Piece& piece) {
  if (piece.form == ValueForm::kLiteral) {
    if (buffer != nullptr) {
      std::memcpy(buffer, piece.literal, piece.literalLength);
    }
    return static_cast<int>(piece.literalLength);
  }
  switch (piece.starCount) {
    case 0:
      return PrintConversion(buffer, size, piece);
    case 1:
      return PrintConversion(buffer, size, piece, piece.stars[0]);
    default:
      return PrintConversion(buffer, size, piece, piece.stars[0], piece.stars[1]);
  }
}

// Measured first and written once into a block of the whole length, so no
// width or precision can write past the end.
char* FormatPieces(const std::vector<Piece>& pieces) {
  std::vector<size_t> lengths;
  size_t total = 0;
  for (const Piece& piece : pieces) {
    const int length = PrintPiece(nullptr, 0, piece);
    if (length < 0 || static_cast<size_t>(length) > kMaxFormattedLength - total) {
      return nullptr;
    }
    lengths.push_back(static_cast<size_t>(length));
    total += static_cast<size_t>(length);
  }
  if (total == 0) {
    return nullptr;
  }
  auto* text = static_cast<char*>(MemAlloc(static_cast<int32_t>(total + 1)));
  size_t at = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    PrintPiece(text + at, lengths[i] + 1, pieces[i]);
    at += lengths[i];
  }
  text[total] = '\0';
  // A %c of 0 ends the text there, as it ends any text.
  if (text[0] == '\0') {
    MemFree(text);
    return nullptr;
  }
  return text;
}

}  // namespace

void FormatText(ArgValue* result, int32_t count, ArgValue* args) {
  *result = ArgValue::Text(nullptr);
  if (count < 1) {
    return;
  }
  for (int32_t i = 1; i < count; ++i) {
    if (IsRefusedValue(args[i].type)) {
      return;
    }
  }
  std::vector<Piece> pieces;
  FormatParser parser(args + 1, count - 1);
  if (!parser.Parse(TextOf(args[0]), &pieces)) {
    return;
  }
  *result = ArgValue::Text(FormatPieces(pieces));
}

}  // namespace mnemora
