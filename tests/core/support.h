#pragma once
// Helpers of the calculation tests: control texts with the window's
// defaults, float comparison in units in the last place and a small JSON
// reader for the reference vectors. Runs go through the core's Calculation.
#include <map>
#include <memory>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "model/fields.h"
#include "model/parameterset.h"
#include "simulation/runsequence.h"

namespace orbiton::test {

// Control texts, radio selections and check states as the window holds
// them after start, with individual controls changed.
class FakeControls : public ControlSource {
public:
    FakeControls();
    // Inputs by their names of model/fields.h.
    FakeControls& set(std::string_view input, const std::string& text);
    FakeControls& select(std::string_view radioGroup, int index);
    FakeControls& check(std::string_view checkBox, bool checked);

    std::string text(std::string_view control) const override;
    int selectedIndex(std::string_view control) const override;
    bool isChecked(std::string_view control) const override;

    // Names of the inputs whose text was read, in reading order.
    mutable std::vector<std::string_view> reads;

private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, int, std::less<>> selections_;
    std::map<std::string, bool, std::less<>> checks_;
};

// A random input that passes the geometry check and the field rules: both
// insert shapes, pre-bores up to 0,95 of the bore, axial offsets up to
// 3 mm (often more than the axial depth), both directions, corrections on
// and off. Tooth and step counts are drawn so that the plain evaluation of
// a run stays short, with a share of runs large enough for the step loop to
// use all cores. Most rhombic inputs keep the axial feed below the edge
// height; the others are refused.
FakeControls randomInput(std::mt19937& random);

// Distance of two floats in units in the last place.
long long ulpDistance(float a, float b);

// Minimal JSON value for the reference vectors.
struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<Json>, std::map<std::string, Json>> value;

    const Json& operator[](const std::string& key) const;
    const Json& operator[](std::size_t index) const;
    std::size_t size() const;
    double number() const;
    const std::string& string() const;
    const std::map<std::string, Json>& object() const;
    bool isString() const { return std::holds_alternative<std::string>(value); }
};

Json parseJson(const std::string& text);
Json readJsonFile(const std::string& path);

}  // namespace orbiton::test
