// Colour schemes: change wiring, the reserved-word list and the mass setters.
#include "editor/syntax/fountain.h"

#include <algorithm>

#include "editor/syntax/editor_parser.h"

namespace editor {

TFountain::TFountain() : TFountain(std::make_unique<TFountainBracketCollection>()) {}

TFountain::TFountain(std::unique_ptr<TFountainBracketCollection> brackets) : FBrackets(std::move(brackets)) {
  FBrackets->OnChange = MethodEvent<&TFountain::ChangedProc>(this);
  FReserve.OnChange = MethodEvent<&TFountain::ChangedProc>(this);
}

TFountain::~TFountain() = default;

void TFountain::ChangedProc(TObject* sender) {
  (void)sender;
  Changed();
}

void TFountain::SetReserveWordList(std::vector<std::string> words) {
  std::stable_sort(words.begin(), words.end(),
                   [](const std::string& a, const std::string& b) { return CompareTextAscii(a, b) < 0; });
  FReserveWordList = std::move(words);
  Changed();
}

bool TFountain::IsReserveWord(std::string_view word) const {
  auto it =
      std::lower_bound(FReserveWordList.begin(), FReserveWordList.end(), word,
                       [](const std::string& item, std::string_view key) { return CompareTextAscii(item, key) < 0; });
  return it != FReserveWordList.end() && CompareTextAscii(*it, word) == 0;
}

std::unique_ptr<TFountainParser> TFountain::CreateParser() const { return nullptr; }

std::vector<TNamedColor> TFountain::ColorRecords() { return {TNamedColor{"Reserve", &FReserve}}; }

TEditorFountain::TEditorFountain() : TFountain(std::make_unique<TEditorBracketCollection>()) {
  FColors.OnChange = MethodEvent<&TFountain::ChangedProc>(static_cast<TFountain*>(this));
}

void TEditorFountain::SetCommenter(const std::string& value) {
  if (value == FCommenter) return;
  FCommenter = value;
  Changed();
}

void TEditorFountain::SetControlCode(bool value) {
  if (value == FControlCode) return;
  FControlCode = value;
  Changed();
}

void TEditorFountain::SetHexPrefix(const std::string& value) {
  if (value == FHexPrefix) return;
  FHexPrefix = value;
  Changed();
}

void TEditorFountain::SetMail(bool value) {
  if (value == FMail) return;
  FMail = value;
  Changed();
}

void TEditorFountain::SetQuotation(const std::string& value) {
  if (value == FQuotation) return;
  FQuotation = value;
  Changed();
}

void TEditorFountain::SetUrl(bool value) {
  if (value == FUrl) return;
  FUrl = value;
  Changed();
}

std::unique_ptr<TFountainParser> TEditorFountain::CreateParser() const { return std::make_unique<TEditorParser>(this); }

std::vector<TNamedColor> TEditorFountain::ColorRecords() {
  auto records = FColors.Records();
  return {records.begin(), records.end()};
}

template <class TSetter>
void TEditorFountain::SetAllTokenColors(TSetter set) {
  BeginUpdate();
  for (const TNamedColor& record : ColorRecords()) {
    if (record.Name == TEditorColors::RecordName(TEditorColorIndex::Select) ||
        record.Name == TEditorColors::RecordName(TEditorColorIndex::Hit)) {
      continue;
    }
    set(*record.Color);
  }
  EndUpdate();
}

void TEditorFountain::SetAllBkColors(TColor value) {
  SetAllTokenColors([value](TFountainColor& color) { color.SetBkColor(value); });
}

void TEditorFountain::SetAllColors(TColor value) {
  SetAllTokenColors([value](TFountainColor& color) { color.SetColor(value); });
}

void TEditorFountain::SetAllStyles(TFontStyles value) {
  SetAllTokenColors([value](TFountainColor& color) { color.SetStyle(value); });
}

}  // namespace editor
