#pragma once

// One libjpeg decompression of JPEG data held in memory, for JpegImage.cpp. libjpeg reports
// a fatal error by calling error_exit, which must not return; ours jumps back into Guarded,
// which raises EInvalidGraphic. Warnings that mean damaged or missing data are fatal as well;
// other warnings and all trace messages are dropped, so libjpeg never prints anything.

#include <csetjmp>
#include <cstdio>
#include <string>
#include <string_view>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "pdf/picture/Graphic.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane::jpeg {

class TSession {
 public:
  explicit TSession(std::string_view bytes);
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  jpeg_decompress_struct& Decompressor() { return cinfo_; }

  // Runs `body`, whose libjpeg calls may end in a jump back here. Nothing that `body` itself
  // declares may need destruction while it calls libjpeg: the jump skips destructors, so its
  // state lives in its callers.
  template <typename Body>
  void Guarded(Body&& body) {
    if (setjmp(errors_.jump) != 0) throw EInvalidGraphic("JPEG: " + std::string(errors_.message));
    body();
  }

  // Reads the headers up to the first scan and checks the size and colour space; call it
  // inside Guarded.
  TJpegInfo ReadHeader();

  // The extended error manager: libjpeg hands callbacks the address of its first member.
  struct TErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
  };

 private:
  TErrors errors_{};
  jpeg_progress_mgr progress_{};
  jpeg_decompress_struct cinfo_{};
  bool created_ = false;
};

}  // namespace kyrovane::jpeg
