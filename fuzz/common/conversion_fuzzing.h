#pragma once

// What the conversion harnesses share: settings that the last two bytes of the input pick, and
// the page output into a stream that discards the PDF.

#include <cstddef>
#include <cstdint>
#include <ios>
#include <ostream>
#include <streambuf>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "cad/CadPage.h"

namespace kyrovane::fuzzing {

// Drops what is written but keeps the position, which the document writer reads back.
class DiscardingBuffer : public std::streambuf {
 protected:
  int overflow(int c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) ++position_;
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    position_ += n;
    return n;
  }
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    if (dir == std::ios_base::cur && off == 0) return position_;
    return pos_type(off_type(-1));
  }
  pos_type seekpos(pos_type pos, std::ios_base::openmode) override {
    position_ = pos;
    return pos;
  }

 private:
  off_type position_ = 0;
};

// One conversion's settings, list masks, page and output choices.
struct TConversion {
  TConversion(const uint8_t* data, size_t size, const char* fileName) {
    const uint8_t flags = size > 0 ? data[size - 1] : 0;
    const uint8_t output = size > 1 ? data[size - 2] : 0;
    env.UseSpline = flags & 0x01;
    env.UseColor = flags & 0x02;
    env.UseLayerColor = flags & 0x04;
    env.HalfScale = flags & 0x08;
    env.FitToPaper = flags & 0x10;
    env.PaperMode = flags & 0x20 ? 3 : 4;
    env.UseGray = output & 0x08;
    context.CurrentFileName = fileName;
    context.UseListMasks = flags & 0x80 ? 1 : 0;
    context.ListGroupMask = 0xFFFF;
    context.ListLayerMask.fill(0x5555);
    allArea = flags & 0x40;
    tiles = output & 0x04 ? 2 : 1;
    const int rotations[4] = {0, 90, 180, 270};
    rotation = rotations[output & 0x03];
    page.Output.DefaultFontName = env.TextFont;
    // Blocks fanning out reach the budget of inserted drawing at once; a small one keeps each
    // run within the fuzzer's time limit.
    page.InsertedDrawsPerPass = 100000;
  }

  // The whole PDF of the page, thrown away.
  void Print() {
    DiscardingBuffer discard;
    std::ostream stream(&discard);
    page.PrintToPdf(stream, tiles, false, rotation);
  }

  REnvironment env = DefaultEnvironment();
  ConversionContext context;
  TCad_Page page;
  bool allArea = false;
  int tiles = 1;
  int rotation = 0;
};

}  // namespace kyrovane::fuzzing
