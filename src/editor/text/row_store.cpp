// Chunks of rows: splicing rows and bytes inside one chunk, keeping chunks between a dozen and 64 rows,
// and the counted index that finds a row's chunk.
#include "editor/text/row_store.h"

#include <algorithm>
#include <cstring>

namespace editor {

namespace {

// A chunk is split beyond these (a single row may be larger than the byte limit) ...
constexpr int kMaxRows = 64;
constexpr std::size_t kMaxBytes = 4096;
// ... into chunks of about this size, which is also how full loading leaves them ...
constexpr int kFillRows = 48;
constexpr std::size_t kFillBytes = 3072;
// ... and merged with a neighbour below these.
constexpr int kMinRows = 12;
constexpr std::size_t kMinBytes = 768;
// The room a loaded chunk keeps for edits, so the first keystrokes after a load reallocate nothing.
constexpr int kSpareRows = 4;
constexpr std::size_t kSpareBytes = 128;

bool HoldsTab(std::string_view bytes) { return std::memchr(bytes.data(), '\t', bytes.size()) != nullptr; }

bool Oversized(const TRowChunk& chunk) {
  return chunk.Count() > kMaxRows || (chunk.Bytes() > kMaxBytes && chunk.Count() > 1);
}

bool Small(const TRowChunk& chunk) { return chunk.Count() < kMinRows && chunk.Bytes() < kMinBytes; }

bool FitTogether(const TRowChunk& a, const TRowChunk& b) {
  return a.Count() + b.Count() <= kFillRows && a.Bytes() + b.Bytes() <= kFillBytes;
}

}  // namespace

// ---- TRowChunk ---------------------------------------------------------------------------------------------

bool TRowChunk::TabFree(int index, std::size_t bytes) const {
  // A chunk without a tab answers at once; in one with a tab somewhere only the row's bytes asked about
  // are read.
  if (FTabs == TTabs::Unknown) FTabs = HoldsTab(FBytes) ? TTabs::Some : TTabs::None;
  return FTabs == TTabs::None || !HoldsTab(Text(index).substr(0, bytes));
}

void TRowChunk::NoteReplaced(std::string_view removed, std::string_view added) {
  // The bytes an edit moves settle whether the chunk still holds a tab, unless a removed one may have
  // been its last: a keystroke in a long row costs no search of the row. A chunk not yet asked about
  // (a loaded one) stays so, and nothing is searched for it.
  if (FTabs == TTabs::None) {
    if (HoldsTab(added)) FTabs = TTabs::Some;
  } else if (FTabs == TTabs::Some && HoldsTab(removed)) {
    FTabs = TTabs::Unknown;
  }
}

void TRowChunk::Add(std::string_view text, TRowWords words) {
  // Loading adds every row here: the tab search waits until a row is asked about.
  if (!text.empty() && FTabs == TTabs::None) FTabs = TTabs::Unknown;
  FBytes.append(text);
  FRows.push_back({static_cast<std::uint32_t>(FBytes.size()), words});
}

void TRowChunk::Clear() {
  FTabs = TTabs::None;
  FBytes.clear();
  FRows.clear();
}

void TRowChunk::Reserve(int rows, std::size_t bytes) {
  FRows.reserve(static_cast<std::size_t>(rows));
  FBytes.reserve(bytes);
}

void TRowChunk::Splice(int at, int count, const TRowChunk& source) {
  const auto first = static_cast<std::size_t>(at);
  const std::size_t byteStart = Start(at);
  const std::size_t byteEnd = count > 0 ? FRows[first + static_cast<std::size_t>(count) - 1].End : byteStart;
  NoteReplaced(std::string_view(FBytes).substr(byteStart, byteEnd - byteStart), source.FBytes);
  FBytes.replace(byteStart, byteEnd - byteStart, source.FBytes);
  const int added = source.Count();
  if (added > count) {
    FRows.insert(FRows.begin() + at + count, static_cast<std::size_t>(added - count), TEntry{});
  } else if (added < count) {
    FRows.erase(FRows.begin() + at + added, FRows.begin() + at + count);
  }
  const auto base = static_cast<std::uint32_t>(byteStart);
  for (std::size_t i = 0; i < source.FRows.size(); ++i)
    FRows[first + i] = {base + source.FRows[i].End, source.FRows[i].Words};
  // Unsigned arithmetic wraps, so a negative shift works too.
  const std::uint32_t shift =
      static_cast<std::uint32_t>(source.FBytes.size()) - static_cast<std::uint32_t>(byteEnd - byteStart);
  if (shift != 0)
    for (std::size_t i = first + source.FRows.size(); i < FRows.size(); ++i) FRows[i].End += shift;
}

void TRowChunk::SpliceBytes(int row, std::size_t index, std::size_t length, std::string_view bytes) {
  NoteReplaced(std::string_view(FBytes).substr(Start(row) + index, length), bytes);
  FBytes.replace(Start(row) + index, length, bytes);
  const std::uint32_t shift = static_cast<std::uint32_t>(bytes.size()) - static_cast<std::uint32_t>(length);
  if (shift != 0)
    for (std::size_t i = static_cast<std::size_t>(row); i < FRows.size(); ++i) FRows[i].End += shift;
}

void TRowChunk::SplitTo(int at, TRowChunk& tail) {
  const std::size_t byteStart = Start(at);
  const auto base = static_cast<std::uint32_t>(byteStart);
  tail.Reserve(Count() - at + kSpareRows, FBytes.size() - byteStart + kSpareBytes);
  tail.FBytes.assign(FBytes, byteStart);
  tail.FTabs = FTabs == TTabs::None ? TTabs::None : TTabs::Unknown;
  if (FTabs == TTabs::Some) FTabs = TTabs::Unknown;
  for (std::size_t i = static_cast<std::size_t>(at); i < FRows.size(); ++i)
    tail.FRows.push_back({FRows[i].End - base, FRows[i].Words});
  FBytes.resize(byteStart);
  FRows.resize(static_cast<std::size_t>(at));
}

// ---- TRowStore -----------------------------------------------------------------------------------------------

int TRowStore::ChunkOf(int row) const {
  int c = FHint;
  const auto first = [this](int chunk) { return FFirst[static_cast<std::size_t>(chunk)]; };
  NumberTo(c + 1);
  const int chunks = static_cast<int>(FChunks.size());
  if (row >= first(c) && row < first(c + 1)) {
    // still the chunk of the last row read
  } else if (c + 1 < chunks && row >= first(c + 1) && (NumberTo(c + 2), row < first(c + 2))) {
    c = c + 1;
  } else if (c > 0 && row < first(c) && row >= first(c - 1)) {
    c = c - 1;
  } else {
    NumberTo(chunks);
    c = static_cast<int>(std::upper_bound(FFirst.begin() + 1, FFirst.end(), row) - FFirst.begin()) - 1;
  }
  FHint = c;
  FHintFirst = first(c);
  FHintRows = FChunks[static_cast<std::size_t>(c)].Count();
  return c;
}

TRowStore::TPlace TRowStore::LocateElsewhere(int row) const {
  const int c = ChunkOf(row);
  return {static_cast<std::size_t>(c), row - FHintFirst};
}

void TRowStore::NumberFrom(int last) const {
  for (auto c = static_cast<std::size_t>(FNumbered); c < static_cast<std::size_t>(last); ++c)
    FFirst[c + 1] = FFirst[c] + FChunks[c].Count();
  FNumbered = last;
}

void TRowStore::Renumber(int fromChunk) {
  const auto chunks = FChunks.size();
  FFirst.resize(chunks + 1);
  FNumbered = std::min(FNumbered, std::max(0, fromChunk));
  FHintRows = 0;
  FHint = std::min(FHint, std::max(0, static_cast<int>(chunks) - 1));
}

void TRowStore::Rebalance(int chunk) {
  auto at = [this](int c) -> TRowChunk& { return FChunks[static_cast<std::size_t>(c)]; };
  const int chunks = static_cast<int>(FChunks.size());
  TRowChunk& current = at(chunk);
  if (current.Empty()) {
    FChunks.erase(FChunks.begin() + chunk);
    Renumber(chunk);
    return;
  }
  if (Oversized(current)) {
    // Cut from the end, so that every piece but the first keeps the fill size.
    std::vector<TRowChunk> pieces;
    int end = current.Count();
    while (true) {
      int start = end;
      std::size_t bytes = 0;
      while (start > 0 && end - start < kFillRows) {
        const std::size_t row = current.Text(start - 1).size();
        if (start < end && bytes + row > kFillBytes) break;
        bytes += row;
        --start;
      }
      if (start == 0) break;
      TRowChunk piece;
      current.SplitTo(start, piece);
      pieces.push_back(std::move(piece));
      end = start;
    }
    std::reverse(pieces.begin(), pieces.end());
    FChunks.insert(FChunks.begin() + chunk + 1, std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
    Renumber(chunk);
    return;
  }
  if (Small(current)) {
    if (chunk + 1 < chunks && FitTogether(current, at(chunk + 1))) {
      current.Append(at(chunk + 1));
      FChunks.erase(FChunks.begin() + chunk + 1);
      Renumber(chunk);
    } else if (chunk > 0 && FitTogether(at(chunk - 1), current)) {
      at(chunk - 1).Append(current);
      FChunks.erase(FChunks.begin() + chunk);
      Renumber(chunk - 1);
    }
  }
}

void TRowStore::Replace(int at, int count, const TRowChunk& source) {
  if (count == 0 && source.Empty()) return;
  const bool appending = at == FCount;
  FCount += source.Count() - count;
  if (FChunks.empty()) {
    FChunks.push_back(source);
    Renumber(0);
    Rebalance(0);
    return;
  }
  // The chunk the rows go into: the one holding row `at`, or the last one when appending.
  const int c = appending ? static_cast<int>(FChunks.size()) - 1 : ChunkOf(at);
  NumberTo(c);
  const int local = at - FFirst[static_cast<std::size_t>(c)];
  TRowChunk& chunk = FChunks[static_cast<std::size_t>(c)];
  const int inChunk = std::min(count, chunk.Count() - local);
  int beyond = count - inChunk;
  // Rows to remove after this chunk: whole chunks, then the start of one.
  const auto next = FChunks.begin() + c + 1;
  auto last = next;
  while (beyond > 0 && last->Count() <= beyond) {
    beyond -= last->Count();
    ++last;
  }
  if (beyond > 0) {
    last->Splice(0, beyond, TRowChunk());
  }
  const bool chunksRemoved = last != next;
  FChunks.erase(next, last);
  TRowChunk& target = FChunks[static_cast<std::size_t>(c)];
  target.Splice(local, inChunk, source);
  // The rows after this chunk are numbered again when next asked for: a key typed at one place moves
  // no other chunk's number.
  if (chunksRemoved || beyond > 0 || source.Count() != count) Renumber(c);
  if (Oversized(target) || target.Empty() || Small(target)) Rebalance(c);
}

void TRowStore::Erase(int at, int count) {
  if (count > 0) Replace(at, count, TRowChunk());
}

void TRowStore::ReplaceBytes(int row, std::size_t index, std::size_t length, std::string_view bytes) {
  const TPlace place = Locate(row);
  TRowChunk& chunk = FChunks[place.Chunk];
  chunk.SpliceBytes(place.Index, index, length, bytes);
  if (Oversized(chunk)) Rebalance(static_cast<int>(place.Chunk));
}

void TRowStore::Clear() {
  FChunks.clear();
  FFirst.assign(1, 0);
  FNumbered = 0;
  FCount = 0;
  FHint = 0;
  FHintRows = 0;
}

void TRowStore::Swap(TRowStore& other) noexcept {
  FChunks.swap(other.FChunks);
  FFirst.swap(other.FFirst);
  std::swap(FNumbered, other.FNumbered);
  std::swap(FCount, other.FCount);
  std::swap(FHint, other.FHint);
  std::swap(FHintFirst, other.FHintFirst);
  std::swap(FHintRows, other.FHintRows);
}

std::size_t TRowStore::Overhead() const {
  std::size_t bytes = FChunks.capacity() * sizeof(TRowChunk) + FFirst.capacity() * sizeof(int);
  for (const TRowChunk& chunk : FChunks) bytes += chunk.Overhead();
  return bytes;
}

void TRowStore::AppendChunk(TRowChunk&& chunk) {
  if (chunk.Empty()) return;
  FCount += chunk.Count();
  FChunks.push_back(std::move(chunk));
  FFirst.resize(FChunks.size() + 1);
  NumberTo(static_cast<int>(FChunks.size()));
}

// ---- TRowStoreLoader -------------------------------------------------------------------------------------------

void TRowStoreLoader::Add(std::string_view text, TRowWords words) {
  if (!FChunk.Empty() && (FChunk.Count() >= kFillRows || FChunk.Bytes() + text.size() > kFillBytes)) Finish();
  if (FChunk.Empty()) FChunk.Reserve(kFillRows + kSpareRows, std::max(kFillBytes, text.size()) + kSpareBytes);
  FChunk.Add(text, words);
}

void TRowStoreLoader::Finish() {
  if (FChunk.Empty()) return;
  FStore.AppendChunk(std::move(FChunk));
  FChunk = TRowChunk();
}

}  // namespace editor
