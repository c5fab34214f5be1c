// Reading a skin file and drawing it over the skin image.
#include "image/skin_file.h"

#include <string>
#include <system_error>

#include "image/bmp_check.h"
#include "platform/file_io.h"

namespace image {

std::optional<TBitmap> DecodeSkinFile(std::string_view bytes, const TBmpDecoder& decoder) {
  const std::optional<TBmpLayout> layout = CheckBmp(bytes);
  if (!layout) return std::nullopt;
  std::optional<TBitmap> picture =
      layout->TopDown ? decoder.Decode(BottomUpCopy(bytes, *layout)) : decoder.Decode(bytes);
  // The decoder must deliver the picture the headers describe, all of it.
  if (!picture || picture->Width != layout->Width || picture->Height != layout->Height ||
      picture->Pixels.size() != static_cast<std::size_t>(layout->Width) * static_cast<std::size_t>(layout->Height))
    return std::nullopt;
  return picture;
}

TSkinLoad LoadSkinFile(const std::filesystem::path& path, const TBmpDecoder& decoder, TSkinImage& skin) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return TSkinLoad::Missing;
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes).Ok) return TSkinLoad::Failed;
  const std::optional<TBitmap> picture = DecodeSkinFile(bytes, decoder);
  if (!picture) return TSkinLoad::Failed;
  skin.DrawOver(*picture);
  return TSkinLoad::Loaded;
}

}  // namespace image
