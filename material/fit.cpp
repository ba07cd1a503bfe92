#include "material/fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "material/catalogue.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

namespace orbiton {

namespace {

using ext = long double;

const ext knotLow = std::log(0.01L);  // x1
const ext knotHigh = std::log(0.1L);  // x2

// Range index as in LawFit: 0 above 0,1 mm, 1 between, 2 up to 0,01 mm.
std::size_t rangeOf(ext h) { return h > 0.1L ? 0 : (h > 0.01L ? 1 : 2); }

// Parameters: c = ln k at 0,1 mm, then the slopes of ranges 0, 1, 2.
// ln k(h) = c + design(h) . slopes.
std::array<ext, 3> design(ext h)
{
    const ext x = std::log(h);
    switch (rangeOf(h)) {
    case 0:
        return {x - knotHigh, 0, 0};
    case 1:
        return {0, x - knotHigh, 0};
    default:
        return {0, knotLow - knotHigh, x - knotLow};
    }
}

struct Polyline {
    ext c = 0;
    std::array<ext, 3> slope{};
    ext at(ext h) const
    {
        const auto d = design(h);
        return c + d[0] * slope[0] + d[1] * slope[1] + d[2] * slope[2];
    }
};

// Solves the normal equations A p = r (n <= 4) by Gaussian elimination with
// partial pivoting; false when a pivot vanishes against the matrix's scale.
bool solve(std::vector<std::vector<ext>> a, std::vector<ext> r, std::vector<ext>& p)
{
    const std::size_t n = r.size();
    ext scale = 0;
    for (const auto& row : a)
        for (const ext v : row)
            scale = std::max(scale, std::fabs(v));
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        if (!(std::fabs(a[pivot][col]) > scale * 1e-12L))
            return false;
        std::swap(a[pivot], a[col]);
        std::swap(r[pivot], r[col]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const ext f = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k)
                a[row][k] -= f * a[col][k];
            r[row] -= f * r[col];
        }
    }
    p.assign(n, 0);
    for (std::size_t col = n; col-- > 0;) {
        ext sum = r[col];
        for (std::size_t k = col + 1; k < n; ++k)
            sum -= a[col][k] * p[k];
        p[col] = sum / a[col][col];
    }
    return true;
}

std::string percent(ext value) { return exponentText(value * 100, 1) + " %"; }
std::string r2Text(ext value) { return exponentText(value, 3); }

// The correction product of one test cut for the cutting (feed == false)
// or the feed-force law, formed as the run forms it, with the base's
// parameters; the forces are divided by it.
ext correctionOf(const Measurement& m, const MaterialTexts& base, bool feed)
{
    const auto value = [&](std::string_view control) {
        for (std::size_t k = 0; k < materialLineCount; ++k)
            if (materialControls()[k] == control)
                return static_cast<ext>(parseReal(base[k]));
        return 0.0L;
    };
    using namespace inputs;
    ext product = 1;
    if (m.rake)
        product *= 1 - (*m.rake - value(feed ? refRakeAngleF : refRakeAngleC)) *
                           value(feed ? rakeCorrFactorF : rakeCorrFactorC);
    if (m.inclination)
        product *= 1 - (*m.inclination - value(feed ? refInclinationF : refInclinationC)) *
                           value(feed ? inclCorrFactorF : inclCorrFactorC);
    if (m.speed)
        product *= std::pow(100.0L / *m.speed, feed ? 0.35L : 0.1L);
    if (m.wear)
        product *= 1 + (feed ? 2.5L : 1.0L) * *m.wear;
    if (!(product > 0) || !std::isfinite(product)) {
        RunRefused error(std::string("Die Korrekturfaktoren des Versuchs ergeben für die ") +
                         (feed ? "Vorschubkraft" : "Schnittkraft") + " keinen positiven Wert (Zeile " +
                         std::to_string(m.line) + ")");
        throw error;
    }
    return product;
}

}  // namespace

const char* rangeCaption(std::size_t range)
{
    static const char* const captions[] = {"h > 0,1 mm", "0,01 < h ≤ 0,1 mm", "h ≤ 0,01 mm"};
    return captions[range];
}

ext LawFit::at(ext h) const
{
    const std::size_t i = rangeOf(h);
    return ranges[i].support * std::pow(h / rangeReference[i], ranges[i].exponent - 1);
}

