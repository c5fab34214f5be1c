// libFuzzer target for the settings file's reader and writer: any input, checked against settings_check.h under ASan
// and UBSan.
#include "run_check.h"
#include "settings_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzz::RunCheck("settings", fuzz::CheckSettings, data, size);
}
