#include "catalogue_consistency.h"

#include <QString>

#include <algorithm>
#include <map>
#include <optional>

namespace {

// Criterion positions of the two risk scores the rules read.
constexpr std::size_t RainRisk = 0;
constexpr std::size_t PowerRisk = 1;
constexpr std::size_t HiddenDefectRisk = 2;

// A tear-off leaves the building open to rain; from this score up the risk
// is counted as high.
constexpr int HighRainRisk = 8;
// A row that needs power runs the risk of an outage (at least this score);
// one that does without power hardly does (at most the lower one).
constexpr int PowerNeededRisk = 5;
constexpr int NoPowerRisk = 3;

bool Mentions(const TTechnologyVariant& v, std::initializer_list<const char*> words) {
    const QString process = QString::fromStdString(v.ProcessComposition);
    return std::any_of(words.begin(), words.end(), [&](const char* word) {
        return process.contains(QString::fromUtf8(word), Qt::CaseInsensitive);
    });
}

bool UsesOpenFire(const TTechnologyVariant& v) {
    return Mentions(v, {"наплавл", "горелк", "разогрев", "горячей мастик", "горячей битумн"});
}

bool WeldsWithHotAir(const TTechnologyVariant& v) {
    return Mentions(v, {"горячим воздухом"});
}

bool TearsOff(const TTechnologyVariant& v) {
    return Mentions(v, {"до основания", "снятие изношенного кровельного ковра"});
}

bool KeepsOldCarpet(const TTechnologyVariant& v) {
    return !TearsOff(v) && !Mentions(v, {"снятие верхних", "снятие вздут", "вырезка"});
}

// A score as a whole number, or nothing when the cell holds no whole number.
std::optional<int> Score(const std::string& text) {
    bool ok = false;
    const int value = QString::fromStdString(text).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The hidden-defect score most rows that keep the old carpet carry (the
// smaller one on a tie): the rest of them should carry it too, since the
// same carpet stays under each.
std::optional<int> SharedHiddenDefectScore(const std::vector<TTechnologyVariant>& variants) {
    std::map<int, int> counts;
    for (const TTechnologyVariant& v : variants) {
        if (!KeepsOldCarpet(v))
            continue;
        if (const auto score = Score(v.ExternalValues[HiddenDefectRisk]))
            ++counts[*score];
    }
    std::optional<int> shared;
    int most = 0;
    for (const auto& [score, count] : counts) {
        if (count > most) {
            most = count;
            shared = score;
        }
    }
    return shared;
}

struct TRule {
    const char* Column;
    // Whether the row falls under the rule, and if so whether it keeps it.
    bool (*Applies)(const TTechnologyVariant&);
    bool (*Holds)(const TTechnologyVariant&, std::optional<int> sharedHiddenDefect);
    const char* Text;
};

const TRule Rules[] = {
    {"Огнеопасность", UsesOpenFire,
     [](const TTechnologyVariant& v, std::optional<int>) { return v.NoOpenFire == 0; },
     "Процесс ведется открытым огнем (наплавление или горячая мастика), а вариант допущен там, "
     "где открытый огонь запрещен."},
    {"Электроснабжение", WeldsWithHotAir,
     [](const TTechnologyVariant& v, std::optional<int>) { return v.NoPowerSupply == 0; },
     "Швы свариваются горячим воздухом, а вариант допущен без электроснабжения."},
    {"Потребность в электроснабжении",
     [](const TTechnologyVariant& v) { return Score(v.ExternalValues[PowerRisk]).has_value(); },
     [](const TTechnologyVariant& v, std::optional<int>) {
         const int risk = *Score(v.ExternalValues[PowerRisk]);
         return v.NoPowerSupply == 0 ? risk >= PowerNeededRisk : risk <= NoPowerRisk;
     },
     "Риск перебоев в электроснабжении не согласуется с флагом \"Электроснабжение\": "
     "варианту, которому нужно электроснабжение, положено не менее 5 баллов, "
     "обходящемуся без него - не более 3."},
    {"Дождливая погода", TearsOff,
     [](const TTechnologyVariant& v, std::optional<int>) {
         const auto risk = Score(v.ExternalValues[RainRisk]);
         return risk && *risk >= HighRainRisk;
     },
     "Кровля снимается до основания, а риск дождливой погоды ниже 8 баллов."},
    {"Опасность наличия скрытых дефектов", KeepsOldCarpet,
     [](const TTechnologyVariant& v, std::optional<int> shared) {
         return !shared || Score(v.ExternalValues[HiddenDefectRisk]) == shared;
     },
     "Старый ковер остается, а риск скрытых дефектов отличается от общего для вариантов, "
     "сохраняющих старый ковер."},
};

} // namespace

std::vector<TCatalogueFinding>
CheckCatalogueConsistency(const std::vector<TTechnologyVariant>& variants) {
    const std::optional<int> shared = SharedHiddenDefectScore(variants);
    std::vector<TCatalogueFinding> findings;
    for (std::size_t r = 0; r < variants.size(); ++r) {
        const TTechnologyVariant& v = variants[r];
        for (const TRule& rule : Rules) {
            if (rule.Applies(v) && !rule.Holds(v, shared))
                findings.push_back({int(r) + 1, v.Name, rule.Column, rule.Text});
        }
    }
    return findings;
}

TFilterParameters WholeCatalogueParameters() {
    // Every bound compares a 16-bit or small decimal column, so these are
    // beyond any value a row can hold; the flags admit 0 and 1 alike.
    constexpr int far = 1000000;
    TFilterParameters p;
    p.k = -far;
    p.s = far;
    p.l = far;
    p.m = far;
    p.n = far;
    p.o = far;
    p.p = -far;
    p.t = far;
    p.r1 = 0;
    p.r2 = 0;
    p.r3 = 0;
    return p;
}
