// libFuzzer target for the editor control as the note window sets it up: any session of keys, characters,
// input-method results, pastes, box edits, undo and redo, checked against editor_check.h under ASan and UBSan.
#include "editor_check.h"
#include "run_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  return fuzz::RunCheck(
      "editor", [](std::string_view bytes) { return fuzz::CheckEditor(bytes); }, data, size);
}
