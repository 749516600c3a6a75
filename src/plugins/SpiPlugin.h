/*
 * Picture plug-ins: the contract between Kyrovane and a plug-in that decodes pictures.
 *
 * A plug-in is a shared object whose file name ends in ".spi" (in any case). The program
 * looks for plug-ins once, at start, first in the folder given by the value "Path" of the key
 * "Software\Pellatro\Susie\Plug-in" in its registry file (the line
 * "Software\Pellatro\Susie\Plug-in\Path=/some/folder" in $XDG_CONFIG_HOME/Kyrovane/registry.conf,
 * by default ~/.config/Kyrovane/registry.conf), then in the folder of the program itself.
 * Hidden files (names starting with ".") are not looked at. Each plug-in is opened with
 * dlopen(RTLD_NOW | RTLD_LOCAL) and stays loaded until the program ends.
 *
 * Export the entry points below by these names with C linkage and default visibility; they
 * use the platform's ordinary C calling convention. Every entry point that returns int32_t
 * returns SPI_SUCCESS (0) when it succeeds and any other value when it fails.
 *
 * Kinds of plug-in, chosen by the text of information number 0 (see GetPluginInfo), and the
 * entry points each must export to be accepted:
 *   "00IN"  picture decoder: GetPluginInfo, IsSupported, GetPictureInfo, GetPicture;
 *           GetPreview is optional. Only these decode pictures.
 *   "00AM"  archive: GetPluginInfo, IsSupported, GetArchiveInfo, GetFileInfo, GetFile. The
 *           program accepts such plug-ins but never calls the three archive entry points.
 *   "00XN"  and any other text: GetPluginInfo only; nothing else is ever called.
 * ConfigurationDlg may be exported; it is never called.
 *
 * Memory handed to the program. GetPicture, GetPreview and GetPictureInfo hand blocks of
 * memory to the program as handles (SpiHandle). A handle names a record that holds the
 * block's address, its size in bytes and the function that frees it; make them with
 * SpiAllocate below, or fill the record yourself. The program calls `release` exactly once
 * for every non-null handle it receives, also when the entry point reports failure, and
 * never frees a handle in any other way. So: store a handle only if you hand it over, and
 * never free it yourself afterwards. `release` is called while the plug-in is still loaded.
 *
 * The program never trusts a size: a picture whose header describes more bytes than its
 * handles hold is refused and the next plug-in is tried.
 */
#ifndef KYROVANE_SPI_PLUGIN_H
#define KYROVANE_SPI_PLUGIN_H

#include <stdint.h>
#include <stdlib.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SPI_SUCCESS 0

/* A block of memory that a plug-in hands to the program. */
typedef struct SpiMemory SpiMemory;
struct SpiMemory {
  void* data;                       /* `size` bytes */
  uint64_t size;                    /* bytes at `data` that the program may read */
  void (*release)(SpiMemory* self); /* frees the block and this record */
};
typedef SpiMemory* SpiHandle;

/* Information about a picture (GetPictureInfo). The program zeroes the record before the
 * call and uses nothing of it but `text`, which it releases when it is not null. */
typedef struct SpiPictureInfo {
  int32_t left, top;      /* where the picture is placed, in pixels */
  uint32_t width, height; /* in pixels */
  uint16_t x_density, y_density;
  int16_t color_depth; /* bits per pixel */
  SpiHandle text;      /* a text about the picture, or null */
} SpiPictureInfo;

/* The header of a device-independent bitmap, 40 bytes, in the byte order of the machine. */
typedef struct SpiBitmapInfoHeader {
  uint32_t biSize; /* 40 to 124: the bytes of this header; the colours follow them */
  int32_t biWidth;
  int32_t biHeight; /* positive: rows stored from the bottom up; negative: top-down */
  uint16_t biPlanes;
  uint16_t biBitCount;    /* 1, 4, 8, 16, 24 or 32 */
  uint32_t biCompression; /* 0: plain rows; nothing else is accepted */
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed; /* colours in the table; 0: 2, 16 or 256 for 1, 4 or 8 bits */
  uint32_t biClrImportant;
} SpiBitmapInfoHeader;

/* Called by GetPicture and GetPreview as decoding goes on: `num` of `denom` done. Return 0 to
 * go on. `data` is the value the program passed to GetPicture. A `denom` of 0 is harmless. */
typedef int32_t (*SpiProgressCallback)(int32_t num, int32_t denom, intptr_t data);

/* Where a picture comes from, in GetPictureInfo, GetPicture and GetPreview. The program reads
 * every picture file itself and always hands the bytes over (SPI_SOURCE_MEMORY); a file name
 * (SPI_SOURCE_FILE) belongs to the interface but is never passed. */
#define SPI_SOURCE_FILE 0   /* buf: a file name; len: the offset of the picture in the file */
#define SPI_SOURCE_MEMORY 1 /* buf: the picture's bytes; len: how many */

/* Information number `infono` into `buf`, zero-terminated, at most `buflen` bytes with the
 * terminator (the program passes 255 and a larger, zeroed buffer). Returns the characters
 * written without the terminator; 0 when there is no such information. Numbers: 0 the kind
 * of plug-in ("00IN" ...), 1 a description, then pairs: 2n + 2 the file patterns of format n
 * ("*.abc", or several joined by ";", as "*.abc;*.abd"), 2n + 3 the name of format n. The
 * pairs end at the first number that gives 0. */
int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen);

/* Non-zero when the plug-in can decode the picture of the file `filename` (UTF-8; empty for a
 * picture without a name), whose first bytes are at `header`: at least 2048 bytes, padded
 * with zeros where the file is shorter. */
int32_t IsSupported(const char* filename, const void* header);

int32_t GetPictureInfo(const char* buf, int64_t len, uint32_t flag, SpiPictureInfo* info);

/* Decodes the picture. On success stores into *info a handle to an SpiBitmapInfoHeader
 * followed by its colour table (4 bytes a colour: blue, green, red, 0) and into *bits a
 * handle to the rows of pixels, each padded to a multiple of 4 bytes. `progress` with `data`
 * may be called during decoding. */
int32_t GetPicture(const char* buf, int64_t len, uint32_t flag, SpiHandle* info, SpiHandle* bits,
                   SpiProgressCallback progress, intptr_t data);

/* Like GetPicture, for a quicker, smaller picture of the same file. Optional. */
int32_t GetPreview(const char* buf, int64_t len, uint32_t flag, SpiHandle* info, SpiHandle* bits,
                   SpiProgressCallback progress, intptr_t data);

/* A block of `size` bytes from malloc, released with free; null when memory is short. Being
 * static, it is compiled into the plug-in, so the block is freed by the same allocator that
 * made it. */
static inline void SpiReleaseAllocated(SpiMemory* self) {
  free(self);
}
static inline SpiHandle SpiAllocate(uint64_t size) {
  if (size > SIZE_MAX - sizeof(SpiMemory)) return NULL;
  SpiMemory* block = (SpiMemory*)malloc(sizeof(SpiMemory) + (size_t)size);
  if (block == NULL) return NULL;
  block->data = block + 1;
  block->size = size;
  block->release = SpiReleaseAllocated;
  return block;
}

#ifdef __cplusplus
}
#endif

#endif
