// The file-extension list and the destruction notice of colour-scheme components.
#include "editor/syntax/file_ext_component.h"

#include <algorithm>

namespace editor {
namespace {

constexpr unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

}  // namespace

int CompareTextAscii(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = LowerAscii(static_cast<unsigned char>(a[i]));
    const int cb = LowerAscii(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

TFileExtComponent::~TFileExtComponent() {
  // A listener typically clears its reference and may take itself out: copy first.
  TMethodList listeners;
  for (std::size_t i = 0; i < FFreeNotifies.Count(); ++i) listeners.Add(FFreeNotifies.Items(i));
  FFreeNotifies.Clear();
  for (std::size_t i = 0; i < listeners.Count(); ++i) listeners.Items(i)(this);
}

void TFileExtComponent::SetFileExtList(std::vector<std::string> extensions) {
  auto less = [](const std::string& a, const std::string& b) { return CompareTextAscii(a, b) < 0; };
  auto same = [](const std::string& a, const std::string& b) { return CompareTextAscii(a, b) == 0; };
  std::sort(extensions.begin(), extensions.end(), less);
  extensions.erase(std::unique(extensions.begin(), extensions.end(), same), extensions.end());
  FFileExtList = std::move(extensions);
}

bool TFileExtComponent::HasFileExt(std::string_view extension) const {
  auto it =
      std::lower_bound(FFileExtList.begin(), FFileExtList.end(), extension,
                       [](const std::string& item, std::string_view key) { return CompareTextAscii(item, key) < 0; });
  return it != FFileExtList.end() && CompareTextAscii(*it, extension) == 0;
}

}  // namespace editor
