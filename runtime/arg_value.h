// The typed value every command argument and result travels in, and the
// type codes the runtime tells apart. Free of <windows.h> on purpose.
#pragma once

#include <cstdint>
#include <cstring>

namespace mnemora {

using TypeCode = uint32_t;

namespace type_code {
inline constexpr TypeCode kNone = 0;
inline constexpr TypeCode kByte = 0x80000101;
inline constexpr TypeCode kShort = 0x80000201;
inline constexpr TypeCode kInteger = 0x80000301;
inline constexpr TypeCode kLong = 0x80000401;
inline constexpr TypeCode kFloat = 0x80000501;
inline constexpr TypeCode kDouble = 0x80000601;
inline constexpr TypeCode kBoolean = 0x80000002;
inline constexpr TypeCode kDateTime = 0x80000003;
inline constexpr TypeCode kText = 0x80000004;
inline constexpr TypeCode kByteSet = 0x80000005;
inline constexpr TypeCode kSubroutine = 0x80000006;
inline constexpr TypeCode kEightByte = 0x80000008;
inline constexpr TypeCode kArrayFlag = 0x20000000;
// Unit references: high word the library number, low word the kind number.
inline constexpr TypeCode kWindowReference = 0x00010001;
inline constexpr TypeCode kCoreUnitType3 = 0x00010003;
inline constexpr TypeCode kListBoxReference = 0x0001000F;
inline constexpr TypeCode kTransparentLabelReference = 0x00020005;
}  // namespace type_code

inline constexpr bool IsUnitReference(TypeCode code) {
  return code != 0 && code < 0x80000000u;
}
inline constexpr bool IsArrayType(TypeCode code) {
  return code >= 0x80000000u && (code & type_code::kArrayFlag) != 0;
}
inline constexpr TypeCode ElementType(TypeCode code) {
  return code & ~type_code::kArrayFlag;
}
// Byte, short, integer, long, float and double: the system codes ending in 0x01.
inline constexpr bool IsNumericType(TypeCode code) {
  return code >= 0x80000000u && (code & 0xFFu) == 0x01 && (code & type_code::kArrayFlag) == 0;
}

// 12 bytes: value low word, value high word, type. All zero means "no value".
// On 64-bit builds a pointer or handle occupies both value words.
struct ArgValue {
  uint32_t low;
  uint32_t high;
  TypeCode type;

  static ArgValue None() { return ArgValue{0, 0, type_code::kNone}; }
  static ArgValue Integer(int32_t v) {
    return ArgValue{static_cast<uint32_t>(v), 0, type_code::kInteger};
  }
  static ArgValue Boolean(bool v) { return ArgValue{v ? 1u : 0u, 0, type_code::kBoolean}; }
  static ArgValue Long(int64_t v) {
    return ArgValue{static_cast<uint32_t>(static_cast<uint64_t>(v)),
                    static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32), type_code::kLong};
  }
  static ArgValue Double(double v) { return FromBits(BitsOf(v), type_code::kDouble); }
  static ArgValue DateTime(double days) { return FromBits(BitsOf(days), type_code::kDateTime); }
  static ArgValue Float(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return ArgValue{bits, 0, type_code::kFloat};
  }
  static ArgValue Pointer(const void* p, TypeCode type) {
    return FromBits(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)), type);
  }
  static ArgValue Text(const char* text) { return Pointer(text, type_code::kText); }
  static ArgValue ByteSet(const void* block) { return Pointer(block, type_code::kByteSet); }

  uint64_t Bits() const { return static_cast<uint64_t>(high) << 32 | low; }
  int32_t AsInt32() const { return static_cast<int32_t>(low); }
  int64_t AsInt64() const { return static_cast<int64_t>(Bits()); }
  double AsDouble() const {
    double d;
    const uint64_t bits = Bits();
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  float AsFloat() const {
    float f;
    std::memcpy(&f, &low, sizeof f);
    return f;
  }
  void* AsPointer() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(Bits())); }
  const char* AsText() const { return static_cast<const char*>(AsPointer()); }

 private:
  static uint64_t BitsOf(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
  }
  static ArgValue FromBits(uint64_t bits, TypeCode type) {
    return ArgValue{static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32), type};
  }
};
static_assert(sizeof(ArgValue) == 12, "ArgValue is three 32-bit words");

// An event argument as held before a handler is called: an ArgValue plus flags.
struct HandlerArg {
  ArgValue value;
  uint32_t flags;
};
static_assert(sizeof(HandlerArg) == 16, "HandlerArg is four 32-bit words");

namespace handler_arg_flag {
inline constexpr uint32_t kByReference = 1;  // low word is the variable's address
inline constexpr uint32_t kBothWords = 2;    // passed as both value words
}  // namespace handler_arg_flag

}  // namespace mnemora
