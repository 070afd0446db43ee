#include "analysis/analysis_points.hpp"

#include <array>
#include <stdexcept>

namespace florimant {
namespace {

struct PointCodes {
    std::string ListName, Code4, Code3, Code2, Code2Upper, UpperName, ListStem;
};

const std::array<PointCodes, AnalysisPointCount>& Points() {
    static const std::array<PointCodes, AnalysisPointCount> points{{
        {"il Sole", "Sole", "Sol", "So", "SO", "SOLE", "SolePri"},
        {"la Luna", "Luna", "Lun", "Lu", "LU", "LUNA", "LunaPri"},
        {"Mercurio", "Merc", "Mer", "Me", "ME", "MERCURIO", "MercPri"},
        {"Venere", "Vene", "Ven", "Ve", "VE", "VENERE", "VenePri"},
        {"Marte", "Mart", "Mar", "Ma", "MA", "MARTE", "MartPri"},
        {"Giove", "Giov", "Gio", "Gi", "GI", "GIOVE", "GiovPri"},
        {"Saturno", "Satu", "Sat", "Sa", "SA", "SATURNO", "SatuPri"},
        {"il Nodo Nord", "NNor", "Non", "Nn", "NN", "NODO NORD", "NodNPri"},
        {"il Nodo Sud", "NSud", "Nos", "Ns", "NS", "NODO SUD", "NodSPri"},
        {"l'Ascendente", "Asce", "Asc", "As", "AS", "ASCENDENTE", ""},
        {"il Mediocielo", "Mcie", "Mci", "Mc", "MC", "MEDIOCIELO", ""},
    }};
    return points;
}

const PointCodes& Point(int point) {
    if (point < 1 || point > AnalysisPointCount) throw std::out_of_range("punto di analisi fuori intervallo");
    return Points()[static_cast<size_t>(point - 1)];
}

template <size_t N>
const std::string& Pick(const std::array<std::string, N>& table, int number) {
    if (number < 1 || number > static_cast<int>(N)) throw std::out_of_range("numero fuori intervallo");
    return table[static_cast<size_t>(number - 1)];
}

const std::array<std::string, 12> SignKeys{"Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Ac", "Pe"};
const std::array<std::string, 12> SignFilters{"Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"};
const std::array<std::string, 12> SignStems{"Ariete",   "Toro",      "Gemelli",    "Cancro",     "Leone",    "Vergine",
                                            "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
const std::array<std::string, 12> Houses{"Prim", "Seco", "Terz", "Quar", "Quin", "Sest",
                                         "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};

}  // namespace

const std::string& PointListName(int point) { return Point(point).ListName; }
const std::string& PointCode4(int point) { return Point(point).Code4; }
const std::string& PointCode3(int point) { return Point(point).Code3; }
const std::string& PointCode2(int point) { return Point(point).Code2; }
const std::string& PointCode2Upper(int point) { return Point(point).Code2Upper; }
const std::string& PointUpperName(int point) { return Point(point).UpperName; }
const std::string& PointListStem(int point) { return Point(point).ListStem; }

const std::string& SignKeyCode2(int sign) { return Pick(SignKeys, sign); }
const std::string& SignFilterCode2(int sign) { return Pick(SignFilters, sign); }
const std::string& SignListStem(int sign) { return Pick(SignStems, sign); }
const std::string& HouseCode(int house) { return Pick(Houses, house); }

}  // namespace florimant
