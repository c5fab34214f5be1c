// The rows' bytes and packed words, kept in chunks of a few dozen consecutive rows with a counted index,
// so that a row goes in or out anywhere at the cost of one small chunk, whatever the text's size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace editor {

// The two packed words of a row (their layout is TRowAttributeStringList's).
struct TRowWords {
  std::uint32_t Attribute = 0;
  std::uint32_t Attribute2 = 0;
  bool operator==(const TRowWords&) const = default;
};

// Rows back to back: their bytes in one string and, per row, where it ends there and its words. A chunk of
// the store, and the form in which a run of rows made outside it (a cut text, a re-wrap) goes in.
class TRowChunk {
 public:
  int Count() const { return static_cast<int>(FRows.size()); }
  bool Empty() const { return FRows.empty(); }
  std::size_t Bytes() const { return FBytes.size(); }
  std::string_view Text(int index) const {
    const std::size_t start = Start(index);
    return std::string_view(FBytes).substr(start, FRows[static_cast<std::size_t>(index)].End - start);
  }
  const TRowWords& Words(int index) const { return FRows[static_cast<std::size_t>(index)].Words; }
  TRowWords& Words(int index) { return FRows[static_cast<std::size_t>(index)].Words; }
  // Whether the first `bytes` bytes of a row (all of a shorter one) hold no tab.
  bool TabFree(int index, std::size_t bytes) const;

  void Add(std::string_view text, TRowWords words = {});
  void Clear();
  void Reserve(int rows, std::size_t bytes);

 private:
  friend class TRowStore;

  struct TEntry {
    std::uint32_t End;  // where the row's bytes end in FBytes
    TRowWords Words;
  };

  std::size_t Start(int index) const { return index == 0 ? 0 : FRows[static_cast<std::size_t>(index) - 1].End; }
  // Replaces rows [at, at + count) with all rows of source.
  void Splice(int at, int count, const TRowChunk& source);
  // Replaces `length` bytes at byte `index` of row `row` with bytes.
  void SpliceBytes(int row, std::size_t index, std::size_t length, std::string_view bytes);
  // Keeps FTabs true when `removed` bytes give way to `added` ones.
  void NoteReplaced(std::string_view removed, std::string_view added);
  // Moves rows [at, Count) to the (empty) chunk tail.
  void SplitTo(int at, TRowChunk& tail);
  void Append(const TRowChunk& other) { Splice(Count(), 0, other); }
  // Heap bytes held besides the rows' text.
  std::size_t Overhead() const { return FBytes.capacity() - FBytes.size() + FRows.capacity() * sizeof(TEntry); }

  std::string FBytes;
  std::vector<TEntry> FRows;
  // Whether FBytes holds a tab: found out when first asked (not while loading), then kept through edits
  // from the bytes they move, so that a long row without a tab answers TabFree after a keystroke
  // without being read again.
  enum class TTabs : std::uint8_t { Unknown, None, Some };
  mutable TTabs FTabs = TTabs::None;
};

// The rows of a text, numbered from 0. Reads are O(1) at or next to the last row read and O(log chunks)
// elsewhere; changing a row's bytes moves only its chunk's bytes; adding or removing rows touches one
// chunk, and the counted index after it is brought up to date only when a later row is read (once for
// any number of edits in one place). Rows outside 0 .. Count - 1 are the caller's to reject.
class TRowStore {
 public:
  int Count() const { return FCount; }
  std::string_view Text(int row) const {
    const TPlace place = Locate(row);
    return FChunks[place.Chunk].Text(place.Index);
  }
  bool TabFree(int row, std::size_t bytes) const {
    const TPlace place = Locate(row);
    return FChunks[place.Chunk].TabFree(place.Index, bytes);
  }
  const TRowWords& Words(int row) const {
    const TPlace place = Locate(row);
    return FChunks[place.Chunk].Words(place.Index);
  }
  TRowWords& Words(int row) {
    const TPlace place = Locate(row);
    return FChunks[place.Chunk].Words(place.Index);
  }
  // The last row's words (Count > 0), read from the end: the place of the last read stays where it was.
  const TRowWords& LastWords() const { return FChunks.back().Words(FChunks.back().Count() - 1); }

  // Replaces rows [at, at + count) (0 <= at <= at + count <= Count) with all rows of source.
  void Replace(int at, int count, const TRowChunk& source);
  void Erase(int at, int count);
  // Replaces `length` bytes at byte `index` of a row's text with bytes; the row's words stay.
  void ReplaceBytes(int row, std::size_t index, std::size_t length, std::string_view bytes);
  void Clear();
  void Swap(TRowStore& other) noexcept;

  // Heap bytes held besides the rows' text: row entries, spare capacity, the index.
  std::size_t Overhead() const;

 private:
  friend class TRowStoreLoader;

  struct TPlace {
    std::size_t Chunk;
    int Index;  // the row's index in its chunk
  };
  // Where a row is: at once inside the chunk of the last row read, through ChunkOf elsewhere.
  TPlace Locate(int row) const {
    if (static_cast<unsigned>(row - FHintFirst) < static_cast<unsigned>(FHintRows))
      return {static_cast<std::size_t>(FHint), row - FHintFirst};
    return LocateElsewhere(row);
  }
  TPlace LocateElsewhere(int row) const;
  int ChunkOf(int row) const;
  // Makes FFirst right up to entry `last`.
  void NumberTo(int last) const {
    if (last > FNumbered) NumberFrom(last);
  }
  void NumberFrom(int last) const;
  // Splits an oversized chunk, drops an empty one and merges a small one with a neighbour, then marks the
  // index out of date from there.
  void Rebalance(int chunk);
  // After the chunks from fromChunk on changed: their index entries after fromChunk's own are out of date
  // and the range of the last chunk read is forgotten.
  void Renumber(int fromChunk);
  // Appends a chunk at the end (loading).
  void AppendChunk(TRowChunk&& chunk);

  std::vector<TRowChunk> FChunks;
  // The first row of every chunk, and after them the row count: right up to entry FNumbered, the rest
  // worked out again when asked for (a change of a chunk's row count makes every later entry wrong).
  mutable std::vector<int> FFirst{0};
  mutable int FNumbered = 0;
  int FCount = 0;
  mutable int FHint = 0;  // the chunk of the last row read
  // Its first row and row count; FHintRows is 0 when the chunks changed since.
  mutable int FHintFirst = 0;
  mutable int FHintRows = 0;
};

// Fills a store from its end, chunk by chunk, each made at the size that leaves it room for edits.
class TRowStoreLoader {
 public:
  explicit TRowStoreLoader(TRowStore& store) : FStore(store) {}
  ~TRowStoreLoader() { Finish(); }
  TRowStoreLoader(const TRowStoreLoader&) = delete;
  TRowStoreLoader& operator=(const TRowStoreLoader&) = delete;

  void Add(std::string_view text, TRowWords words = {});
  // Puts the rows added so far into the store.
  void Finish();

 private:
  TRowStore& FStore;
  TRowChunk FChunk;
};

}  // namespace editor
