/* Decodes PNG pictures with libpng into 24-bit bitmaps; transparent pixels are laid on
 * white. */
#include <png.h>

#include "plugin_common.h"

static const char* const kInfo[] = {"00IN", "PNG pictures", "*.png", "PNG"};

EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
  return CopyInfo(kInfo, 4, infono, buf, buflen);
}

EXPORT int32_t IsSupported(const char* filename, const void* header) {
  (void)filename;
  return png_sig_cmp((png_const_bytep)header, 0, 8) == 0;
}

/* Reads the header of the picture; the caller frees `bytes` and ends `image`. */
static int Begin(const char* buf, int64_t len, uint32_t flag, png_image* image,
                 unsigned char** bytes) {
  size_t size;
  *bytes = ReadSource(buf, len, flag, &size);
  memset(image, 0, sizeof *image);
  image->version = PNG_IMAGE_VERSION;
  return *bytes != NULL && png_image_begin_read_from_memory(image, *bytes, size);
}

EXPORT int32_t GetPictureInfo(const char* buf, int64_t len, uint32_t flag, SpiPictureInfo* info) {
  png_image image;
  unsigned char* bytes;
  const int ok = Begin(buf, len, flag, &image, &bytes);
  if (ok) {
    info->width = image.width;
    info->height = image.height;
    info->color_depth = 24;
  }
  png_image_free(&image);
  free(bytes);
  return ok ? SPI_SUCCESS : 2;
}

EXPORT int32_t GetPicture(const char* buf, int64_t len, uint32_t flag, SpiHandle* info,
                          SpiHandle* bits, SpiProgressCallback progress, intptr_t data) {
  png_image image;
  unsigned char* bytes;
  int32_t result = 2;
  /* Pictures beyond 16 million pixels are not the tests' business. */
  if (Begin(buf, len, flag, &image, &bytes) && (uint64_t)image.width * image.height <= 1u << 24) {
    const SpiBitmapInfoHeader header = DibHeader(image.width, image.height, 24, 0);
    const size_t stride = DibStride(image.width, 24);
    SpiHandle head = SpiAllocate(sizeof header);
    SpiHandle rows = SpiAllocate(stride * image.height);
    const png_color white = {255, 255, 255};
    image.format = PNG_FORMAT_BGR;
    if (progress) progress(0, 1, data);
    if (head && rows &&
        png_image_finish_read(&image, &white, rows->data, -(png_int_32)stride, NULL)) {
      memcpy(head->data, &header, sizeof header);
      *info = head;
      *bits = rows;
      head = rows = NULL;
      result = SPI_SUCCESS;
      if (progress) progress(1, 1, data);
    }
    if (head) head->release(head);
    if (rows) rows->release(rows);
  }
  png_image_free(&image);
  free(bytes);
  return result;
}
