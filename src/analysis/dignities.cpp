#include "analysis/dignities.hpp"

#include <algorithm>
#include <functional>
#include <numeric>
#include <stdexcept>

#include "engine/texts.hpp"

namespace florimant {
namespace {

struct PlanetDignities {
    std::vector<int> Domicile;
    int Exaltation;
    std::vector<int> Exile;
    int Fall;
};

const std::array<PlanetDignities, PlanetCount>& Table() {
    static const std::array<PlanetDignities, PlanetCount> table{{
        {{5}, 1, {11}, 7},         // Sun: Leo; Aries; Aquarius; Libra
        {{4}, 2, {10}, 8},         // Moon: Cancer; Taurus; Capricorn; Scorpio
        {{3, 6}, 11, {9, 12}, 5},  // Mercury: Gemini, Virgo; Aquarius; Sagittarius, Pisces; Leo
        {{2, 7}, 12, {1, 8}, 6},   // Venus: Taurus, Libra; Pisces; Aries, Scorpio; Virgo
        {{1, 8}, 10, {2, 7}, 4},   // Mars: Aries, Scorpio; Capricorn; Taurus, Libra; Cancer
        {{9, 12}, 4, {3, 6}, 10},  // Jupiter: Sagittarius, Pisces; Cancer; Gemini, Virgo; Capricorn
        {{10, 11}, 7, {4, 5}, 1},  // Saturn: Capricorn, Aquarius; Libra; Cancer, Leo; Aries
    }};
    return table;
}

const PlanetDignities& Of(int planet) {
    if (planet < 1 || planet > PlanetCount) throw std::out_of_range("pianeta fuori intervallo");
    return Table()[static_cast<size_t>(planet - 1)];
}

bool Contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

}  // namespace

DignityCode DignityOf(int planet, int sign) {
    const PlanetDignities& d = Of(planet);
    if (Contains(d.Domicile, sign)) return Domicile;
    if (d.Exaltation == sign) return Exaltation;
    if (Contains(d.Exile, sign)) return Exile;
    if (d.Fall == sign) return Fall;
    return NoDignity;
}

const char* DignityLetters(DignityCode code) {
    switch (code) {
    case Domicile: return "Ad";
    case Exaltation: return "Ae";
    case Exile: return "De";
    case Fall: return "Dc";
    default: return "";
    }
}

const char* DignityLabel(DignityCode code) {
    switch (code) {
    case Domicile: return "Domicil";
    case Exaltation: return "Esaltaz";
    case Exile: return "Esilio";
    case Fall: return "Caduta";
    case Reception: return "Scambio";
    default: return "";
    }
}

const std::vector<int>& DomicileSigns(int planet) { return Of(planet).Domicile; }

bool RulesSign(int planet, int sign) { return Contains(Of(planet).Domicile, sign); }

int SignRuler(int sign) {
    for (int p = 1; p <= PlanetCount; ++p)
        if (RulesSign(p, sign)) return p;
    throw std::out_of_range("segno fuori intervallo");
}

std::string ReceptionKey(const std::vector<std::pair<int, int>>& planetsAndSigns) {
    auto members = planetsAndSigns;
    std::sort(members.begin(), members.end());
    std::string key;
    for (const auto& [planet, sign] : members) key += ZeroPad(planet, 2) + ZeroPad(sign, 2);
    return key;
}

std::vector<std::string> MutualReceptionKeys(int size) {
    std::vector<std::string> keys;
    if (size < 2 || size > PlanetCount) return keys;
    // Each member stands in a domicile of the next one round the cycle. Fixing the smallest planet
    // first, every cyclic order of the others gives one ring; every choice of domicile sign for
    // each member gives one key.
    std::vector<int> members(static_cast<size_t>(size));
    std::function<void(int, int)> chooseSubset = [&](int from, int count) {
        if (count == size) {
            std::vector<int> ring(members.begin() + 1, members.end());
            do {
                std::vector<int> cycle{members[0]};
                cycle.insert(cycle.end(), ring.begin(), ring.end());
                std::vector<std::pair<int, int>> placed;
                std::function<void(size_t)> chooseSigns = [&](size_t at) {
                    if (at == cycle.size()) {
                        keys.push_back(ReceptionKey(placed));
                        return;
                    }
                    const int next = cycle[(at + 1) % cycle.size()];
                    for (int sign : DomicileSigns(next)) {
                        placed.emplace_back(cycle[at], sign);
                        chooseSigns(at + 1);
                        placed.pop_back();
                    }
                };
                chooseSigns(0);
            } while (std::next_permutation(ring.begin(), ring.end()));
            return;
        }
        for (int p = from; p <= PlanetCount; ++p) {
            members[static_cast<size_t>(count)] = p;
            chooseSubset(p + 1, count + 1);
        }
    };
    chooseSubset(1, 0);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

}  // namespace florimant
