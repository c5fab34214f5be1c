// libFuzzer target for the settings file's reader and writer: any input, checked against settings_check.h under ASan
// and UBSan.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string broken = fuzz::CheckSettings(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "settings: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
