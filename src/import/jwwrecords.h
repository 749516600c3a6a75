#pragma once

// The records of a JWW drawing (version 230) as its reader stores them: every field as read,
// nothing converted. Texts are code page 932 bytes; lengths in mm, angles in radians.

#include <array>
#include <cstdint>
#include <string>

namespace kyrovane::jwwunit {

// First 13 bytes of every entity record.
struct JWWEntityHead {
  uint32_t CurveGroup = 0;  // non-zero: the line belongs to a curve chain
  uint8_t LineType = 0;     // pen style 1..19 (100 and above marks a solid arc)
  uint16_t PenColor = 0;    // pen 1..9; 10 on a solid means its own RGB colour
  uint16_t Layer = 0;       // 0..15
  uint16_t LayerGroup = 0;  // 0..15
  uint16_t Flags = 0;       // 0x20 on a text: vertical
  bool operator==(const JWWEntityHead&) const = default;
};

struct CDataSen {  // line
  JWWEntityHead Head;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool operator==(const CDataSen&) const = default;
};

struct CDataEnko {  // arc, circle or ellipse
  JWWEntityHead Head;
  double CenterX = 0, CenterY = 0, Radius = 0;
  double StartAngle = 0, ArcAngle = 0, TiltAngle = 0;
  double Flatness = 0;  // minor radius / major radius
  uint32_t FullCircle = 0;
  bool operator==(const CDataEnko&) const = default;
};

struct CDataTen {  // point
  JWWEntityHead Head;
  double X = 0, Y = 0;
  uint32_t Temporary = 0;  // non-zero: a construction point, which is never printed
  bool operator==(const CDataTen&) const = default;
};

struct CDataMoji {  // text, or a picture when the text holds "^@BM"
  JWWEntityHead Head;
  double StartX = 0, StartY = 0, EndX = 0, EndY = 0;
  uint32_t TextType = 0;  // 1..10 select an entry of JWWHead::TextTypes
  double Width = 0, Height = 0, Spacing = 0, Angle = 0;
  std::string FontName;
  std::string Text;
  bool operator==(const CDataMoji&) const = default;
};

struct CDataSunpou {  // dimension: a line and its text, each with its own head
  JWWEntityHead Head;
  CDataSen Line;
  CDataMoji Text;
  bool operator==(const CDataSunpou&) const = default;
};

struct CDataSolid {  // filled quadrilateral, or filled arc when Head.LineType >= 100
  JWWEntityHead Head;
  // Value 1..8 of the file: four corners x, y; for a solid arc centre x, centre y, radius,
  // flatness, tilt, start angle, arc angle and one more.
  std::array<double, 8> Values{};
  uint32_t Color = 0;  // 0x00BBGGRR, present in the file only when Head.PenColor is 10
  bool operator==(const CDataSolid&) const = default;
};

struct CDataBlock {  // block insert
  JWWEntityHead Head;
  double X = 0, Y = 0, ScaleX = 0, ScaleY = 0, Rotation = 0;
  uint32_t BlockNumber = 0;
  bool operator==(const CDataBlock&) const = default;
};

struct CDataList {  // block definition; its members follow it in the file
  JWWEntityHead Head;
  uint32_t BlockNumber = 0;
  uint32_t Reserved1 = 0, Reserved2 = 0;
  std::string Name;
  uint32_t MemberCount = 0;  // as declared
  bool operator==(const CDataList&) const = default;
};

// Member kind tags of block members.
enum TJWWKind : uint8_t {
  kJwwLine = 0,
  kJwwArc = 1,
  kJwwPoint = 2,
  kJwwText = 3,
  kJwwDim = 4,
  kJwwSolid = 5,
  kJwwInsert = 6,
};

struct JWWLayerRecord {
  uint32_t State = 0;  // 0 hidden, 1 greyed and drawn first, other values visible
  uint32_t Reserved = 0;
  bool operator==(const JWWLayerRecord&) const = default;
};

struct JWWGroupRecord {  // 148 bytes in the file
  uint32_t State = 0;    // as JWWLayerRecord::State, for the whole group
  uint32_t Reserved1 = 0;
  double Reserved2 = 0;
  uint32_t Reserved3 = 0;
  std::array<JWWLayerRecord, 16> Layers{};
  bool operator==(const JWWGroupRecord&) const = default;
};

struct JWWRandomLineType {  // 20 bytes in the file, for line types 11..15
  uint32_t Pattern = 0;     // tooth sides, one bit per tooth
  uint32_t Reserved1 = 0, Reserved2 = 0;
  uint32_t Width = 0;  // amplitude times two
  uint32_t Pitch = 0;  // step
  bool operator==(const JWWRandomLineType&) const = default;
};

struct JWWTextType {  // 28 bytes in the file, for text types 1..10
  double Reserved1 = 0, Reserved2 = 0;
  double Spacing = 0;  // character spacing
  uint32_t Reserved3 = 0;
  bool operator==(const JWWTextType&) const = default;
};

// The header, every field in file order. Reserved fields are held as read and not used.
struct JWWHead {
  std::string Signature;  // "JwwData."
  uint32_t Version = 0;   // 230
  std::string Memo;
  uint32_t PaperSize = 0;  // sheet code 0..4, 8..11
  uint32_t Reserved1 = 0;
  std::array<JWWGroupRecord, 16> Groups{};
  std::array<uint8_t, 156> Reserved2{};
  std::array<std::string, 256> LayerNames;  // 16 per group, group by group
  std::array<std::string, 16> GroupNames;
  std::array<uint8_t, 632> Reserved3{};
  std::array<JWWRandomLineType, 5> RandomLineTypes{};
  std::array<uint8_t, 64> Reserved4{};
  // The sixteen settings words, of which three are used.
  std::array<uint32_t, 2> Reserved5{};
  uint32_t SolidsFirst = 0;       // non-zero: solids and pictures in the early pass
  uint32_t ReverseOrderFlag = 0;  // > 0: layers drawn in reverse order
  std::array<uint32_t, 7> Reserved6{};
  uint32_t DrawingTime = 0;  // seconds spent editing the drawing
  std::array<uint32_t, 4> Reserved7{};
  std::array<uint8_t, 80> Reserved8{};
  std::array<JWWTextType, 10> TextTypes{};
  std::array<uint8_t, 100> Reserved9{};
  bool operator==(const JWWHead&) const = default;
};

}  // namespace kyrovane::jwwunit
