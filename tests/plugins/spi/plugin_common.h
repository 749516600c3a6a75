/* What the test plug-ins share: their information texts, taking the picture they are given,
 * and the bitmap they hand back. Each plug-in is one C file that includes this. */
#ifndef KYROVANE_TEST_PLUGIN_COMMON_H
#define KYROVANE_TEST_PLUGIN_COMMON_H

#include <string.h>

#include "plugins/SpiPlugin.h"

#define EXPORT __attribute__((visibility("default")))

/* Pictures larger than this are not read. */
#define MAX_PICTURE_BYTES (64u * 1024 * 1024)

/* GetPluginInfo over a table of texts. */
static inline int32_t CopyInfo(const char* const* texts, int32_t count, int32_t infono, char* buf,
                               int32_t buflen) {
  if (infono < 0 || infono >= count || buflen <= 0) return 0;
  size_t length = strlen(texts[infono]);
  if (length >= (size_t)buflen) length = (size_t)buflen - 1;
  memcpy(buf, texts[infono], length);
  buf[length] = '\0';
  return (int32_t)length;
}

/* A copy of the picture's bytes, malloc'd, or null. The program hands pictures over in memory
 * only: a file name is refused, so that a test sees when one is passed. */
static inline unsigned char* ReadSource(const char* buf, int64_t len, uint32_t flag, size_t* size) {
  unsigned char* data = NULL;
  *size = 0;
  if (flag != SPI_SOURCE_MEMORY || len < 0 || (uint64_t)len > MAX_PICTURE_BYTES ||
      (data = (unsigned char*)malloc(len ? (size_t)len : 1)) == NULL) {
    return NULL;
  }
  memcpy(data, buf, (size_t)len);
  *size = (size_t)len;
  return data;
}

/* Bytes of one bitmap row, padded to a multiple of 4. */
static inline size_t DibStride(uint32_t width, uint32_t bits) {
  return ((size_t)width * bits + 31) / 32 * 4;
}

/* A bitmap header for a picture of that size stored bottom-up without compression. */
static inline SpiBitmapInfoHeader DibHeader(int32_t width, int32_t height, uint16_t bits,
                                            uint32_t colors_used) {
  SpiBitmapInfoHeader header;
  memset(&header, 0, sizeof header);
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biClrUsed = colors_used;
  return header;
}

#endif
