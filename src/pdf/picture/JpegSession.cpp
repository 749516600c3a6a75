#include "pdf/picture/JpegSession.h"

#include <cstdio>

namespace kyrovane::jpeg {
namespace {

// More scans than any encoder writes; a hostile progressive file could otherwise make every
// pixel be revisited thousands of times.
constexpr int kMaxScans = 100;
// Enough for the whole-picture coefficient buffers of the largest accepted progressive
// picture; beyond it libjpeg fails instead of allocating.
constexpr long kMaxLibjpegMemory = 1024L * 1024 * 1024;

[[noreturn]] void Abort(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<TSession::TErrors*>(cinfo->err);
  std::longjmp(errors->jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<TSession::TErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  Abort(cinfo);
}

// Warnings that mean the image data is damaged or missing.
bool IsDamage(int code) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
      return true;
    default:
      return false;
  }
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && IsDamage(cinfo->err->msg_code)) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void LimitScans(j_common_ptr cinfo) {
  auto* decompressor = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompressor->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<TSession::TErrors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    Abort(cinfo);
  }
}

TJpegColorSpace ColorSpaceOf(const jpeg_decompress_struct& cinfo) {
  if (cinfo.num_components == 1 && cinfo.jpeg_color_space == JCS_GRAYSCALE) {
    return TJpegColorSpace::Gray;
  }
  if (cinfo.num_components == 3 &&
      (cinfo.jpeg_color_space == JCS_YCbCr || cinfo.jpeg_color_space == JCS_RGB)) {
    return TJpegColorSpace::RGB;
  }
  if (cinfo.num_components == 4 &&
      (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK)) {
    return TJpegColorSpace::CMYK;
  }
  throw EInvalidGraphic("JPEG: unsupported colour space with " +
                        std::to_string(cinfo.num_components) + " components");
}

}  // namespace

TSession::TSession(std::string_view bytes) {
  // libjpeg refuses an empty buffer with an error of its own; say it plainly instead.
  if (bytes.empty()) throw EInvalidGraphic("JPEG: empty data");
  cinfo_.err = jpeg_std_error(&errors_.manager);
  errors_.manager.error_exit = ErrorExit;
  errors_.manager.emit_message = EmitMessage;
  errors_.manager.output_message = OutputMessage;
  Guarded([this] { jpeg_create_decompress(&cinfo_); });
  created_ = true;
  cinfo_.mem->max_memory_to_use = kMaxLibjpegMemory;
  progress_.progress_monitor = LimitScans;
  cinfo_.progress = &progress_;
  jpeg_mem_src(&cinfo_, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
}

TSession::~TSession() {
  if (created_) jpeg_destroy_decompress(&cinfo_);
}

TJpegInfo TSession::ReadHeader() {
  jpeg_read_header(&cinfo_, TRUE);
  CheckPictureSize(cinfo_.image_width, cinfo_.image_height);
  TJpegInfo info;
  info.Width = static_cast<int>(cinfo_.image_width);
  info.Height = static_cast<int>(cinfo_.image_height);
  info.Components = cinfo_.num_components;
  info.ColorSpace = ColorSpaceOf(cinfo_);
  info.AdobeInverted = info.ColorSpace == TJpegColorSpace::CMYK && cinfo_.saw_Adobe_marker;
  info.Progressive = cinfo_.progressive_mode;
  return info;
}

}  // namespace kyrovane::jpeg