LawFit fitForceLaw(const std::vector<ForcePoint>& points)
{
    if (points.size() < 3)
        throw RunRefused("Zu wenige Messpunkte: Für das Kraftgesetz werden mindestens 3 gebraucht, es sind " +
                         std::to_string(points.size()));
    for (const auto& p : points)
        if (!(p.h > 0) || !(p.k > 0) || !std::isfinite(p.h) || !std::isfinite(p.k))
            throw RunRefused("Die Messpunkte brauchen positive Spanungsdicken und Kräfte");
    if (std::all_of(points.begin(), points.end(), [&](const ForcePoint& p) { return p.h == points[0].h; }))
        throw RunRefused("Alle Messpunkte haben dieselbe Spanungsdicke; ein Kraftgesetz braucht mindestens "
                         "zwei verschiedene");

    std::array<std::size_t, 3> count{};
    for (const auto& p : points)
        ++count[rangeOf(p.h)];
    // Which slope each range uses: its own, or a neighbour's.
    std::array<std::size_t, 3> uses{0, 1, 2};
    const bool outer0 = count[0] >= 3, outer2 = count[2] >= 3;
    if (count[1] < 3 && outer0 != outer2)
        uses[1] = outer0 ? 0 : 2;
    else if (count[1] < 3 && !outer0 && !outer2)
        uses = {1, 1, 1};
    if (!outer0)
        uses[0] = uses[1];
    if (!outer2)
        uses[2] = uses[1];

    // Free parameters: c, then one per distinct slope in use.
    std::vector<std::size_t> slotOf(3, 0);
    std::vector<std::size_t> distinct;
    for (std::size_t i = 0; i < 3; ++i) {
        auto it = std::find(distinct.begin(), distinct.end(), uses[i]);
        if (it == distinct.end()) {
            distinct.push_back(uses[i]);
            it = distinct.end() - 1;
        }
        slotOf[i] = 1 + static_cast<std::size_t>(it - distinct.begin());
    }
    const std::size_t n = 1 + distinct.size();
    std::vector<std::vector<ext>> a(n, std::vector<ext>(n, 0));
    std::vector<ext> r(n, 0);
    for (const auto& p : points) {
        const ext y = std::log(p.k);
        std::vector<ext> row(n, 0);
        row[0] = 1;
        const auto d = design(p.h);
        for (std::size_t i = 0; i < 3; ++i)
            row[slotOf[i]] += d[i];
        for (std::size_t j = 0; j < n; ++j) {
            r[j] += row[j] * y;
            for (std::size_t k = 0; k < n; ++k)
                a[j][k] += row[j] * row[k];
        }
    }
    std::vector<ext> solution;
    if (!solve(a, r, solution))
        throw RunRefused("Die Messpunkte legen das Kraftgesetz nicht fest: In einem Bereich der Spanungsdicke "
                         "liegen alle Punkte bei derselben Dicke");
    Polyline law;
    law.c = solution[0];
    for (std::size_t i = 0; i < 3; ++i)
        law.slope[i] = solution[slotOf[i]];

    LawFit fit;
    fit.points = points.size();
    std::array<ext, 3> sumY{}, sumYY{}, sumRR{};
    ext allY = 0, allYY = 0, allRR = 0;
    for (const auto& p : points) {
        const std::size_t i = rangeOf(p.h);
        const ext y = std::log(p.k), residual = y - law.at(p.h);
        sumY[i] += y;
        sumYY[i] += y * y;
        sumRR[i] += residual * residual;
        allY += y;
        allYY += y * y;
        allRR += residual * residual;
        const ext deviation = std::fabs(std::exp(residual) - 1);
        auto& largest = fit.ranges[i].largestDeviation;
        largest = std::max(largest.value_or(0), deviation);
    }
    const auto r2 = [](ext sum, ext sumSquares, ext residuals, std::size_t count) -> std::optional<ext> {
        const ext spread = sumSquares - sum * sum / static_cast<ext>(count);
        if (count < 2 || !(spread > 1e-18L))
            return std::nullopt;
        return 1 - residuals / spread;
    };
    for (std::size_t i = 0; i < 3; ++i) {
        RangeFit& range = fit.ranges[i];
        range.points = count[i];
        range.support = std::exp(law.at(rangeReference[i]));
        range.exponent = 1 + law.slope[i];
        range.r2 = r2(sumY[i], sumYY[i], sumRR[i], count[i]);
        if (!std::isfinite(range.support) || !std::isfinite(range.exponent))
            throw FloatingPointError(FloatingPointError::Kind::Overflow);
    }
    fit.r2 = r2(allY, allYY, allRR, points.size()).value_or(1);
    return fit;
}

