#include "runtime/support_libraries.h"

namespace mnemora {
namespace {

constexpr LibraryInfo kCoreLibrary = {
    "4F2C8A61D3B94E07A5C1E8F0B6D27394", "core", nullptr, 0, nullptr, 0, nullptr};
constexpr LibraryInfo kExtendedUiLibrary = {
    "9B1E5D03C7A84F26B0E4D9C1A3F58762", "extended-ui", nullptr, 0, nullptr, 0, nullptr};
constexpr LibraryInfo kDataStructureLibrary = {
    "2D7F0A94E6B3418C9F5A0D2E7C16B483", "data-structure", nullptr, 0, nullptr, 0, nullptr};
constexpr LibraryInfo kThreadLibrary = {
    "E3A6C0172B5D4F98A1C7E4B0D9F62315", "thread", nullptr, 0, nullptr, 0, nullptr};
constexpr LibraryInfo kSpecialFunctionLibrary = {
    "71C4B8E02F9A46D3B6E1A5C09D3F7248", "special-function", nullptr, 0, nullptr, 0, nullptr};
constexpr LibraryInfo kApiLibrary = {
    "C05E93A7D1F2487BA9D6C3E01B74F592", "api", nullptr, 0, nullptr, 0, nullptr};

constexpr const LibraryInfo* kTable[] = {
    &kCoreLibrary,             // 0: values, windows, core commands
    &kExtendedUiLibrary,       // 1: the transparent label
    &kDataStructureLibrary,    // 2: keyed list
    &kThreadLibrary,           // 3: thread start
    &kSpecialFunctionLibrary,  // 4: memory allocation
    &kApiLibrary,              // 5: text formatting
};
static_assert(sizeof kTable / sizeof kTable[0] == kSupportLibraryCount, "six libraries");

}  // namespace

const LibraryInfo* const* SupportLibraryTable() {
  return kTable;
}

}  // namespace mnemora
