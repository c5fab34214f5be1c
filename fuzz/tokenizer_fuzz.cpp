// libFuzzer target for the tokenizer's start states: any text and edits, checked against tokenizer_check.h
// under ASan and UBSan.
#include "run_check.h"
#include "tokenizer_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzz::RunCheck(
      "tokenizer", [](std::string_view bytes) { return fuzz::CheckTokenizer(bytes); }, data, size);
}
