// Random field texts, criteria group, subject and ticks through
// ValidateSearchRequest and BindFilterParameters. The expected outcome is
// worked out beside them from the texts' digits alone (no floating point),
// so a reader that misjudges a long, signed or zero-padded number shows up.
//
// Input: byte 0 the criteria group, byte 1 the subject, byte 2 the three
// condition flags and five external ticks, bytes 3-4 the ten internal ticks;
// the rest is UTF-8, split at line breaks into the address and the six
// numeric fields (slope, volume, thickness, cost, temperature, wear).

#include "search/filter_parameters.h"
#include "search/number_text.h"
#include "search/search_messages.h"
#include "search/search_request.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void Fail(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "invariant broken: %s [%s]\n", what, detail.toUtf8().constData());
    std::abort();
}

void Check(bool ok, const char* what, const QString& detail = {}) {
    if (!ok)
        Fail(what, detail);
}

// A number as its digits: the sign, the integer digits without leading
// zeros and the fraction digits without trailing zeros. Zero has no digits
// and no sign.
struct DigitsNumber {
    bool Negative = false;
    QString Whole;
    QString Fraction;
};

// Whole-number format: an optional leading minus and at least one digit.
std::optional<DigitsNumber> WholeDigits(const QString& text) {
    const bool negative = text.startsWith(u'-');
    const QString body = text.mid(negative ? 1 : 0);
    if (body.isEmpty())
        return std::nullopt;
    for (const QChar c : body) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    DigitsNumber n;
    qsizetype first = 0;
    while (first < body.size() && body[first] == u'0')
        ++first;
    n.Whole = body.mid(first);
    n.Negative = negative && !n.Whole.isEmpty();
    return n;
}

// Slope format: an optional leading minus, then digits with at most one
// comma; at least one character after the sign.
std::optional<DigitsNumber> SlopeDigits(const QString& text) {
    const bool negative = text.startsWith(u'-');
    const QString body = text.mid(negative ? 1 : 0);
    if (body.isEmpty() || body.count(u',') > 1)
        return std::nullopt;
    for (const QChar c : body) {
        if (c != u',' && (c < u'0' || c > u'9'))
            return std::nullopt;
    }
    const qsizetype comma = body.indexOf(u',');
    QString whole = comma < 0 ? body : body.left(comma);
    QString fraction = comma < 0 ? QString() : body.mid(comma + 1);
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    DigitsNumber n;
    n.Whole = whole;
    n.Fraction = fraction;
    n.Negative = negative && !(whole.isEmpty() && fraction.isEmpty());
    return n;
}

// -1, 0 or 1 as the number is below, at or above the whole bound.
int Compare(const DigitsNumber& n, long long bound) {
    const bool boundNegative = bound < 0;
    const bool zero = n.Whole.isEmpty() && n.Fraction.isEmpty();
    const int sign = zero ? 0 : (n.Negative ? -1 : 1);
    const int boundSign = bound == 0 ? 0 : (boundNegative ? -1 : 1);
    if (sign != boundSign)
        return sign < boundSign ? -1 : 1;
    if (sign == 0)
        return 0;
    const QString boundDigits = QString::number(boundNegative ? -bound : bound);
    int magnitude = 0;
    if (n.Whole.size() != boundDigits.size())
        magnitude = n.Whole.size() < boundDigits.size() ? -1 : 1;
    else if (n.Whole != boundDigits)
        magnitude = n.Whole < boundDigits ? -1 : 1;
    else
        magnitude = n.Fraction.isEmpty() ? 0 : 1;
    return sign * magnitude;
}

struct Bound {
    bool Above = false; // the step clamps values above the bound
    long long Value = 0;
    const char* Literal = "";
};

struct Field {
    QString SearchInputs::*Text;
    bool Slope;
    std::array<std::optional<Bound>, 2> Steps;
};

const std::array<Field, 6>& Fields() {
    static const std::array<Field, 6> fields = {{
        {&SearchInputs::SlopeText, true, {Bound{false, -2, "-2"}, Bound{true, 100, "100"}}},
        {&SearchInputs::RepairVolumeText,
         false,
         {Bound{true, 40000, "40000"}, Bound{false, 0, "0"}}},
        {&SearchInputs::RoofThicknessText, false, {Bound{false, 1, "1"}, Bound{true, 100, "100"}}},
        {&SearchInputs::MaxCostText, false, {Bound{false, 0, "0"}, std::nullopt}},
        {&SearchInputs::AirTemperatureText,
         false,
         {Bound{false, -25, "-25"}, Bound{true, 45, "45"}}},
        {&SearchInputs::WearText, false, {Bound{false, 0, "0"}, Bound{true, 100, "100"}}},
    }};
    return fields;
}

SearchInputs DecodeInputs(const uint8_t* data, size_t size) {
    SearchInputs in;
    const auto byteAt = [&](size_t i) -> unsigned { return i < size ? data[i] : 0u; };
    in.CriteriaGroup = static_cast<int>(byteAt(0) % 4) - 1;
    in.Subject = static_cast<int>(byteAt(1) % 4) - 1;
    in.OpenFireAllowed = byteAt(2) & 1u;
    in.WeightingAllowed = byteAt(2) & 2u;
    in.PowerSupplyAccess = byteAt(2) & 4u;
    for (int j = 0; j < 5; ++j)
        in.ExternalTicks[j] = byteAt(2) & (8u << j);
    const unsigned internal = byteAt(3) | (byteAt(4) << 8);
    for (int i = 0; i < 10; ++i)
        in.InternalTicks[i] = internal & (1u << i);
    const size_t textStart = size < 5 ? size : 5;
    const QStringList texts = QString::fromUtf8(reinterpret_cast<const char*>(data) + textStart,
                                                static_cast<qsizetype>(size - textStart))
                                  .split(u'\n');
    QString* targets[] = {&in.Address,           &in.SlopeText,   &in.RepairVolumeText,
                          &in.RoofThicknessText, &in.MaxCostText, &in.AirTemperatureText,
                          &in.WearText};
    for (int i = 0; i < 7 && i < texts.size(); ++i)
        *targets[i] = texts[i];
    return in;
}

