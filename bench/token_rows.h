// The token-rich rows the tokenizer benchmarks scan: words, numbers, URLs, mail addresses and Japanese.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace bench {

// Rows of about 50 bytes rich in tokens: words, numbers, URLs, mail addresses and Japanese.
inline std::vector<std::string> TokenRows(std::size_t totalBytes) {
  const std::vector<std::string> pieces = {
      "note ",
      "the ",
      "meeting_at ",
      "10:30 ",
      "3.14 ",
      "1e-9 ",
      "http://example.com/a?b=1 ",
      "www.example.jp ",
      "someone@example.co.jp, ",
      "(see) ",
      "\t",
      "\x82\xB1\x82\xEA\x82\xCD ",          // これは
      "\x83\x65\x83\x58\x83\x67\x81\x5B ",  // テスト−
      "\x93\xFA\x96\x7B\x8C\xEA ",          // 日本語
      "\x81\x41\x81\x42",                   // 、。
      "\x82\x60\x82\x61\x82\x62 ",          // ＡＢＣ
      "\xB1\xB2\xB3 ",                      // ｱｲｳ
  };
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::vector<std::string> rows;
  std::size_t bytes = 0;
  while (bytes < totalBytes) {
    std::string row;
    while (row.size() < 50) row += pieces[pick(random)];
    bytes += row.size();
    rows.push_back(std::move(row));
  }
  return rows;
}

// The 10 MB of them both programs scan, made once.
inline const std::vector<std::string>& TenMegabyteRows() {
  static const std::vector<std::string> rows = TokenRows(10 * 1024 * 1024);
  return rows;
}

inline std::int64_t TotalBytes(const std::vector<std::string>& rows) {
  std::int64_t bytes = 0;
  for (const std::string& row : rows) bytes += static_cast<std::int64_t>(row.size());
  return bytes;
}

}  // namespace bench
