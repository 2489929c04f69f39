#include "commands/keyed_list_commands.h"

#include <cstring>

#include "commands/command_args.h"
#include "runtime/heap_blocks.h"

namespace mnemora {
namespace {

int32_t g_lastError = 0;

KeyedListHead** ListVariable(const ArgValue& variable) {
  return static_cast<KeyedListHead**>(variable.AsPointer());
}

void* CopyBlock(const void* bytes, size_t length) {
  void* block = MemAlloc(static_cast<int32_t>(length));
  std::memcpy(block, bytes, length);
  return block;
}

double NumberOf(const ArgValue& value) {
  namespace tc = type_code;
  switch (value.type) {
    case tc::kByte:
      return value.low & 0xFFu;
    case tc::kShort:
      return static_cast<int16_t>(value.low & 0xFFFFu);
    case tc::kInteger:
      return value.AsInt32();
    case tc::kLong:
      return static_cast<double>(value.AsInt64());
    case tc::kFloat:
      return value.AsFloat();
    default:
      return value.AsDouble();
  }
}

// The value block for a storable type; false for any other type.
bool MakeValueBlock(const ArgValue& value, KeyedValueKind* kind, void** block) {
  namespace tc = type_code;
  if (IsNumericType(value.type)) {
    const double number = NumberOf(value);
    *kind = KeyedValueKind::kNumber;
    *block = CopyBlock(&number, sizeof number);
    return true;
  }
  switch (value.type) {
    case tc::kBoolean:
      *kind = KeyedValueKind::kBoolean;
      *block = CopyBlock(&value.low, sizeof value.low);
      return true;
    case tc::kDateTime: {
      const double days = value.AsDouble();
      *kind = KeyedValueKind::kDateTime;
      *block = CopyBlock(&days, sizeof days);
      return true;
    }
    case tc::kText: {
      const char* text = TextOf(value);
      *kind = KeyedValueKind::kText;
      *block = CopyBlock(text, std::strlen(text) + 1);
      return true;
    }
    case tc::kByteSet: {
      const uint32_t length = ByteSetSize(value.AsPointer());
      auto* bytes = static_cast<uint8_t*>(MemAlloc(static_cast<int32_t>(length + 4)));
      std::memcpy(bytes, &length, sizeof length);
      if (length != 0) {
        std::memcpy(bytes + 4, ByteSetBytes(value.AsPointer()), length);
      }
      *kind = KeyedValueKind::kByteSet;
      *block = bytes;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

int32_t KeyedListLastError() {
  return g_lastError;
}

void CreateKeyedList(ArgValue*, int32_t count, ArgValue* args) {
  KeyedListHead** variable = ListVariable(ArgAt(count, args, 0));
  if (variable == nullptr) {
    return;
  }
  auto* head = static_cast<KeyedListHead*>(MemAlloc(sizeof(KeyedListHead)));
  head->first = nullptr;
  *variable = head;
}

void FreeKeyedList(ArgValue*, int32_t count, ArgValue* args) {
  KeyedListHead** variable = ListVariable(ArgAt(count, args, 0));
  if (variable == nullptr || *variable == nullptr) {
    return;
  }
  KeyedEntry* entry = (*variable)->first;
  while (entry != nullptr) {
    KeyedEntry* next = entry->next;
    MemFree(entry->key);
    MemFree(entry->value);
    MemFree(entry);
    entry = next;
  }
  MemFree(*variable);
  // Emptied, so that a second free of the same variable frees nothing twice.
  *variable = nullptr;
}

void AddKeyedValue(ArgValue* result, int32_t count, ArgValue* args) {
  *result = ArgValue::Boolean(false);
  KeyedListHead** variable = ListVariable(ArgAt(count, args, 0));
  const ArgValue key = ArgAt(count, args, 1);
  if (variable == nullptr || *variable == nullptr || key.type != type_code::kText) {
    g_lastError = keyed_list_error::kMissingListOrKey;
    return;
  }
  KeyedValueKind kind;
  void* value;
  if (!MakeValueBlock(ArgAt(count, args, 2), &kind, &value)) {
    g_lastError = keyed_list_error::kValueTypeNotStorable;
    return;
  }
  const char* keyText = TextOf(key);
  const size_t keyLength = std::strlen(keyText);
  KeyedEntry** tail = &(*variable)->first;
  for (; *tail != nullptr; tail = &(*tail)->next) {
    if ((*tail)->keyLength == keyLength && std::memcmp((*tail)->key, keyText, keyLength) == 0) {
      MemFree(value);
      g_lastError = keyed_list_error::kDuplicateKey;
      return;
    }
  }
  auto* entry = static_cast<KeyedEntry*>(MemAlloc(sizeof(KeyedEntry)));
  entry->key = static_cast<char*>(CopyBlock(keyText, keyLength + 1));
  entry->keyLength = static_cast<uint32_t>(keyLength);
  entry->value = value;
  entry->kind = kind;
  entry->next = nullptr;
  *tail = entry;
  *result = ArgValue::Boolean(true);
}

}  // namespace mnemora
