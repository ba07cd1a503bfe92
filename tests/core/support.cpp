#include "support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "model/fields.h"

namespace orbiton::test {

FakeControls::FakeControls()
{
    for (const FieldSpec& f : numericFields())
        texts_[std::string(f.control)] = f.defaultText;
    selections_[std::string(inputs::insertShape)] = 0;
    selections_[std::string(inputs::millingDirection)] = 0;
    for (const std::string_view box : inputs::correctionSwitches)
        checks_[std::string(box)] = true;
}

FakeControls& FakeControls::set(std::string_view control, const std::string& text)
{
    texts_[std::string(control)] = text;
    return *this;
}

FakeControls& FakeControls::select(std::string_view radioGroup, int index)
{
    selections_[std::string(radioGroup)] = index;
    return *this;
}

FakeControls& FakeControls::check(std::string_view checkBox, bool checked)
{
    checks_[std::string(checkBox)] = checked;
    return *this;
}

std::string FakeControls::text(std::string_view control) const
{
    const auto it = texts_.find(control);
    if (it == texts_.end())
        throw std::logic_error("no control " + std::string(control));
    reads.emplace_back(it->first);
    return it->second;
}

int FakeControls::selectedIndex(std::string_view control) const
{
    const auto it = selections_.find(control);
    return it == selections_.end() ? -1 : it->second;
}

bool FakeControls::isChecked(std::string_view control) const
{
    const auto it = checks_.find(control);
    return it != checks_.end() && it->second;
}

namespace {

std::string text(double value)
{
    std::string t = std::to_string(value);
    for (char& c : t)
        if (c == '.')
            c = ',';
    return t;
}

}  // namespace

FakeControls randomInput(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto between = [&](double lo, double hi) { return lo + (hi - lo) * unit(random); };
    const double D = between(40, 120);
    const double d = D * between(0.51, 0.99);
    const double reach = d - D / 2;
    const double b = reach + (d / 2 - reach) * between(0.02, 0.98);
    const bool rhombic = unit(random) < 0.6;
    const bool large = unit(random) < 0.3;
    const int teeth = large ? static_cast<int>(between(5, rhombic ? 12 : 40))
                            : 1 + static_cast<int>(std::pow(rhombic ? 8.0 : 99.0, unit(random))) - 1;
    const int steps = large ? static_cast<int>(between(400, 721)) : static_cast<int>(between(36, 400));
    const double kappa = between(1, 89);
    double feed = between(0.1, 3);
    if (rhombic && unit(random) < 0.8)
        feed = std::min(feed, b * std::tan(kappa * M_PI / 180) * between(0.05, 0.95));
    FakeControls c;
    c.set(inputs::boreDiameter, text(D))
        .set(inputs::cutterDiameter, text(d))
        .set(inputs::insertWidth, text(b))
        .set(inputs::toothCount, std::to_string(teeth))
        .set(inputs::observedTooth, std::to_string(1 + static_cast<int>(unit(random) * teeth)))
        .set(inputs::stepCount, std::to_string(steps))
        .set(inputs::preboreDiameter, unit(random) < 0.5 ? "0" : text(between(0, D * 0.95)))
        .set(inputs::axialOffset, unit(random) < 0.7 ? "0" : text(between(0, 3)))
        .set(inputs::rakeAngleOuter, text(between(-20, 20)))
        .set(inputs::rakeAngleInner, text(between(-20, 20)))
        .set(inputs::settingAngle, text(kappa))
        .set(inputs::cuttingSpeed, text(between(20, 400)))
        .set(inputs::axialFeedPerRev, text(std::max(feed, 0.001)))
        .set(inputs::radialFeedPerTooth, text(between(0.01, 0.5)))
        .select(inputs::insertShape, rhombic ? 1 : 0)
        .select(inputs::millingDirection, unit(random) < 0.5 ? 0 : 1);
    for (const std::string_view box : inputs::correctionSwitches)
        c.check(box, unit(random) < 0.7);
    return c;
}

long long ulpDistance(float a, float b)
{
    const auto ordered = [](float f) {
        std::int32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        return bits < 0 ? static_cast<long long>(INT32_MIN) - bits : static_cast<long long>(bits);
    };
    return std::llabs(ordered(a) - ordered(b));
}

// --- JSON -------------------------------------------------------------------

const Json& Json::operator[](const std::string& key) const { return object().at(key); }

const Json& Json::operator[](std::size_t index) const { return std::get<std::vector<Json>>(value).at(index); }

std::size_t Json::size() const
{
    if (const auto* a = std::get_if<std::vector<Json>>(&value))
        return a->size();
    return object().size();
}

double Json::number() const { return std::get<double>(value); }
const std::string& Json::string() const { return std::get<std::string>(value); }
const std::map<std::string, Json>& Json::object() const { return std::get<std::map<std::string, Json>>(value); }

namespace {

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : text_(text) {}

