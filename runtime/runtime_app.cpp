#include "runtime/runtime_app.h"

#include "runtime/end_program.h"
#include "runtime/window_system_hooks.h"

namespace mnemora {
namespace {

RuntimeApp g_runtimeApp;

// The path up to and including its last backslash; empty without one.
std::string DirectoryWithBackslash(const char* path) {
  const std::string full = path;
  const size_t slash = full.find_last_of('\\');
  return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}

}  // namespace

RuntimeApp& TheRuntimeApp() {
  return g_runtimeApp;
}

bool RuntimeApp::InitInstance() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  moduleDirectory = DirectoryWithBackslash(path);
  // The main routine's result is always 0, so the framework never runs a
  // loop of its own: the application's loop ran inside the main routine.
  return mainRoutine != nullptr && mainRoutine() != 0;
}

int RuntimeApp::ExitInstance() {
  ShutDownRuntime();
  return AppFramework::ExitInstance();
}

bool RuntimeApp::PreTranslateMessage(MSG* message) {
  return CurrentWindowSystem().preTranslateMessage(message);
}

int RunProgram(const ProgramHeader& header, MainRoutine mainRoutine) {
  RuntimeApp& app = TheRuntimeApp();
  app.header = &header;
  app.mainRoutine = mainRoutine;
  return app.Main();
}

const UnitTypeDescriptor* ResolveUnitKind(uint32_t kind) {
  if (kind == 0 || kind >= 0x80000000u) {
    return nullptr;
  }
  const RuntimeApp& app = TheRuntimeApp();
  const uint32_t library = (kind >> 16) - 1;
  const uint32_t type = (kind & 0xFFFFu) - 1;
  if (library >= app.libraries.size() || app.libraries[library] == nullptr) {
    return nullptr;
  }
  const LibraryInfo& info = *app.libraries[library];
  if (type >= info.unitTypeCount || info.unitTypes == nullptr) {
    return nullptr;
  }
  const UnitTypeDescriptor& descriptor = info.unitTypes[type];
  return descriptor.name != nullptr ? &descriptor : nullptr;
}

}  // namespace mnemora
