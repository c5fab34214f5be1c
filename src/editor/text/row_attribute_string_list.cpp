// Packing and unpacking of the per-row words, and the row extras.
#include "editor/text/row_attribute_string_list.h"

#include <utility>

namespace editor {

namespace {

void Pack(TRowWords& words, TRowField field, int value) {
  std::uint32_t& word = field.Word == 0 ? words.Attribute : words.Attribute2;
  const std::uint32_t bits = (static_cast<std::uint32_t>(value + field.Offset) << field.Shift) & FieldMask(field);
  word = (word & ~FieldMask(field)) | bits;
}

const std::string kNoScanText;

}  // namespace

TRowAttribute TRowAttributeStringList::LastRowAttribute() const {
  CheckIndex(Count() - 1);
  return static_cast<TRowAttribute>(UnpackField(Store().LastWords(), kRowAttributeField));
}

void TRowAttributeStringList::SetField(int index, TRowField field, int value) { Pack(WordsAt(index), field, value); }

const std::string& TRowAttributeStringList::ScanText(int index) const {
  CheckIndex(index);
  const TRowExtra* extra = Extra(index);
  return extra ? extra->ScanText : kNoScanText;
}

void TRowAttributeStringList::SetScanText(int index, std::string value) {
  CheckIndex(index);
  if (value.empty() && !Extra(index)) return;
  ExtraFor(index).ScanText = std::move(value);
  DropExtraIfEmpty(index);
}

std::int32_t TRowAttributeStringList::RowData(int index) const {
  CheckIndex(index);
  const TRowExtra* extra = Extra(index);
  return extra ? extra->RowData : 0;
}

void TRowAttributeStringList::SetRowData(int index, std::int32_t value) {
  CheckIndex(index);
  if (value == 0 && !Extra(index)) return;
  ExtraFor(index).RowData = value;
  DropExtraIfEmpty(index);
}

TRowAttributeData TRowAttributeStringList::RowAttributeData(int index) const {
  const TRowWords& words = WordsAt(index);
  TRowAttributeData data;
  data.RowAttribute = static_cast<std::uint8_t>(UnpackField(words, kRowAttributeField));
  data.PrevRowAttribute = static_cast<std::uint8_t>(UnpackField(words, kPrevRowAttributeField));
  data.BracketIndex = UnpackField(words, kBracketIndexField);
  data.ScanState1 = UnpackField(words, kScanState1Field);
  data.Remain = UnpackField(words, kRemainField);
  data.ScanState2 = UnpackField(words, kScanState2Field);
  data.StartToken = static_cast<std::uint8_t>(UnpackField(words, kStartTokenField));
  data.ScanState3 = static_cast<std::uint8_t>(UnpackField(words, kScanState3Field));
  if (HasExtras()) data.ScanText = ScanText(index);
  return data;
}

// Every value of the record but RowAttribute: a row's own break (wrapped, line end, end of text) is set
// only by the row cutter, and the start states computed for a row never change where the row ends. The
// record carries it so that readers see the whole row in one value.
void TRowAttributeStringList::SetRowAttributeData(int index, const TRowAttributeData& data) {
  TRowWords& words = WordsAt(index);
  Pack(words, kPrevRowAttributeField, data.PrevRowAttribute);
  Pack(words, kBracketIndexField, data.BracketIndex);
  Pack(words, kScanState1Field, data.ScanState1);
  Pack(words, kRemainField, data.Remain);
  Pack(words, kScanState2Field, data.ScanState2);
  Pack(words, kStartTokenField, data.StartToken);
  Pack(words, kScanState3Field, data.ScanState3);
  SetScanText(index, data.ScanText);
}

void TEditorStringList::AddRow(std::string_view text, TRowAttribute attribute) {
  TRowChunk row;
  row.Add(text, TRowWords{attribute, 0});
  ReplaceItems(Count(), 0, row);
}

void TEditorStringList::AssignRows(const TRowChunk& rows) {
  TRowStore store;
  store.Replace(0, 0, rows);
  TakeStore(store);
}

TRowChunk TEditorStringList::Rows() const {
  TRowChunk rows;
  for (int row = 0; row < Count(); ++row) rows.Add(Store().Text(row), Store().Words(row));
  return rows;
}

}  // namespace editor
