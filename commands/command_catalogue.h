// Every library command the application calls, with its library and kind,
// bound to the function that carries it out.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/library_command.h"

namespace mnemora {

enum class CommandKind : uint8_t {
  kFunction,              // takes only its own arguments
  kKeyedListConstructor,  // first argument: the object variable
  kKeyedListDestructor,   // likewise
  kKeyedListMethod,       // likewise
  kUnitMethod,            // first argument: the unit or window reference
};

struct CatalogueEntry {
  const char* name;
  int32_t library;  // index in the program's library table
  CommandKind kind;
  LibraryCommand command;
};

std::span<const CatalogueEntry> CommandCatalogue();

// Null when the catalogue has no command of that name.
const CatalogueEntry* FindCommand(std::string_view name);

}  // namespace mnemora
