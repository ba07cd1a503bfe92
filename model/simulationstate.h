#pragma once
// Working values of a run shared by the engagement simulation and the
// cutting-force model. One instance lives as long as the window; a few
// values (activeEdge, currentRow, the chip section of the last engaged
// tooth) carry over from one run to the next.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/fpmath.h"
#include "model/resulttable.h"

namespace orbiton {

// Chip section of one tooth, mm.
struct ChipSection {
    float axialEdgeDepth = 0;        // h_A, "Höhe_ax"
    float axialEdgeWidth = 0;        // b_A, "Breite_ax"
    float sideEdgeWidth = 0;         // b_S, "Breite_IA"
    float sideEdgeDepth = 0;         // h_S, "Höhe_IA"
    float axialEdgeLever = 0;        // r_A, "Hebel_ax"
    float sideEdgeLever = 0;         // r_S, "Hebel_IA"
    float axialEdgeBarDistance = 0;  // rho_A
    float sideEdgeBarDistance = 0;   // rho_S
};

// Double-precision sine and cosine of an angle for the fast evaluation's
// estimates (within 2^-46 of the exact values, see forcemodel/estimate.h),
// evaluated once and reused while the angle stays the same.
struct AngleEstimate {
    float angle = std::numeric_limits<float>::quiet_NaN();
    double sin = 0;
    double cos = 0;

    const AngleEstimate& of(float value)
    {
        if (!(value == angle)) {
            angle = value;
            sin = std::sin(static_cast<double>(value));
            cos = std::cos(static_cast<double>(value));
        }
        return *this;
    }
};

// Sine and cosine of an angle, evaluated once and reused while the angle
// stays the same.
struct AngleTrig {
    float angle = std::numeric_limits<float>::quiet_NaN();
    long double sin = 0;
    long double cos = 0;

    const AngleTrig& of(float value)
    {
        if (!(value == angle)) {
            const fp::SinCos sc = fp::sincos(value);
            angle = value;
            sin = sc.sin;
            cos = sc.cos;
        }
        return *this;
    }
};

// Values that depend only on a tooth angle and the run's constants, kept
// for the tooth angles that come again within a run: the angles of all
// teeth at all steps lie on a grid of stepCount * toothCount / gcd points
// per turn, so with many teeth most of them recur. Working memory of the
// fast evaluation; the plain evaluation keeps none.
struct ToothAngleValues {
    static constexpr std::uint32_t empty = 0xffffffffu;  // the bits of no stored angle (a NaN)
    std::uint32_t key = empty;
    bool edgeDepthKnown = false;
    float edgeDepth = 0;  // axial depth of the rhombic insert's edge search
};

class ToothAngleMemo {
public:
    // Empty, with room for about the distinct angles of a run of the given
    // number of tooth evaluations.
    void prepare(long evaluations)
    {
        std::size_t capacity = 64;
        while (capacity < maxSlots && static_cast<long>(capacity) < 2 * evaluations)
            capacity *= 2;
        slots_.assign(capacity, ToothAngleValues{});
        used_ = 0;
    }

    // The slot of an angle, nullptr once the memo is three quarters full.
    ToothAngleValues* slot(float angle)
    {
        const std::uint32_t key = std::bit_cast<std::uint32_t>(angle);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t k = (key * 0x9e3779b1u) & mask;; k = (k + 1) & mask) {
            ToothAngleValues& v = slots_[k];
            if (v.key == key)
                return &v;
            if (v.key == ToothAngleValues::empty) {
                if (4 * (used_ + 1) > 3 * slots_.size())
                    return nullptr;
                ++used_;
                v.key = key;
                return &v;
            }
        }
    }

private:
    static constexpr std::size_t maxSlots = 1u << 15;
    std::vector<ToothAngleValues> slots_;
    std::size_t used_ = 0;
};

// Sine and tangent of the setting angle, evaluated once and reused while
// the angle stays the same.
struct SettingAngleTrig {
    float angle = std::numeric_limits<float>::quiet_NaN();
    long double sin = 0;
    long double cos = 0;
    long double tan = 0;

    const SettingAngleTrig& of(float value)
    {
        if (!(value == angle)) {
            angle = value;
            sin = fp::sin(value);
            cos = fp::cos(value);
            tan = fp::tan(value);
        }
        return *this;
    }
};

struct SimulationState {
    // Set-up values of the run.
    float insertMidDiameter = 0;
    float innerEdgeDiameter = 0;
    float stepAngle = 0;
    float pathRadius = 0;
    float transitionAngle1 = 0;
    float roughnessDepth = 0;
    float spindleSpeed = 0;
    float circularSpeed = 0;
    float feedSpeed = 0;
    float circularAngularSpeed = 0;
    float spindleAngularSpeed = 0;
    float orbitAnglePerTooth = 0;

    // Per step.
    float rotationAngle = 0;
    float orbitAngle = 0;

    // Per tooth.
    float toothAngle = 0;
    float passOrbitAngle = 0;
    float chipFeed = 0;
    float transitionAngle2 = 0;
    float transitionAngle3 = 0;
    float transitionAngle4 = 0;
    float axisOverlap = 0;
    float coreAngle = 0;
    float axialFeedPerTooth = 0;
    char materialBoundaryCase = 'I';  // 'I', 'A' or 'W'
    float materialBoundaryRadius = 0;
    float axialDepth = 0;

    // Written by the cutting-force model.
    char activeEdge = 'A';  // 'A' outer edge, 'I' inner edge
    ChipSection section;
    float toothCuttingForce = 0;
    float toothNormalForce = 0;
    float toothPower = 0;
    float toothCutterTorque = 0;
    float toothBarTorque = 0;
    float toothArea = 0;
    float toothTransverseForce = 0;

    // Step totals.
    float Fcx = 0, Fcy = 0, Fc = 0, Phirc = 0;
    float FcNx = 0, FcNy = 0, FcN = 0, PhirN = 0;
    float Fqx = 0, Fqy = 0, Fq = 0, PhirQ = 0;
    float Pc = 0, Mc = 0, Mb = 0;
    float stepArea = 0;

    // The row being filled during a step.
    std::array<float, channelCount> currentRow{};

    // Run accumulators.
    float sumPc = 0, sumMc = 0, sumMb = 0;

    // Values derived from the ones above, kept so that no sine, cosine or
    // correction product is evaluated twice (extended precision).
    AngleTrig orbitAngleTrig;
    AngleTrig toothAngleTrig;
    AngleEstimate toothAngleEstimate;
    ToothAngleMemo* toothAngleMemo = nullptr;  // of the current run, if the evaluation keeps one
    AngleTrig chipFeedAxisTrig;                // of the orbit angle times the milling direction
    SettingAngleTrig settingAngleTrig;
    std::array<float, 6> correctionProducts{};  // per force law and active edge
    std::array<bool, 6> correctionProductKnown{};
    // Where the last radial searches of the rhombic insert ended (steps),
    // by sector of the tooth angle; they only choose which blocks of steps
    // the next searches try first.
    struct {
        std::array<std::uint16_t, 64> core{};
        std::array<std::uint16_t, 64> edge{};
    } searchHints;
    bool coreTangentKnown = false;  // transitionAngle4 of this run, once evaluated
    bool coreTangentExists = false;
    float coreTangentAngle = 0;
};

}  // namespace orbiton
