// libFuzzer target for the data file's reader and writer: any input, checked against memo_file_check.h under ASan and
// UBSan.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "memo_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string broken = fuzz::CheckMemoFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "memo_file: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
