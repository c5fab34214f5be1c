// libFuzzer target for the skin loader: any input through the BMP check and Qt's BMP reader, checked against
// skin_check.h under ASan and UBSan (Qt itself is not instrumented; what it is handed is).
#include "qt/qt_skin_image.h"
#include "run_check.h"
#include "skin_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const qtui::TQtBmpDecoder decoder;
  return fuzz::RunCheck(
      "skin", [](std::string_view bytes) { return fuzz::CheckSkin(bytes, &decoder); }, data, size);
}
