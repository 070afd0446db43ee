#include "analysis/sectors.hpp"

#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

std::vector<Real> DecadeBoundaries() {
    std::vector<Real> b;
    for (int i = 1; i <= 36; ++i) b.push_back(10 * Real(i));
    return b;
}

std::vector<Real> TermBoundaries(Real cusp1) {
    std::vector<Real> b;
    for (int i = 1; i <= 60; ++i) {
        Real x = 6 * Real(i) + cusp1 - 15;
        if (x < 0) x += 360;
        if (x > 360) x -= 360;
        b.push_back(x);
    }
    return b;
}

int FindSector(const std::vector<Real>& boundaries, Real longitude) {
    const size_t n = boundaries.size();
    if (n == 0) return 0;
    int sector = 1;
    for (size_t a = 1; a <= n; ++a) {
        const Real to = boundaries[a % n], from = boundaries[a - 1];
        Real w = to - from, e = longitude - from;
        if (w < 0) w += 360;
        if (e < 0) e += 360;
        if (e <= w) sector = a + 1 > n ? 1 : static_cast<int>(a + 1);
    }
    return sector;
}

int DecanOf(Real longitude) {
    for (int d = 1; d <= 36; ++d)
        if (10 * Real(d - 1) < longitude && longitude < 10 * Real(d)) return d;
    return 0;
}

std::string TermKey(int point, int term) { return PointCode4(point) + ZeroPad(term, 2); }

std::string DecanKey(int point, Real longitude) {
    const int decan = DecanOf(longitude);
    return decan ? PointCode3(point) + "Dec" + ZeroPad(decan, 2) : std::string();
}

std::string DecadeKey(int point, int decade) { return PointCode2Upper(point) + ZeroPad(decade, 2); }

ChartSectors ComputeSectors(const ChartData& chart) {
    ChartSectors s;
    const auto terms = TermBoundaries(chart.HouseCusps[1]);
    const auto decades = DecadeBoundaries();
    for (int i = 1; i <= AnalysisPointCount; ++i) {
        const Real longitude = chart.Longitude[static_cast<size_t>(i)];
        const auto at = static_cast<size_t>(i);
        s.Terms[at] = FindSector(terms, longitude);
        s.Decades[at] = FindSector(decades, longitude);
        s.DecanKeys[at] = DecanKey(i, longitude);
        s.TermKeys[at] = TermKey(i, s.Terms[at]);
        s.DecadeKeys[at] = DecadeKey(i, s.Decades[at]);
    }
    return s;
}

Real Dodecatemorion(Real longitude) { return Normalize360(longitude + 12 * Normalize30(longitude)); }

std::vector<std::string> ListSectorTexts(const ProgramFolder& folder, const std::string& heading,
                                         const std::array<std::string, AnalysisPointCount + 1>& keys, size_t m) {
    std::vector<std::string> lines{heading};
    const auto texts = ReadTextLines(folder, SpecificPointTextsFile);
    for (int i = 1; i <= AnalysisPointCount; ++i) {
        const std::string& key = keys[static_cast<size_t>(i)];
        if (key.empty()) continue;
        for (const std::string& line : texts)
            if (line.size() >= m && line.compare(0, m, key) == 0) {
                lines.push_back(Cp1252ToUtf8(line.size() > 21 ? line.substr(21, 70) : std::string()));
                break;
            }
    }
    return lines;
}

std::vector<std::string> CoordinatesViewLines(const ProgramFolder& folder, const ChartSectors& sectors) {
    auto lines = ListSectorTexts(folder, "PIANETI NEI TERMINI", sectors.TermKeys, 6);
    lines.push_back("  ");
    const auto decans = ListSectorTexts(folder, "PIANETI NEI DECANI", sectors.DecanKeys, 8);
    lines.insert(lines.end(), decans.begin(), decans.end());
    lines.push_back("    ");
    const auto decades = ListSectorTexts(folder, "PIANETI NELLE DECADI", sectors.DecadeKeys, 4);
    lines.insert(lines.end(), decades.begin(), decades.end());
    return lines;
}

}  // namespace florimant