QString Texts(const SearchInputs& in) {
    return QStringList{in.SlopeText,   in.RepairVolumeText,   in.RoofThicknessText,
                       in.MaxCostText, in.AirTemperatureText, in.WearText}
        .join(u'|');
}

// Works out the clamped texts field by field, as the search does; returns
// false when a field is no number (the fields after it stay untouched).
bool ExpectClamping(SearchInputs& expected, const SearchInputs& actual) {
    for (const Field& field : Fields()) {
        QString& text = expected.*field.Text;
        for (const auto& step : field.Steps) {
            if (!step)
                continue;
            const auto number = field.Slope ? SlopeDigits(text) : WholeDigits(text);
            if (!number)
                return false;
            const int side = Compare(*number, step->Value);
            if (!(step->Above ? side > 0 : side < 0))
                continue;
            // A slope a hair beyond a bound may read as the bound itself in
            // double; then either text is sound, and the value stays inside.
            if (field.Slope && ReadSlopeText(text) == static_cast<double>(step->Value) &&
                actual.*field.Text == text)
                continue;
            text = QString::fromLatin1(step->Literal);
        }
    }
    return true;
}

long long WholeValue(const QString& text) {
    const auto n = WholeDigits(text);
    Check(n && n->Whole.size() <= 6, "clamped whole text reads", text);
    const long long magnitude = n->Whole.isEmpty() ? 0 : n->Whole.toLongLong();
    return n->Negative ? -magnitude : magnitude;
}

void CheckRequest(const TSearchRequest& r, const SearchInputs& in) {
    Check(r.Address == in.Address && r.CriteriaGroup == in.CriteriaGroup &&
              r.Subject == in.Subject && r.InternalCriteria == in.InternalTicks &&
              r.ExternalFactors == in.ExternalTicks,
          "request carries the choices");
    Check(r.Slope >= -2.0 && r.Slope <= 100.0 && r.Slope == ReadSlopeText(in.SlopeText),
          "slope inside its bounds", in.SlopeText);
    Check(r.RepairVolume >= 0 && r.RepairVolume <= 40000 &&
              r.RepairVolume == WholeValue(in.RepairVolumeText),
          "volume inside its bounds", in.RepairVolumeText);
    Check(r.RoofThickness >= 1 && r.RoofThickness <= 100 &&
              r.RoofThickness == WholeValue(in.RoofThicknessText),
          "thickness inside its bounds", in.RoofThicknessText);
    Check(r.MaxCost >= 0.0L && r.MaxCost == ReadWholeText(in.MaxCostText), "cost not negative",
          in.MaxCostText);
    Check(r.AirTemperature >= -25 && r.AirTemperature <= 45 &&
              r.AirTemperature == WholeValue(in.AirTemperatureText),
          "temperature inside its bounds", in.AirTemperatureText);
    Check(r.Wear >= 0 && r.Wear <= 100 && r.Wear == WholeValue(in.WearText),
          "wear inside its bounds", in.WearText);

    const TFilterParameters p = BindFilterParameters(r);
    Check(p.k == r.Slope && p.s == r.Slope, "k and s carry the slope");
    Check(p.l == r.RepairVolume && p.m == r.RoofThickness && p.n == r.MaxCost &&
              p.o == r.AirTemperature,
          "l, m, n, o carry their fields");
    Check(p.p == r.Wear && p.t == r.Wear, "p and t carry the wear");
    Check(p.r1 == (r.OpenFireAllowed ? 0 : 1) && p.r2 == (r.WeightingAllowed ? 0 : 1) &&
              p.r3 == (r.PowerSupplyAccess ? 0 : 1),
          "condition flags");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SearchInputs inputs = DecodeInputs(data, size);
    const SearchInputs original = inputs;
    const auto outcome = ValidateSearchRequest(inputs);

    Check(inputs.Address == original.Address, "the address is never rewritten");
    if (original.CriteriaGroup == NoGroup ||
        (original.CriteriaGroup == SpecialGroup && original.Subject == NoSubject)) {
        const char* message =
            original.CriteriaGroup == NoGroup ? NoCriteriaGroupMessage : NoSubjectMessage;
        const auto* shown = std::get_if<TRequestMessage>(&outcome);
        Check(shown && shown->Text == QString::fromUtf8(message), "group or subject message");
        Check(Texts(inputs) == Texts(original), "no field rewritten before clamping");
        return 0;
    }

    SearchInputs expected = original;
    const bool numbers = ExpectClamping(expected, inputs);
    Check(Texts(inputs) == Texts(expected), "texts rewritten exactly where clamped",
          Texts(original) + " -> " + Texts(inputs) + " expected " + Texts(expected));
    if (!numbers) {
        const auto* shown = std::get_if<TRequestMessage>(&outcome);
        Check(shown && shown->Text == QString::fromUtf8(WorkConditionsMessage),
              "conversion message", Texts(original));
        return 0;
    }
    const auto* request = std::get_if<TSearchRequest>(&outcome);
    Check(request != nullptr, "numbers in every field give a request", Texts(original));
    CheckRequest(*request, inputs);
    return 0;
}
