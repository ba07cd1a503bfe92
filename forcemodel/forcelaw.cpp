// Specific force law with its correction factors.
//
// All arithmetic is extended precision; every named value is rounded to
// single precision where it is stored.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"
#include "forcemodel/toothloads.h"
#include "model/errors.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {

// The power from double-precision logarithm and exponential, where the
// error bound proves the float the model stores (estimate.h). The library's
// double log and exp err by a few units in the last place: 2^-46 of the
// result bounds each. So y = exponent ln(base) is within 2^-45 |y| of the
// model's extended value (with the products' rounding), and exp(y) within
// exp(y) (2^-44 |y| + 2^-45) of the model's power.
bool estimatePower(float exponent, float base, float& out)
{
    const double y = static_cast<double>(exponent) * std::log(static_cast<double>(base));
    const double power = std::exp(y);
    return detail::storedFloat(power, power * (std::fabs(y) * 0x1p-44 + 0x1p-45), out);
}

}  // namespace

float powerLaw(float exponent, float base)
{
    if (base < 0.0f)
        return 1.0f;
    if (base == 0.0f)
        return 0.0f;
    if (float power = 0; !detail::plainEvaluation() && estimatePower(exponent, base, power))
        return power;
    return store(fp::exp(static_cast<ext>(exponent) * fp::ln(base)));
}

namespace {

// Rake and inclination angle of the edge a law is evaluated for.
struct EdgeAngles {
    ext rake;
    ext inclination;
};

EdgeAngles anglesFor(ForceLaw law, const ParameterSet& p, char activeEdge)
{
    if (law == ForceLaw::AxialCutting)
        return {p.rakeAngleAxial, p.inclinationAxial};
    if (activeEdge == 'I')
        return {p.rakeAngleInner, p.inclinationInner};
    return {p.rakeAngleOuter, p.inclinationOuter};
}

// The reference cutting speed is 100 m/min; the quotient enters powerLaw as
// a single-precision argument.
float speedRatio(const ParameterSet& p) { return store(fp::div(100.0L, static_cast<ext>(p.cuttingSpeed))); }

// The single factors of a law's correction product, in the order they are
// multiplied; a switched-off factor is 1.
struct CorrectionFactors {
    std::array<ext, 6> value{};
    std::size_t count = 0;

    void add(ext factor) { value[count++] = factor; }
    float product() const
    {
        ext p = value[0];
        for (std::size_t i = 1; i < count; ++i)
            p *= value[i];
        return store(p);
    }
    bool allPositive() const
    {
        return std::all_of(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(count),
                           [](ext f) { return f > 0.0L; });
    }
};

CorrectionFactors cuttingFactors(const ParameterSet& p, const EdgeAngles& a)
{
    CorrectionFactors f;
    f.add(p.rakeCorrOnC ? store(1.0L - (a.rake - p.refRakeAngleC) * static_cast<ext>(p.rakeCorrFactorC)) : 1.0L);
    f.add(p.inclCorrOnC ? store(1.0L - (a.inclination - p.refInclinationC) * static_cast<ext>(p.inclCorrFactorC))
                        : 1.0L);
    f.add(p.speedCorrOnC ? powerLaw(0.1f, speedRatio(p)) : 1.0L);
    f.add(p.wearCorrOnC ? store(1.0L + 1.0L * p.wearLandWidth) : 1.0L);
    return f;
}

CorrectionFactors feedFactors(const ParameterSet& p, const EdgeAngles& a)
{
    CorrectionFactors f;
    f.add(p.rakeCorrOnF ? store(1.0L - (a.rake - p.refRakeAngleF) * static_cast<ext>(p.rakeCorrFactorF)) : 1.0L);
    f.add(p.inclCorrOnF ? store(1.0L - (a.inclination - p.refInclinationF) * static_cast<ext>(p.inclCorrFactorF))
                        : 1.0L);
    f.add((p.settingAngleCorrOnF && p.insertShape == insertShapeRhombic)
              ? store(fp::div(fp::sin(p.settingAngle), fp::sin(fp::pi / 4.0L)))
              : 1.0L);
    f.add(p.cuttingMaterialCorrOnF ? static_cast<ext>(p.cuttingMaterialFactorF) : 1.0L);
    f.add(p.speedCorrOnF ? powerLaw(0.35f, speedRatio(p)) : 1.0L);
    f.add(p.wearCorrOnF ? store(1.0L + 1.0L * 2.5L * p.wearLandWidth) : 1.0L);
    return f;
}

CorrectionFactors correctionFactors(ForceLaw law, const ParameterSet& p, char activeEdge)
{
    const EdgeAngles angles = anglesFor(law, p, activeEdge);
    return law == ForceLaw::SideFeed ? feedFactors(p, angles) : cuttingFactors(p, angles);
}

}  // namespace

