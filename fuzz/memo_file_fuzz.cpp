// libFuzzer target for the data file's reader and writer: any input, checked against memo_file_check.h under ASan and
// UBSan.
#include "memo_file_check.h"
#include "run_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzz::RunCheck("memo_file", fuzz::CheckMemoFile, data, size);
}
