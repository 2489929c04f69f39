// The main window's stored form as the program carries it: the bytes the
// form writer made of the table in main_window_form.cpp when the program
// was built.
#pragma once

#include <cstdint>

namespace mnemora::app {

const uint8_t* MainFormData();
uint32_t MainFormDataLength();

}  // namespace mnemora::app
