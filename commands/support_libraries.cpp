// The records of the six support libraries: their identifiers, the unit
// kinds they define and the names of the commands the program uses.
#include "runtime/support_libraries.h"

#include <array>
#include <vector>

#include "commands/command_catalogue.h"
#include "window/units/core_unit_kinds.h"
#include "window/units/extended_ui_kinds.h"

namespace mnemora {
namespace {

// The names of one library's commands, in catalogue order.
const std::vector<const char*>& CommandNames(int32_t library) {
  static const auto names = [] {
    std::array<std::vector<const char*>, kSupportLibraryCount> all;
    for (const CatalogueEntry& entry : CommandCatalogue()) {
      all[static_cast<size_t>(entry.library)].push_back(entry.name);
    }
    return all;
  }();
  return names[static_cast<size_t>(library)];
}

LibraryInfo Record(const char* identifier, const char* name, int32_t library,
                   uint32_t unitTypeCount, const UnitTypeDescriptor* unitTypes) {
  const std::vector<const char*>& commands = CommandNames(library);
  return LibraryInfo{identifier,     name,      nullptr,
                     unitTypeCount,  unitTypes, static_cast<uint32_t>(commands.size()),
                     commands.data()};
}

}  // namespace

const LibraryInfo* const* SupportLibraryTable() {
  namespace li = library_index;
  static const std::array<LibraryInfo, kSupportLibraryCount> records = {
      Record("4F2C8A61D3B94E07A5C1E8F0B6D27394", "core", li::kCore, kCoreUnitKindCount,
             CoreUnitKinds()),
      Record("9B1E5D03C7A84F26B0E4D9C1A3F58762", "extended-ui", li::kExtendedUi,
             kExtendedUiKindCount, ExtendedUiKinds()),
      Record("2D7F0A94E6B3418C9F5A0D2E7C16B483", "data-structure", li::kDataStructure, 0, nullptr),
      Record("E3A6C0172B5D4F98A1C7E4B0D9F62315", "thread", li::kThread, 0, nullptr),
      Record("71C4B8E02F9A46D3B6E1A5C09D3F7248", "special-function", li::kSpecialFunction, 0,
             nullptr),
      Record("C05E93A7D1F2487BA9D6C3E01B74F592", "api", li::kApi, 0, nullptr),
  };
  static const std::array<const LibraryInfo*, kSupportLibraryCount> table = [] {
    std::array<const LibraryInfo*, kSupportLibraryCount> pointers{};
    for (size_t i = 0; i < kSupportLibraryCount; ++i) {
      pointers[i] = &records[i];
    }
    return pointers;
  }();
  return table.data();
}

}  // namespace mnemora
