#pragma once
// The three-range force law fitted to measured forces.
//
// The law is one continuous power law in three ranges of the chip
// thickness h, with knots at 0,01 and 0,1 mm: in log-log coordinates a
// polyline of three straight pieces. Range i has the support value k_i (the
// specific force at its reference thickness 1, 0,1 or 0,01 mm) and the
// exponent E_i = 1 + slope: k(h) = k_i * (h / h_ref,i)^(E_i - 1). The fit
// minimises the squared differences of ln k over all points. A range with
// fewer than 3 points has no slope of its own: it keeps the slope of its
// neighbour towards the middle range (the middle range, with fewer than 3
// points, the slope of the one outer range that has 3 or more; with both,
// the two outer lines and continuity fix it).
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "files/dataset.h"
#include "material/measurements.h"

namespace orbiton {

struct ForcePoint {
    long double h;  // chip thickness, mm
    long double k;  // specific force F / (h * b), N/mm²
};

struct RangeFit {
    std::size_t points = 0;
    long double support = 0;                      // k at the reference thickness, N/mm²
    long double exponent = 0;                     // E = 1 - m
    std::optional<long double> r2;                // of ln k in this range; none below 2 points or without spread
    std::optional<long double> largestDeviation;  // max |k_measured / k_law - 1|; none without points
};

// Ranges in the order of the material file: [0] h > 0,1 mm (reference
// 1 mm), [1] 0,01 < h <= 0,1 mm (0,1 mm), [2] h <= 0,01 mm (0,01 mm).
struct LawFit {
    std::array<RangeFit, 3> ranges;
    std::size_t points = 0;
    long double r2 = 0;                   // over all points
    long double at(long double h) const;  // the fitted k(h)
};

inline constexpr std::array<long double, 3> rangeReference{1.0L, 0.1L, 0.01L};

// Refuses (RunRefused) fewer than 3 points, a non-positive thickness or
// force, a single thickness, and points that leave a range's slope open
// (all its points at one thickness).
LawFit fitForceLaw(const std::vector<ForcePoint>& points);

// Measured forces to a material: the forces divided by the correction
// factors of each test cut (columns γ, λ, v_c, VB; the parameters m_γ, γ_0,
// m_λ, λ_0 of base), then the cutting-force law fitted, and the feed-force
// law when the file has Ff. Without Ff the feed-force lines stay those of
// base. The exponents are written with three decimals; a fitted value that
// its field refuses (an exponent outside 0,1 to 1) raises RunRefused with
// the range and the field's message.
struct MaterialFit {
    std::vector<ForcePoint> cuttingPoints, feedPoints;
    LawFit cutting;
    std::optional<LawFit> feed;
    MaterialTexts texts;
};
MaterialFit fitMaterial(const MeasurementTable& table, const MaterialTexts& base);

// "h > 0,1 mm", "0,01 < h ≤ 0,1 mm", "h ≤ 0,01 mm".
const char* rangeCaption(std::size_t range);

// The result as lines of text, per law and range: points, k_ref, 1 - m,
// R² and largest relative deviation.
std::vector<std::string> fitReport(const MaterialFit& fit);

// The origin lines of the file: "Quelle: Messungen <name>" and per law
// "Schnittkraft angepasst an 12 Messpunkte, R² 0,98, größte Abweichung
// 2,1 %".
std::vector<std::string> fitOrigin(const MaterialFit& fit, const std::string& sourceName);

}  // namespace orbiton
