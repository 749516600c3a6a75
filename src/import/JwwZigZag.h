#pragma once

// Random lines of JWW drawings: lines, line chains and arcs of the line types 11..15 are drawn
// as zig-zags whose teeth follow the drawing's random-line definitions. Each function gives
// the vertices of the curve that draws the zig-zag, the first of them a placeholder that a
// curve never draws, or nothing when the plain line, chain or arc is to be drawn instead.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cad/CadUnits.h"
#include "import/jwwrecords.h"

namespace kyrovane {

struct REnvironment;

inline constexpr int kFirstRandomLineType = 11;
inline constexpr int kLastRandomLineType = 15;

struct TZigZag {
  long double Step = 0;       // mm between teeth
  long double Amplitude = 0;  // mm from the line to a tooth
  uint32_t Pattern = 0;       // tooth sides, one bit per tooth

  // Whether tooth k (1, 2, ...) lies on the left of the direction of travel.
  bool ToothOnLeft(long long k) const { return (Pattern >> (31 - k % 32)) & 1u; }
};

// The teeth of line type t of the drawing under the settings; nothing for other line types.
std::optional<TZigZag> ZigZagOf(const jwwunit::JWWHead& head, const REnvironment& Env, int t);

// Teeth are counted against a budget for the whole drawing, so that a damaged step or length
// cannot make a drawing of unbounded size: a zig-zag that no longer fits is drawn plain.
class TZigZagBudget {
 public:
  explicit TZigZagBudget(long long teeth) : left_(teeth) {}
  // Whether a zig-zag of about `teeth` teeth fits; takes them when it does.
  bool Take(long double teeth);

 private:
  long long left_;
};

// Rounding of the tooth count of a single line or an arc: a block member's line keeps one tooth
// less (when the rounded teeth do not reach beyond the end), a top-level arc one tooth less
// when they fall short of it.
enum class TToothCount { TopLevel, BlockMember };

// A line from p1 to p2 (mm); nothing when the line is at most two steps long.
std::optional<std::vector<TPoint3>> LineZigZag(const TPoint3& p1, const TPoint3& p2,
                                               const TZigZag& zigzag, TToothCount count,
                                               TZigZagBudget& budget);

// A chain of joined lines through points (at least two), teeth following the chain.
std::optional<std::vector<TPoint3>> ChainZigZag(std::span<const TPoint3> points,
                                                const TZigZag& zigzag, TZigZagBudget& budget);

// An arc about centre (mm) with the radius, angles (radians), flatness and full-circle flag of
// the record; nothing when it is too short for a tooth.
std::optional<std::vector<TPoint3>> ArcZigZag(const jwwunit::CDataEnko& arc, const TPoint3& centre,
                                              const TZigZag& zigzag, TToothCount count,
                                              TZigZagBudget& budget);

}  // namespace kyrovane