    Json parse()
    {
        Json v = value();
        skipBlank();
        if (pos_ != text_.size())
            fail();
        return v;
    }

private:
    [[noreturn]] void fail() { throw std::runtime_error("bad JSON at " + std::to_string(pos_)); }

    void skipBlank()
    {
        while (pos_ < text_.size() && std::strchr(" \t\r\n", text_[pos_]))
            ++pos_;
    }

    bool take(char c)
    {
        skipBlank();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    Json value()
    {
        skipBlank();
        if (pos_ >= text_.size())
            fail();
        const char c = text_[pos_];
        if (c == '{') {
            ++pos_;
            std::map<std::string, Json> object;
            if (!take('}')) {
                do {
                    skipBlank();
                    std::string key = string();
                    if (!take(':'))
                        fail();
                    object[key] = value();
                } while (take(','));
                if (!take('}'))
                    fail();
            }
            return Json{std::move(object)};
        }
        if (c == '[') {
            ++pos_;
            std::vector<Json> array;
            if (!take(']')) {
                do
                    array.push_back(value());
                while (take(','));
                if (!take(']'))
                    fail();
            }
            return Json{std::move(array)};
        }
        if (c == '"')
            return Json{string()};
        if (text_.compare(pos_, 4, "true") == 0) {
            pos_ += 4;
            return Json{true};
        }
        if (text_.compare(pos_, 5, "false") == 0) {
            pos_ += 5;
            return Json{false};
        }
        if (text_.compare(pos_, 4, "null") == 0) {
            pos_ += 4;
            return Json{nullptr};
        }
        char* end = nullptr;
        const double number = std::strtod(text_.c_str() + pos_, &end);
        if (end == text_.c_str() + pos_)
            fail();
        pos_ = static_cast<std::size_t>(end - text_.c_str());
        return Json{number};
    }

    std::string string()
    {
        if (pos_ >= text_.size() || text_[pos_] != '"')
            fail();
        ++pos_;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c == '\\') {
                if (pos_ >= text_.size())
                    fail();
                c = text_[pos_++];
                if (c == 'u') {
                    // Code points below 0x800 are enough for the vectors' texts.
                    const unsigned cp = static_cast<unsigned>(std::stoul(text_.substr(pos_, 4), nullptr, 16));
                    pos_ += 4;
                    if (cp < 0x80) {
                        out += static_cast<char>(cp);
                    } else {
                        out += static_cast<char>(0xC0 | (cp >> 6));
                        out += static_cast<char>(0x80 | (cp & 0x3F));
                    }
                    continue;
                }
                if (c == 'n')
                    c = '\n';
                else if (c == 't')
                    c = '\t';
            }
            out += c;
        }
        if (pos_ >= text_.size())
            fail();
        ++pos_;
        return out;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

Json parseJson(const std::string& text) { return JsonParser(text).parse(); }

Json readJsonFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return parseJson(buffer.str());
}

}  // namespace orbiton::test