MaterialFit fitMaterial(const MeasurementTable& table, const MaterialTexts& base)
{
    MaterialFit fit;
    for (const auto& m : table.rows) {
        fit.cuttingPoints.push_back({m.h, m.fc / correctionOf(m, base, false) / (m.h * m.b)});
        if (m.ff)
            fit.feedPoints.push_back({m.h, *m.ff / correctionOf(m, base, true) / (m.h * m.b)});
    }
    fit.cutting = fitForceLaw(fit.cuttingPoints);
    if (table.hasFeedForce)
        fit.feed = fitForceLaw(fit.feedPoints);

    using namespace inputs;
    fit.texts = base;
    struct Lines {
        const LawFit* law;
        std::array<std::string_view, 3> support, exponent;
        const char* name;
    };
    const Lines laws[2] = {
        {&fit.cutting, {kc11, kc101, kc1001}, {expC11, expC101, expC1001}, "Schnittkraft"},
        {fit.feed ? &*fit.feed : nullptr, {kf11, kf101, kf1001}, {expF11, expF101, expF1001}, "Vorschubkraft"}};
    for (const Lines& lines : laws) {
        if (!lines.law)
            continue;
        for (std::size_t i = 0; i < 3; ++i) {
            const auto put = [&](std::string_view control, const std::string& text) {
                const FieldSpec* field = findField(control);
                if (!fieldTakesText(*field, text))
                    throw RunRefused(std::string(lines.name) + ", " + rangeCaption(i) + ": angepasster Wert " + text +
                                     ". " + field->message);
                for (std::size_t k = 0; k < materialLineCount; ++k)
                    if (materialControls()[k] == control)
                        fit.texts[k] = text;
            };
            put(lines.support[i], supportValueText(lines.law->ranges[i].support));
            put(lines.exponent[i], exponentText(lines.law->ranges[i].exponent, 3));
        }
    }
    return fit;
}

std::vector<std::string> fitReport(const MaterialFit& fit)
{
    std::vector<std::string> lines;
    const auto law = [&](const LawFit& f, const char* name, const char* k, const char* e) {
        lines.push_back(std::string(name) + " (" + std::to_string(f.points) + " Messpunkte, R² " + r2Text(f.r2) + ")");
        for (std::size_t i = 0; i < 3; ++i) {
            const RangeFit& r = f.ranges[i];
            std::string line = std::string("  ") + rangeCaption(i) + ": " + std::to_string(r.points) + " Punkte, " + k +
                               " " + supportValueText(r.support) + " N/mm², " + e + " " + exponentText(r.exponent, 3) +
                               ", R² " + (r.r2 ? r2Text(*r.r2) : "–") + ", größte Abweichung " +
                               (r.largestDeviation ? percent(*r.largestDeviation) : "–");
            if (r.points < 3)
                line += " (Steigung des Nachbarbereichs)";
            lines.push_back(line);
        }
    };
    law(fit.cutting, "Schnittkraft", "k_ref", "1-z");
    if (fit.feed)
        law(*fit.feed, "Vorschubkraft", "k_ref", "1-x");
    else
        lines.push_back("Vorschubkraft: nicht gemessen, die Werte der Vorlage bleiben");
    return lines;
}

std::vector<std::string> fitOrigin(const MaterialFit& fit, const std::string& sourceName)
{
    std::vector<std::string> lines{"Quelle: Messungen " + sourceName};
    const auto law = [&](const LawFit& f, const char* name) {
        ext largest = 0;
        for (const auto& r : f.ranges)
            largest = std::max(largest, r.largestDeviation.value_or(0));
        lines.push_back(std::string(name) + " angepasst an " + std::to_string(f.points) + " Messpunkte, R² " +
                        r2Text(f.r2) + ", größte Abweichung " + percent(largest));
    };
    law(fit.cutting, "Schnittkraft");
    if (fit.feed)
        law(*fit.feed, "Vorschubkraft");
    else
        lines.push_back("Vorschubkraft nicht gemessen: Werte der Vorlage");
    return lines;
}

}  // namespace orbiton
