// The editor's colour set (one record per token class plus the selection and hit colours) and its bracket
// collection with mass setters.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "editor/syntax/fountain_color.h"

namespace editor {

class TFountain;

// A colour record inside TEditorColors.
class TEditorColor : public TFountainColor {};

// The records of TEditorColors, in their published order.
enum class TEditorColorIndex : std::uint8_t { Ank, Comment, DBCS, Hit, Int, Mail, Reserve, Select, Str, Symbol, Url };
inline constexpr int EditorColorCount = 11;

class TEditorColors : public TNotifyPersistent {
 public:
  // fountain: the scheme whose Reserve record this set shows; without one the set keeps its own.
  explicit TEditorColors(TFountain* fountain = nullptr);

  // The records in published order, Reserve included. This one list serves every walk over the
  // records: the mass setters of the scheme and the drawing code's italic test.
  std::array<TNamedColor, EditorColorCount> Records();
  static std::string_view RecordName(TEditorColorIndex index);

  TFountainColor& Record(TEditorColorIndex index);
  const TFountainColor& Record(TEditorColorIndex index) const;

  TFountainColor& Ank() { return Record(TEditorColorIndex::Ank); }
  TFountainColor& Comment() { return Record(TEditorColorIndex::Comment); }
  TFountainColor& DBCS() { return Record(TEditorColorIndex::DBCS); }
  TFountainColor& Hit() { return Record(TEditorColorIndex::Hit); }
  TFountainColor& Int() { return Record(TEditorColorIndex::Int); }
  TFountainColor& Mail() { return Record(TEditorColorIndex::Mail); }
  TFountainColor& Reserve() { return Record(TEditorColorIndex::Reserve); }
  TFountainColor& Select() { return Record(TEditorColorIndex::Select); }
  TFountainColor& Str() { return Record(TEditorColorIndex::Str); }
  TFountainColor& Symbol() { return Record(TEditorColorIndex::Symbol); }
  TFountainColor& Url() { return Record(TEditorColorIndex::Url); }

  // Copies every record (Reserve into the scheme's) and reports one change.
  void Assign(const TPersistent& source) override;

 private:
  TFountain* FFountain;
  // Indexed by TEditorColorIndex; the Reserve slot is used only when there is no scheme.
  std::array<TEditorColor, EditorColorCount> FColors;
};

// The bracket pairs of the editor's scheme, with setters that change every pair's colour in one report.
class TEditorBracketCollection : public TFountainBracketCollection {
 public:
  void SetAllBkColors(TColor value);
  void SetAllColors(TColor value);
  void SetAllStyles(TFontStyles value);
};

}  // namespace editor
