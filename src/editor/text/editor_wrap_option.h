// The word-wrap settings: row width in byte columns and the Japanese line-breaking rules.
#pragma once

#include <string>
#include <string_view>

#include "editor/base/notify.h"

namespace editor {

// Every setter stores a new value only when it differs, then reports the change; Assign copies all eight
// values and reports once.
class TEditorWrapOption : public TNotifyPersistent {
 public:
  static constexpr int MinWrapByte = 20;
  static constexpr int MaxWrapByte = 250;
  static constexpr int DefaultWrapByte = 80;
  // The stored defaults, in code page 932.
  // "、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ"
  static constexpr std::string_view DefaultFollowStr =
      "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A\x81\x4B\x81\x52\x81\x53\x81\x54"
      "\x81\x55\x81\x58\x81\x5B\x81\x6A\x81\x6E\x81\x70\x81\x76\x81\x78\x21\x29\x2C\x2E\x3A\x3B\x3F\x5D"
      "\x7D\xA1\xA3\xA4\xA5\xB0\xDE\xDF";
  // "（［｛「『([{｢"
  static constexpr std::string_view DefaultLeadStr = "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77\x28\x5B\x7B\xA2";
  // "、。，．,.｡､"
  static constexpr std::string_view DefaultPunctuationStr = "\x81\x41\x81\x42\x81\x43\x81\x44\x2C\x2E\xA1\xA4";

  void Assign(const TPersistent& source) override;

  // A line that fills its last row exactly keeps its line end on that row (no empty row after it).
  bool FollowRetMark() const { return FFollowRetMark; }
  void SetFollowRetMark(bool value) { Store(FFollowRetMark, value); }
  // Characters of PunctuationStr may hang past WrapByte.
  bool FollowPunctuation() const { return FFollowPunctuation; }
  void SetFollowPunctuation(bool value) { Store(FFollowPunctuation, value); }
  // Characters that may not begin a row (honoured with Leading).
  const std::string& FollowStr() const { return FFollowStr; }
  void SetFollowStr(std::string_view value) { StoreText(FFollowStr, value); }
  // Honour FollowStr and LeadStr.
  bool Leading() const { return FLeading; }
  void SetLeading(bool value) { Store(FLeading, value); }
  // Characters that may not end a row (honoured with Leading).
  const std::string& LeadStr() const { return FLeadStr; }
  void SetLeadStr(std::string_view value) { StoreText(FLeadStr, value); }
  const std::string& PunctuationStr() const { return FPunctuationStr; }
  void SetPunctuationStr(std::string_view value) { StoreText(FPunctuationStr, value); }
  // Move the break back to a word boundary.
  bool WordBreak() const { return FWordBreak; }
  void SetWordBreak(bool value) { Store(FWordBreak, value); }
  // The row width in columns, clamped to MinWrapByte .. MaxWrapByte.
  int WrapByte() const { return FWrapByte; }
  void SetWrapByte(int value);

 private:
  void StoreText(std::string& field, std::string_view value);

  bool FFollowRetMark = false;
  bool FFollowPunctuation = false;
  std::string FFollowStr{DefaultFollowStr};
  bool FLeading = false;
  std::string FLeadStr{DefaultLeadStr};
  std::string FPunctuationStr{DefaultPunctuationStr};
  bool FWordBreak = false;
  int FWrapByte = DefaultWrapByte;
};

}  // namespace editor
