// Runs on the build machine: writes the main window's stored form, as the
// form writer makes it, into a C++ source file that defines the accessors of
// app/main_form_data.h.
//
//   form_data_generator OUTPUT.cpp
#include <cstdio>
#include <fstream>

#include "app/main_window_form.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: form_data_generator OUTPUT.cpp\n");
    return 2;
  }
  const mnemora::Bytes data = mnemora::WriteWindowSet(mnemora::app::MainWindowForm());

  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << "// Written by form_data_generator from the main window's form table.\n"
         "#include \"app/main_form_data.h\"\n\n"
         "namespace mnemora::app {\n"
         "namespace {\n\n"
         "constexpr uint8_t kMainFormData["
      << data.size() << "] = {";
  for (size_t i = 0; i < data.size(); ++i) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X,", data[i]);
    out << (i % 16 == 0 ? "\n    " : " ") << byte;
  }
  out << "\n};\n\n"
         "}  // namespace\n\n"
         "const uint8_t* MainFormData() { return kMainFormData; }\n"
         "uint32_t MainFormDataLength() { return sizeof kMainFormData; }\n\n"
         "}  // namespace mnemora::app\n";
  out.close();
  if (!out) {
    std::fprintf(stderr, "form_data_generator: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