float correctionProduct(ForceLaw law, const ParameterSet& p, char activeEdge)
{
    return correctionFactors(law, p, activeEdge).product();
}

void checkCorrectionFactors(const ParameterSet& p)
{
    // Every product a run can use: the side laws for the outer and the inner
    // edge, the axial edge's cutting law with the rectangular insert. A
    // linear correction turns negative far from its reference angle; a
    // single factor must not, even where two of them would make a positive
    // product. A factor that cannot be formed (a cutting speed of 0) is left
    // to the run, which fails where it forms it.
    const auto positive = [&](ForceLaw law) {
        for (const char edge : {'A', 'I'}) {
            try {
                if (!correctionFactors(law, p, edge).allPositive())
                    return false;
            } catch (const FloatingPointError&) {
            }
        }
        return true;
    };
    if (!positive(ForceLaw::SideCutting) ||
        (p.insertShape == insertShapeRectangular && !positive(ForceLaw::AxialCutting)))
        throw RunRefused(messages::cuttingCorrectionNotPositive);
    if (!positive(ForceLaw::SideFeed))
        throw RunRefused(messages::feedCorrectionNotPositive);
}

float specificForce(ForceLaw law, float h, const ParameterSet& p, char activeEdge)
{
    return detail::specificForceWith(law, h, p, correctionProduct(law, p, activeEdge));
}

namespace detail {

float runCorrectionProduct(ForceLaw law, const ParameterSet& p, SimulationState& s)
{
    // Within a run the product depends only on the law and the active edge.
    const std::size_t slot = static_cast<std::size_t>(law) * 2 + (s.activeEdge == 'I' ? 1 : 0);
    if (!s.correctionProductKnown[slot]) {
        s.correctionProducts[slot] = correctionProduct(law, p, s.activeEdge);
        s.correctionProductKnown[slot] = true;
    }
    return s.correctionProducts[slot];
}

float specificForceWith(ForceLaw law, float h, const ParameterSet& p, float correction)
{
    const bool feed = law == ForceLaw::SideFeed;
    const ext K = correction;
    const ext hx = h;
    ext k = 0;
    // Three ranges of the chip thickness, tested against the exact decimal
    // limits at extended precision. Each range's support value is the
    // specific force at its reference thickness (0,01, 0,1 and 1 mm), so the
    // power law takes the thickness relative to it; the quotient is rounded
    // to single precision like every argument of powerLaw.
    if (hx > 0.0L && hx <= 0.01L) {
        const float exponent = store(-1.0L + (feed ? p.expF1001 : p.expC1001));
        k = powerLaw(exponent, store(hx / 0.01L)) * static_cast<ext>(feed ? p.kf1001 : p.kc1001) * K;
    }
    if (hx > 0.01L && hx <= 0.1L) {
        const float exponent = store(-1.0L + (feed ? p.expF101 : p.expC101));
        k = powerLaw(exponent, store(hx / 0.1L)) * static_cast<ext>(feed ? p.kf101 : p.kc101) * K;
    }
    if (hx > 0.1L) {
        const float exponent = store(-1.0L + (feed ? p.expF11 : p.expC11));
        k = powerLaw(exponent, h) * static_cast<ext>(feed ? p.kf11 : p.kc11) * K;
    }
    if (hx <= 0.0L)
        k = 0;
    return store(k);
}

}  // namespace detail

}  // namespace orbiton
