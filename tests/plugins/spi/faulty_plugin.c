/* A plug-in that misbehaves on purpose. Its pictures are "FAULT" followed by a letter that
 * chooses what it does; every picture it hands over is 2 x 1 pixels, red and blue, unless
 * said otherwise:
 *   g  decodes properly;
 *   z  reports progress with a denominator of 0 (and other nonsense), then decodes;
 *   v  decodes; its preview is one green pixel;
 *   h  hands an info block shorter than a bitmap header;
 *   s  gives a header size larger than the info block;
 *   c  counts more colours than the info block holds;
 *   b  claims 64 x 64 pixels but hands the rows of 2 x 1;
 *   w  claims a width of 70000 pixels;
 *   n  hands a block without memory that claims a size;
 *   d  hands the same block as info and as rows;
 *   p  stores both blocks and then reports failure;
 *   i  fails GetPictureInfo without touching the record, then decodes.
 * Any other picture has no preview. FaultyLiveBlocks counts the blocks not yet released,
 * FaultyDirtyRecords the information records it was handed that were not zeroed. */
#include "plugin_common.h"

static int live_blocks;
static int dirty_records;

EXPORT int32_t FaultyLiveBlocks(void) {
  return live_blocks;
}
EXPORT int32_t FaultyDirtyRecords(void) {
  return dirty_records;
}

static void Release(SpiMemory* self) {
  --live_blocks;
  free(self);
}

static SpiHandle Block(uint64_t size) {
  SpiHandle block = SpiAllocate(size);
  block->release = Release;
  ++live_blocks;
  return block;
}

static const char* const kInfo[] = {"00IN", "Faulty test plug-in", "*.fault", "Faults"};

EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
  return CopyInfo(kInfo, 4, infono, buf, buflen);
}

EXPORT int32_t IsSupported(const char* filename, const void* header) {
  (void)filename;
  return memcmp(header, "FAULT", 5) == 0;
}

static char Mode(const char* buf, int64_t len, uint32_t flag) {
  size_t size;
  unsigned char* data = ReadSource(buf, len, flag, &size);
  const char mode = data != NULL && size > 5 ? (char)data[5] : '?';
  free(data);
  return mode;
}

EXPORT int32_t GetPictureInfo(const char* buf, int64_t len, uint32_t flag, SpiPictureInfo* info) {
  static const SpiPictureInfo zero;
  if (memcmp(info, &zero, sizeof zero) != 0) ++dirty_records;
  if (Mode(buf, len, flag) == 'i') return 2;
  info->width = 2;
  info->height = 1;
  info->text = Block(16);
  return SPI_SUCCESS;
}

/* The 2 x 1 picture, or one pixel of `color` (blue, green, red). */
static void Picture(SpiHandle* info, SpiHandle* bits, const unsigned char* color) {
  const int32_t width = color ? 1 : 2;
  const SpiBitmapInfoHeader header = DibHeader(width, 1, 24, 0);
  *info = Block(sizeof header);
  memcpy((*info)->data, &header, sizeof header);
  *bits = Block(8);
  static const unsigned char kRedBlue[8] = {0, 0, 255, 255, 0, 0, 0, 0};
  memcpy((*bits)->data, kRedBlue, 8);
  if (color) memcpy((*bits)->data, color, 3);
}

static SpiBitmapInfoHeader* Header(SpiHandle info) {
  return (SpiBitmapInfoHeader*)info->data;
}

EXPORT int32_t GetPicture(const char* buf, int64_t len, uint32_t flag, SpiHandle* info,
                          SpiHandle* bits, SpiProgressCallback progress, intptr_t data) {
  const char mode = Mode(buf, len, flag);
  Picture(info, bits, NULL);
  switch (mode) {
    case 'g':
    case 'v':
    case 'i':
      return SPI_SUCCESS;
    case 'z':
      progress(1, 0, data);
      progress(0, 0, data);
      progress(-5, -1, data);
      progress(2147483647, 1, data);
      progress(1, 1, data + 1);
      return SPI_SUCCESS;
    case 'h':
      (*info)->size = 16;
      return SPI_SUCCESS;
    case 's':
      Header(*info)->biSize = 64;
      return SPI_SUCCESS;
    case 'c':
      Header(*info)->biClrUsed = 2;
      return SPI_SUCCESS;
    case 'b':
      Header(*info)->biWidth = 64;
      Header(*info)->biHeight = 64;
      return SPI_SUCCESS;
    case 'w':
      Header(*info)->biWidth = 70000;
      return SPI_SUCCESS;
    case 'n':
      (*bits)->data = NULL;
      return SPI_SUCCESS;
    case 'd':
      (*bits)->release(*bits);
      *bits = *info;
      return SPI_SUCCESS;
    case 'p':
      return 8;
    default:
      (*info)->release(*info);
      (*bits)->release(*bits);
      *info = *bits = NULL;
      return 2;
  }
}

EXPORT int32_t GetPreview(const char* buf, int64_t len, uint32_t flag, SpiHandle* info,
                          SpiHandle* bits, SpiProgressCallback progress, intptr_t data) {
  (void)progress;
  (void)data;
  if (Mode(buf, len, flag) != 'v') return -1;
  static const unsigned char kGreen[3] = {0, 255, 0};
  Picture(info, bits, kGreen);
  return SPI_SUCCESS;
}
