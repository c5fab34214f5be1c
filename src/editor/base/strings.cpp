// The abstract string list's default operations and the plain string list.
#include "editor/base/strings.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "platform/line_split.h"

namespace editor {

EListError::EListError(int index) : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}

int TStrings::Add(std::string_view s) {
  const int index = GetCount();
  Insert(index, s);
  return index;
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  std::string temp = Get(index1);
  Put(index1, Get(index2));
  Put(index2, temp);
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  // An unmatched EndUpdate must not leave the list believing it is still inside an update.
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent& source) {
  const auto* strings = dynamic_cast<const TStrings*>(&source);
  if (!strings) {
    TPersistent::Assign(source);
    return;
  }
  if (strings == this) return;
  BeginUpdate();
  Clear();
  for (int i = 0; i < strings->Count(); ++i) Add(strings->Strings(i));
  EndUpdate();
}

bool TStrings::LoadFromFile(const std::filesystem::path& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return false;
  SetTextStr(bytes);
  return true;
}

void TStrings::Put(int index, std::string_view s) {
  BeginUpdate();
  Delete(index);
  Insert(index, s);
  EndUpdate();
}

std::string TStrings::GetTextStr() const {
  const int count = GetCount();
  std::string result;
  for (int i = 0; i < count; ++i) {
    result += Get(i);
    result += "\r\n";
  }
  return result;
}

void TStrings::SetTextStr(std::string_view text) {
  BeginUpdate();
  Clear();
  platform::ForEachLine(text, [this](std::string_view line) { Add(line); });
  EndUpdate();
}

void TStringList::Insert(int index, std::string_view s) {
  if (index < 0 || index > GetCount()) throw EListError(index);
  FItems.insert(FItems.begin() + index, std::string(s));
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= GetCount()) throw EListError(index);
  FItems.erase(FItems.begin() + index);
}

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(index);
  return FItems[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, std::string_view s) {
  if (index < 0 || index >= GetCount()) throw EListError(index);
  FItems[static_cast<std::size_t>(index)] = std::string(s);
}

}  // namespace editor
