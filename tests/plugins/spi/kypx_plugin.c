/* Decodes the test format "KYPX": the magic "KYPX", the width and height (16 bits each, low
 * byte first), the bits per pixel (1, 4, 8 or 24), for up to 8 bits the colours less one and
 * that many plus one colours (red, green, blue), then the rows from the top, each packed into
 * whole bytes, the leftmost pixel in the highest bits; 24-bit pixels are red, green, blue.
 * The bitmap handed back has a colour table of every colour the picture has, counted in
 * biClrUsed unless the table is full. */
#include "plugin_common.h"

typedef struct {
  uint32_t width, height, bits, colors;
  const unsigned char* palette;
  const unsigned char* rows;
} Kypx;

static int Parse(const unsigned char* data, size_t size, Kypx* k) {
  if (size < 10 || memcmp(data, "KYPX", 4) != 0) return 0;
  k->width = data[4] | (uint32_t)data[5] << 8;
  k->height = data[6] | (uint32_t)data[7] << 8;
  k->bits = data[8];
  if (k->width == 0 || k->height == 0) return 0;
  if (k->bits != 1 && k->bits != 4 && k->bits != 8 && k->bits != 24) return 0;
  k->colors = k->bits <= 8 ? data[9] + 1u : 0;
  if (k->bits <= 8 && k->colors > 1u << k->bits) return 0;
  if (size - 10 < 3 * k->colors) return 0;
  k->palette = data + 10;
  k->rows = k->palette + 3 * k->colors;
  const size_t row = ((size_t)k->width * k->bits + 7) / 8;
  return size - 10 - 3 * k->colors >= row * k->height;
}

static const char* const kInfo[] = {"00IN", "KYPX test pictures", "*.kypx", "KYPX"};

EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
  return CopyInfo(kInfo, 4, infono, buf, buflen);
}

EXPORT int32_t IsSupported(const char* filename, const void* header) {
  (void)filename;
  return memcmp(header, "KYPX", 4) == 0;
}

EXPORT int32_t GetPictureInfo(const char* buf, int64_t len, uint32_t flag, SpiPictureInfo* info) {
  size_t size;
  unsigned char* data = ReadSource(buf, len, flag, &size);
  Kypx k;
  const int ok = data != NULL && Parse(data, size, &k);
  free(data);
  if (!ok) return 2;
  info->width = k.width;
  info->height = k.height;
  info->color_depth = (int16_t)k.bits;
  static const char kText[] = "a KYPX picture";
  info->text = SpiAllocate(sizeof kText);
  if (info->text) memcpy(info->text->data, kText, sizeof kText);
  return SPI_SUCCESS;
}

static int32_t Decode(const Kypx* k, SpiHandle* info, SpiHandle* bits, SpiProgressCallback progress,
                      intptr_t data) {
  const uint32_t used = k->bits <= 8 && k->colors < 1u << k->bits ? k->colors : 0;
  const SpiBitmapInfoHeader header = DibHeader(k->width, k->height, k->bits, used);
  const size_t stride = DibStride(k->width, k->bits);
  const size_t row = ((size_t)k->width * k->bits + 7) / 8;
  SpiHandle head = SpiAllocate(sizeof header + 4 * k->colors);
  SpiHandle rows = SpiAllocate(stride * k->height);
  if (head == NULL || rows == NULL) {
    if (head) head->release(head);
    if (rows) rows->release(rows);
    return 4;
  }
  unsigned char* table = (unsigned char*)head->data + sizeof header;
  memcpy(head->data, &header, sizeof header);
  for (uint32_t i = 0; i < k->colors; ++i) {
    const unsigned char* rgb = k->palette + 3 * i;
    unsigned char* entry = table + 4 * i;
    entry[0] = rgb[2];
    entry[1] = rgb[1];
    entry[2] = rgb[0];
    entry[3] = 0;
  }
  memset(rows->data, 0, rows->size);
  for (uint32_t y = 0; y < k->height; ++y) {
    const unsigned char* from = k->rows + row * (k->height - 1 - y);
    unsigned char* to = (unsigned char*)rows->data + stride * y;
    if (k->bits <= 8) {
      memcpy(to, from, row);
    } else {
      for (uint32_t x = 0; x < k->width; ++x) {
        to[3 * x] = from[3 * x + 2];
        to[3 * x + 1] = from[3 * x + 1];
        to[3 * x + 2] = from[3 * x];
      }
    }
    if (progress) progress((int32_t)y + 1, (int32_t)k->height, data);
  }
  *info = head;
  *bits = rows;
  return SPI_SUCCESS;
}

EXPORT int32_t GetPicture(const char* buf, int64_t len, uint32_t flag, SpiHandle* info,
                          SpiHandle* bits, SpiProgressCallback progress, intptr_t data) {
  size_t size;
  unsigned char* bytes = ReadSource(buf, len, flag, &size);
  Kypx k;
  int32_t result = 2;
  if (bytes != NULL && Parse(bytes, size, &k)) result = Decode(&k, info, bits, progress, data);
  free(bytes);
  return result;
}
