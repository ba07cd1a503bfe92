#pragma once
// Working values of a run shared by the engagement simulation and the
// cutting-force model. One instance lives as long as the window; a few
// values (activeEdge, currentRow, the chip section of the last engaged
// tooth) carry over from one run to the next.
#include <array>
#include <limits>

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

// Sine and tangent of the setting angle, evaluated once and reused while
// the angle stays the same.
struct SettingAngleTrig {
    float angle = std::numeric_limits<float>::quiet_NaN();
    long double sin = 0;
    long double tan = 0;

    const SettingAngleTrig& of(float value)
    {
        if (!(value == angle)) {
            angle = value;
            sin = fp::sin(value);
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
    AngleTrig chipFeedAxisTrig;  // of the orbit angle times the milling direction
    SettingAngleTrig settingAngleTrig;
    std::array<float, 6> correctionProducts{};         // per force law and active edge
    std::array<bool, 6> correctionProductKnown{};
    bool coreTangentKnown = false;  // transitionAngle4 of this run, once evaluated
    bool coreTangentExists = false;
    float coreTangentAngle = 0;
};

}  // namespace orbiton
