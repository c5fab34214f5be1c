// The built-in defaults every new page starts from.
#include "store/memo_data.h"

namespace store {

TMemoData BuiltInDefaultMemo() {
  TMemoData memo;
  memo.Reserved0 = 0;
  memo.Title = kDefaultTitle;
  memo.Reserved1 = 0;
  memo.Reserved2 = 0;
  memo.Reserved3 = 0;
  memo.Reserved4 = 0;
  memo.ReservedFlag1 = true;
  memo.ReservedFlag2 = false;
  memo.Reserved5 = 16777215;  // 0xFFFFFF
  memo.FontColor = 0;         // black
  memo.FontName = kDefaultFontName;
  memo.FontSize = 10;
  memo.FontStyle = 0;
  memo.WordWrap = false;
  memo.Reserved6 = 255;
  // Created, Updated and Text stay empty: AddNewPage stamps the copy it makes.
  return memo;
}

}  // namespace store
