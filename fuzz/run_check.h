// What every fuzz target does with an input: run its property check and stop loudly when it breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline int RunCheck(const char* target, std::string (*check)(std::string_view), const uint8_t* data, std::size_t size) {
  const std::string broken = check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "%s: %s\n", target, broken.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace fuzz
