// Comparing stored and computed start states.
#include "editor/text/row_attribute_data.h"

namespace editor {

bool SameStartState(const TRowAttributeData& stored, const TRowAttributeData& computed) {
  return stored.PrevRowAttribute == computed.PrevRowAttribute && stored.BracketIndex == computed.BracketIndex &&
         stored.ScanState1 == computed.ScanState1 && stored.Remain == computed.Remain &&
         stored.ScanState2 == computed.ScanState2 && stored.StartToken == computed.StartToken &&
         stored.ScanState3 == computed.ScanState3 && stored.ScanText == computed.ScanText;
}

}  // namespace editor
