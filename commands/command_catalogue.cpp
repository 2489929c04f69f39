#include "commands/command_catalogue.h"

#include <algorithm>

#include "commands/file_system_commands.h"
#include "commands/format_text_command.h"
#include "commands/keyed_list_commands.h"
#include "commands/memory_commands.h"
#include "commands/text_commands.h"
#include "commands/thread_commands.h"
#include "runtime/support_libraries.h"
#include "window/window_commands.h"

namespace mnemora {
namespace {

namespace li = library_index;
using enum CommandKind;

// Core commands are called through CallCoreCommand, the others through
// CallLibraryCommand with their library's index.
constexpr CatalogueEntry kCatalogue[] = {
    {"TextLength", li::kCore, kFunction, TextLength},
    {"LeftText", li::kCore, kFunction, LeftText},
    {"RightText", li::kCore, kFunction, RightText},
    {"FindText", li::kCore, kFunction, FindText},
    {"ToUpperCase", li::kCore, kFunction, ToUpperCase},
    {"TrimSpaces", li::kCore, kFunction, TrimSpaces},
    {"RemoveAllSpaces", li::kCore, kFunction, RemoveAllSpaces},
    {"ReplaceText", li::kCore, kFunction, ReplaceText},
    {"SplitText", li::kCore, kFunction, SplitText},
    {"SpaceText", li::kCore, kFunction, SpaceText},
    {"ToText", li::kCore, kFunction, ToText},
    {"ToByteSet", li::kCore, kFunction, ToByteSet},
    {"ByteSetLength", li::kCore, kFunction, ByteSetLength},
    {"GetRunDirectory", li::kCore, kFunction, GetRunDirectory},
    {"FileExists", li::kCore, kFunction, FileExists},
    {"ReadWholeFile", li::kCore, kFunction, ReadWholeFile},
    {"WriteWholeFile", li::kCore, kFunction, WriteWholeFile},
    {"GetClipboardText", li::kCore, kFunction, GetClipboardText},
    {"MessageBox", li::kCore, kFunction, MessageBox},
    {"Delay", li::kCore, kFunction, Delay},
    {"ProcessEvents", li::kCore, kFunction, ProcessEvents},
    {"SelectDllFunction", li::kCore, kFunction, SelectDllFunction},
    {"GetWindowHandle", li::kCore, kUnitMethod, GetWindowHandle},
    {"FocusUnit", li::kCore, kUnitMethod, FocusUnit},
    {"DestroyUnit", li::kCore, kUnitMethod, DestroyUnit},
    {"CreateKeyedList", li::kDataStructure, kKeyedListConstructor, CreateKeyedList},
    {"FreeKeyedList", li::kDataStructure, kKeyedListDestructor, FreeKeyedList},
    {"AddKeyedValue", li::kDataStructure, kKeyedListMethod, AddKeyedValue},
    {"StartThread", li::kThread, kFunction, StartThread},
    {"AllocateMemory", li::kSpecialFunction, kFunction, AllocateMemory},
    {"FormatText", li::kApi, kFunction, FormatText},
};
static_assert(std::size(kCatalogue) == 31, "25 core commands and six of the other libraries");

}  // namespace

std::span<const CatalogueEntry> CommandCatalogue() {
  return kCatalogue;
}

const CatalogueEntry* FindCommand(std::string_view name) {
  const auto found = std::find_if(std::begin(kCatalogue), std::end(kCatalogue),
                                  [name](const CatalogueEntry& e) { return name == e.name; });
  return found != std::end(kCatalogue) ? found : nullptr;
}

}  // namespace mnemora
