#include "app/program_header.h"

#include "app/handler_table.h"
#include "app/main_form_data.h"
#include "runtime/support_libraries.h"

namespace mnemora::app {
namespace {

// The constant area's first byte is the constant empty text.
constexpr uint8_t kConstantArea[] = {0};

constexpr const char* kDllLibraryNames[dll::kDeclarationCount] = {
    "kernel32",      // GetSystemDirectoryA
    "",              // EnumWindows, searched among the system libraries
    "",              // GetWindowTextA, likewise
    "SkinH_QN.dll",  // SkinH_AttachRes
    "user32.dll",
    "user32.dll",
    "user32.dll",
    "user32.dll",
    "user32.dll",
    "user32.dll",
};

// The 64-bit build needs the pointer-sized variant of the window-long call.
#if defined(_WIN64)
#define MNEMORA_SET_WINDOW_LONG "SetWindowLongPtrA"
#else
#define MNEMORA_SET_WINDOW_LONG "SetWindowLongA"
#endif

constexpr const char* kDllFunctionNames[dll::kDeclarationCount] = {
    "GetSystemDirectoryA", "EnumWindows",           "GetWindowTextA",
    "SkinH_AttachRes",     MNEMORA_SET_WINDOW_LONG, "RegisterRawInputDevices",
    "CallWindowProcA",     "GetRawInputData",       "GetForegroundWindow",
    "GetWindowTextA",
};

}  // namespace

const ProgramHeader& MnemoraProgramHeader() {
  static const ProgramHeader header = {
      3,                      // run mode
      0,                      // reserved
      0x10449,                // serial
      &MainWindowHandlers(),  // code base: the handler table
      kConstantArea,
      sizeof kConstantArea,
      MainFormData(),
      MainFormDataLength(),
      kSupportLibraryCount,
      SupportLibraryTable(),
      dll::kDeclarationCount,
      kDllLibraryNames,
      kDllFunctionNames,
  };
  return header;
}

}  // namespace mnemora::app
