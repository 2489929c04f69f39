// The keyed list as a sequence of operations (create, add, free) on one
// list variable, checked against a plain model: insertion order, unique
// byte-exact keys, the stored kinds and values, and the last-error codes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "commands/keyed_list_commands.h"
#include "fuzz/fuzz_arguments.h"
#include "fuzz/fuzz_input.h"

using namespace mnemora;

namespace {

constexpr TypeCode kKeyedListObject = 0x00030001;

struct ModelEntry {
  std::string key;
  KeyedValueKind kind;
};

KeyedValueKind KindOf(TypeCode type, bool* storable) {
  *storable = true;
  if (IsNumericType(type)) {
    return KeyedValueKind::kNumber;
  }
  switch (type) {
    case type_code::kBoolean:
      return KeyedValueKind::kBoolean;
    case type_code::kDateTime:
      return KeyedValueKind::kDateTime;
    case type_code::kText:
      return KeyedValueKind::kText;
    case type_code::kByteSet:
      return KeyedValueKind::kByteSet;
    default:
      *storable = false;
      return KeyedValueKind::kNumber;
  }
}

void CheckList(const KeyedListHead* head, const std::vector<ModelEntry>& model) {
  const KeyedEntry* entry = head->first;
  for (const ModelEntry& expected : model) {
    fuzz::Require(entry != nullptr, "every added entry is there");
    fuzz::Require(std::string(entry->key, entry->keyLength) == expected.key, "keys in order");
    fuzz::Require(entry->key[entry->keyLength] == '\0', "keys are terminated");
    fuzz::Require(entry->kind == expected.kind, "the value's kind");
    entry = entry->next;
  }
  fuzz::Require(entry == nullptr, "no other entry");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  void* list = nullptr;
  ArgValue variable = ArgValue::Pointer(&list, kKeyedListObject);
  std::vector<ModelEntry> model;
  bool exists = false;
  while (!input.Empty()) {
    ArgValue result = ArgValue::None();
    switch (input.Choice(8)) {
      case 0: {
        if (exists) {
          FreeKeyedList(&result, 1, &variable);
        }
        CreateKeyedList(&result, 1, &variable);
        exists = true;
        model.clear();
        break;
      }
      case 1: {
        FreeKeyedList(&result, 1, &variable);
        fuzz::Require(list == nullptr, "a freed list empties its variable");
        exists = false;
        model.clear();
        break;
      }
      default: {
        // The variable, a key that is usually a text, and a value.
        fuzz::Arguments keyAndValue(input, 2);
        ArgValue* kv = keyAndValue.Values();
        ArgValue args[3] = {variable, kv[0], kv[1]};
        const int32_t count = static_cast<int32_t>(input.Choice(4));
        const int32_t before = KeyedListLastError();
        AddKeyedValue(&result, count, args);
        const ArgValue key = count > 1 ? args[1] : ArgValue::None();
        const ArgValue value = count > 2 ? args[2] : ArgValue::None();
        bool storable = false;
        const KeyedValueKind kind = KindOf(value.type, &storable);
        const std::string keyText = key.type == type_code::kText ? key.AsText() : "";
        bool present = false;
        for (const ModelEntry& entry : model) {
          present = present || entry.key == keyText;
        }
        int32_t error = before;
        bool added = false;
        if (!exists || key.type != type_code::kText) {
          error = keyed_list_error::kMissingListOrKey;
        } else if (!storable) {
          error = keyed_list_error::kValueTypeNotStorable;
        } else if (present) {
          error = keyed_list_error::kDuplicateKey;
        } else {
          added = true;
          model.push_back(ModelEntry{keyText, kind});
        }
        fuzz::Require(result.type == type_code::kBoolean && (result.low != 0) == added,
                      "the result tells whether the entry was added");
        fuzz::Require(KeyedListLastError() == error, "the last error");
        break;
      }
    }
    if (exists) {
      CheckList(static_cast<const KeyedListHead*>(list), model);
    }
  }
  ArgValue result = ArgValue::None();
  FreeKeyedList(&result, 1, &variable);
  return 0;
}
