#pragma once
#include <string>

// The eleven analysis points (Body 1..11 of ChartData: Sun..Saturn, north and south node,
// Ascendant, Midheaven) and the names and codes under which the readings write them, with the
// codes of the signs and houses used by the chart keys and the attribution texts.
namespace florimant {

inline constexpr int AnalysisPointCount = 11;

// Point p = 1..11 (throws std::out_of_range otherwise).
const std::string& PointListName(int point);    // "il Sole" .. "il Mediocielo"
const std::string& PointCode4(int point);       // "Sole" .. "Mcie"
const std::string& PointCode3(int point);       // "Sol" .. "Mci"
const std::string& PointCode2(int point);       // "So" .. "Mc"
const std::string& PointCode2Upper(int point);  // "SO" .. "MC"
const std::string& PointUpperName(int point);   // "SOLE" .. "MEDIOCIELO"
const std::string& PointListStem(int point);    // "SolePri" .. "NodSPri"; empty for 10 and 11

// Sign s = 1..12.
const std::string& SignKeyCode2(int sign);     // "Ar" .. "Ac" .. "Pe" (sign keys)
const std::string& SignFilterCode2(int sign);  // "Ar" .. "Aq" .. "Pe" (sign texts filter)
const std::string& SignListStem(int sign);     // "Ariete" .. "Pesci"

// House h = 1..12: "Prim" .. "Dodi".
const std::string& HouseCode(int house);

}  // namespace florimant
