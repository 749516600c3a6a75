/* Plug-ins that decode nothing, for the search and the registration: one kind each, chosen
 * when the file is built.
 *   STUB_LETTERS    "00IN" with the formats "*.a;*.b;*.c" and "*.abc;*.def"; refuses every
 *                   picture
 *   STUB_NOPICTURE  "00IN" without GetPicture
 *   STUB_ARCHIVE    "00AM" with every archive entry point
 *   STUB_EXTENSION  "00XN"
 *   STUB_OTHER      a kind the program does not know
 *   STUB_NOINFO     no GetPluginInfo at all */
#include "plugin_common.h"

#if defined(STUB_LETTERS)
static const char* const kInfo[] = {"00IN",    "Letters",     "*.a;*.b;*.c",
                                    "Letters", "*.abc;*.def", "Three letters"};
#elif defined(STUB_NOPICTURE)
static const char* const kInfo[] = {"00IN", "No pictures", "*.nop", "Nothing"};
#elif defined(STUB_ARCHIVE)
static const char* const kInfo[] = {"00AM", "Archives", "*.lzh", "LHA archive"};
#elif defined(STUB_EXTENSION)
static const char* const kInfo[] = {"00XN", "An extension"};
#elif defined(STUB_OTHER)
static const char* const kInfo[] = {"01ZZ", "Something else", "*.zz", "ZZ"};
#endif

#ifndef STUB_NOINFO
EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {
  return CopyInfo(kInfo, sizeof kInfo / sizeof kInfo[0], infono, buf, buflen);
}
#endif

EXPORT int32_t IsSupported(const char* filename, const void* header) {
  (void)filename;
  (void)header;
  return 0;
}

#if defined(STUB_LETTERS) || defined(STUB_NOPICTURE)
EXPORT int32_t GetPictureInfo(const char* buf, int64_t len, uint32_t flag, SpiPictureInfo* info) {
  (void)buf, (void)len, (void)flag, (void)info;
  return 2;
}
#endif

#if defined(STUB_LETTERS)
EXPORT int32_t GetPicture(const char* buf, int64_t len, uint32_t flag, SpiHandle* info,
                          SpiHandle* bits, SpiProgressCallback progress, intptr_t data) {
  (void)buf, (void)len, (void)flag, (void)info, (void)bits, (void)progress, (void)data;
  return 2;
}
#endif

#if defined(STUB_ARCHIVE)
/* Looked up, never called: their arguments are no part of the contract. */
EXPORT int32_t GetArchiveInfo(void) {
  return -1;
}
EXPORT int32_t GetFileInfo(void) {
  return -1;
}
EXPORT int32_t GetFile(void) {
  return -1;
}
#endif
