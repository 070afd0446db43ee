#pragma once
#include <array>
#include <string>
#include <vector>

// The essential dignities of the seven planets (1 Sun .. 7 Saturn) by sign (1 Aries .. 12 Pisces)
// and the mutual receptions by domicile that the installation's "Scambi" lists hold.
namespace florimant {

inline constexpr int PlanetCount = 7;

// Planet codes of the archetypal structure.
enum DignityCode { NoDignity = 0, Domicile = 1, Exaltation = 2, Exile = 3, Fall = 4, Reception = 5 };

DignityCode DignityOf(int planet, int sign);        // 0..4
const char* DignityLetters(DignityCode code);       // "Ad", "Ae", "De", "Dc", "" otherwise
const char* DignityLabel(DignityCode code);         // "Domicil" .. "Scambio", "" for none
const std::vector<int>& DomicileSigns(int planet);  // Sun {5}, Moon {4}, Mercury {3, 6}...
bool RulesSign(int planet, int sign);
int SignRuler(int sign);  // the domicile ruler, 1..7

// A reception key: each member's planet and sign number as two digits, members in planet order
// ("01040205": Sun in Cancer, Moon in Leo).
std::string ReceptionKey(const std::vector<std::pair<int, int>>& planetsAndSigns);

// Every mutual reception by domicile of `size` (2..5) of the seven planets: members that stand
// each in a sign ruled by the next, round the cycle. Keys sorted.
std::vector<std::string> MutualReceptionKeys(int size);

}  // namespace florimant
