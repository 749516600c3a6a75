#pragma once

// The model's export into the tables of a drawing in the older format: records in the
// drawing's units (millimetres over its scale), with pen 1 and line type 1 where the record
// has them.

#include <cstdint>
#include <string>

#include "cad/CadExport.h"
#include "import/jwcunit.h"

namespace kyrovane {

class TJwcExportTables final : public TCad_JwcTables {
 public:
  // Appends to the tables of `data`, in the units of its header's scale (1 when the scale is
  // not a positive number).
  explicit TJwcExportTables(JwcData& data);

  void AddPoint(const TPoint3& P, int Layer) override;
  void AddLine(const TPoint3& P1, const TPoint3& P2, int Layer) override;
  void AddArc(const TPoint3& Centre, long double Radius, long double Flatness,
              long double StartAngle, long double EndAngle, long double AxisAngle,
              int Layer) override;
  void AddText(const TPoint3& Start, const TPoint3& End, int TextType, const std::string& Text,
               int Layer) override;

 private:
  float Units(long double mm) const { return static_cast<float>(mm / scale_); }

  JwcData& data_;
  long double scale_;
};

}  // namespace kyrovane
