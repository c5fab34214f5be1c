// libFuzzer target for the code page 932 conversions: any input, checked against cp932_check.h under ASan and UBSan.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cp932_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string broken = fuzz::CheckCp932(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "cp932: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
