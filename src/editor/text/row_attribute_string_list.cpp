// Packing and unpacking of the per-row words.
#include "editor/text/row_attribute_string_list.h"

#include <utility>

namespace editor {

namespace {

constexpr std::uint32_t Mask(TRowField field) { return ((std::uint32_t{1} << field.Width) - 1u) << field.Shift; }

}  // namespace

int TRowAttributeStringList::Field(int index, TRowField field) const {
  const TheStringItem& item = ItemAt(index);
  const std::uint32_t word = field.Word == 0 ? item.Attribute : item.Attribute2;
  return static_cast<int>((word & Mask(field)) >> field.Shift) - field.Offset;
}

void TRowAttributeStringList::SetField(int index, TRowField field, int value) {
  TheStringItem& item = ItemAt(index);
  std::uint32_t& word = field.Word == 0 ? item.Attribute : item.Attribute2;
  const std::uint32_t bits = (static_cast<std::uint32_t>(value + field.Offset) << field.Shift) & Mask(field);
  word = (word & ~Mask(field)) | bits;
}

TRowAttributeData TRowAttributeStringList::RowAttributeData(int index) const {
  TRowAttributeData data;
  data.RowAttribute = static_cast<std::uint8_t>(Field(index, kRowAttributeField));
  data.PrevRowAttribute = static_cast<std::uint8_t>(Field(index, kPrevRowAttributeField));
  data.BracketIndex = Field(index, kBracketIndexField);
  data.ScanState1 = Field(index, kScanState1Field);
  data.Remain = Field(index, kRemainField);
  data.ScanState2 = Field(index, kScanState2Field);
  data.StartToken = static_cast<std::uint8_t>(Field(index, kStartTokenField));
  data.ScanState3 = static_cast<std::uint8_t>(Field(index, kScanState3Field));
  data.ScanText = ItemAt(index).ScanText;
  return data;
}

void TRowAttributeStringList::SetRowAttributeData(int index, const TRowAttributeData& data) {
  SetField(index, kPrevRowAttributeField, data.PrevRowAttribute);
  SetField(index, kBracketIndexField, data.BracketIndex);
  SetField(index, kScanState1Field, data.ScanState1);
  SetField(index, kRemainField, data.Remain);
  SetField(index, kScanState2Field, data.ScanState2);
  SetField(index, kStartTokenField, data.StartToken);
  SetField(index, kScanState3Field, data.ScanState3);
  ItemAt(index).ScanText = data.ScanText;
}

void TEditorStringList::AddRow(std::string text, TRowAttribute attribute) {
  const int index = GetCount();
  InsertItems(index, 1);
  TheStringItem& item = ItemAt(index);
  item.Text = std::move(text);
  item.Attribute = attribute;
}

}  // namespace editor
