// libFuzzer target for the code page 932 conversions: any input, checked against cp932_check.h under ASan and UBSan.
#include "cp932_check.h"
#include "run_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzz::RunCheck("cp932", fuzz::CheckCp932, data, size);
}
