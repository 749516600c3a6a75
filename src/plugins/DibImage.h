#pragma once

// The picture a decoder plug-in hands over: a device-independent bitmap in two blocks, its
// header with the colour table in one, its rows in the other. Nothing a plug-in says of the
// sizes is taken on trust: the header is checked against both blocks before anything is
// copied out of them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kyrovane {

struct TDibImage {
  int32_t Width = 0;
  int32_t Height = 0;  // as stored: negative when the rows run from the top
  uint16_t BitCount = 0;
  uint32_t ColorCount = 0;    // entries of the colour table
  std::size_t InfoSize = 0;   // bytes of the header and the colour table
  std::size_t ImageSize = 0;  // bytes of the rows
  // The picture as a BMP file image: the 14-byte file header, InfoSize bytes of header and
  // colours, ImageSize bytes of rows.
  std::string Bmp;
};

// The picture in the blocks; none when its header is shorter than 40 or longer than 124 bytes,
// is compressed, gives no pixels, a size beyond the picture bounds, an unknown bit count or
// more than 256 colours, or when the header with its colour table or the rows it describes
// are larger than the blocks that hold them.
std::optional<TDibImage> TakeDib(std::span<const uint8_t> AInfo, std::span<const uint8_t> ABits);

}  // namespace kyrovane
