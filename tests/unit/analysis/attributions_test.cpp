#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <set>

#include "analysis/attributions.hpp"
#include "analysis/chart_keys.hpp"
#include "common/file_io.hpp"
#include "knowledge/catalogue.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("florimant-attrib-" + std::to_string(::getpid()));
    ProgramFolder folder{path};
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
};

// A specific-text line: key padded to 21 characters, then the text.
std::string Spe(const std::string& key, const std::string& text) {
    return key + std::string(21 - key.size(), ' ') + text;
}

const ProgramFolder& Installation() {
    static const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    return folder;
}

}  // namespace

TEST(Attributions, PointPanelsFollowTheMatchingRules) {
    TempFolder t;
    ReplaceTextFile(t.folder, PointKeysFile,
                    {"SoleToro", "LunaCanc", "Sole07", "Asce03", "SolDec05", "SO05", "LunTrSol", "LunOpNon", "Mcie05"});
    ReplaceTextFile(t.folder, SpecificPointTextsFile,
                    {Spe("SoleToro", "Sole in Toro: " + std::string(80, 'a')), Spe("SoleToro", "seconda, ignorata"),
                     Spe("Sole07", "Sole nel settimo termine " + std::string(80, 'b')), Spe("Asce03", "mai letta"),
                     Spe("SolDec05", "quinto decano"), Spe("SO05", "quinta decade"), Spe("LunTrSol", "trigono"),
                     Spe("LunOpNon", "non del Sole"), Spe("Mcie05", "Mediocielo nel quinto termine")});
    ReplaceTextFile(t.folder, GeneralPointTextsFile, {"So Il Sole, principio vitale", "Lu La Luna", "So seconda riga"});
    ChartData chart;
    chart.Longitude[1] = 45.2L;
    chart.RetroFlags[1] = ' ';
    std::array<Real, AnalysisPointCount + 1> dodecatemoria{};
    dodecatemoria[1] = 227.4L;
    const auto sun = ShowPointAttributions(t.folder, chart, 1, dodecatemoria);
    EXPECT_EQ(sun.SpecificHeading, "ATTRIBUZIONI SPECIFICHE al PIANETA");
    const std::vector<std::string> expected{
        "SOLE  15\xC2\xB0"
        "12' Toro ",
        ("Sole in Toro: " + std::string(80, 'a')).substr(0, 60),             // rule a: 60 characters
        ("Sole nel settimo termine " + std::string(80, 'b')).substr(0, 80),  // rule b: 80
        "quinto decano",
        "quinta decade",
        "trigono",
        "Dodecatemorie SOLE = 17\xC2\xB0"
        "24' Scorpione "};
    EXPECT_EQ(sun.Specific, expected);
    EXPECT_EQ(sun.General, (std::vector<std::string>{"Il Sole, principio vitale", "seconda riga"}));
    // The Ascendant's term key never matches; the Midheaven's short key does through rule a.
    chart.Longitude[Body::Ascendant] = 100;
    chart.Longitude[Body::Midheaven] = 10;
    const auto asc = ShowPointAttributions(t.folder, chart, Body::Ascendant, dodecatemoria);
    EXPECT_EQ(asc.Specific.size(), 2u);
    const auto mc = ShowPointAttributions(t.folder, chart, Body::Midheaven, dodecatemoria);
    ASSERT_EQ(mc.Specific.size(), 3u);
    EXPECT_EQ(mc.Specific[1], "Mediocielo nel quinto termine");
}

TEST(Attributions, KeysOfOtherPointsAreNotTaken) {
    TempFolder t;
    ReplaceTextFile(t.folder, PointKeysFile, {"LunAnSag", "LunCaVer", "NNorVerg", "NonOpNos", "SatuToro", "VenTrSat"});
    ReplaceTextFile(t.folder, SpecificPointTextsFile,
                    {Spe("LunAnSag", "antisce della Luna"), Spe("LunCaVer", "contrantisce della Luna"),
                     Spe("NNorVerg", "Nodo Nord in Vergine"), Spe("NonOpNos", "asse dei nodi"),
                     Spe("SatuToro", "Saturno in Toro"), Spe("VenTrSat", "Venere trigono Saturno")});
    ReplaceTextFile(t.folder, GeneralPointTextsFile, {});
    ChartData chart;
    const std::array<Real, AnalysisPointCount + 1> dodecatemoria{};
    const auto saturn = ShowPointAttributions(t.folder, chart, 7, dodecatemoria);
    EXPECT_EQ(std::vector<std::string>(saturn.Specific.begin() + 1, saturn.Specific.end() - 1),
              (std::vector<std::string>{"Saturno in Toro", "Venere trigono Saturno"}));
    const auto venus = ShowPointAttributions(t.folder, chart, 4, dodecatemoria);
    EXPECT_EQ(std::vector<std::string>(venus.Specific.begin() + 1, venus.Specific.end() - 1),
              (std::vector<std::string>{"Venere trigono Saturno"}));
    const auto north = ShowPointAttributions(t.folder, chart, 8, dodecatemoria);
    EXPECT_EQ(std::vector<std::string>(north.Specific.begin() + 1, north.Specific.end() - 1),
              (std::vector<std::string>{"Nodo Nord in Vergine", "asse dei nodi"}));
    const auto south = ShowPointAttributions(t.folder, chart, 9, dodecatemoria);
    EXPECT_EQ(std::vector<std::string>(south.Specific.begin() + 1, south.Specific.end() - 1),
              (std::vector<std::string>{"asse dei nodi"}));
}

TEST(Attributions, AquariusTextsThroughBothCodes) {
    TempFolder t;
    ReplaceTextFile(t.folder, SignKeysFile, SignKeyLines());
    ReplaceTextFile(t.folder, GeneralSignTextsFile, {"Aq Acquario: segno d'aria fisso", "Ac mai letta", "Ar Ariete"});
    ReplaceTextFile(t.folder, SpecificSignTextsFile,
                    {"AcAnTor" + std::string(13, ' ') + "riflesso in Toro",
                     "AcCaSco" + std::string(13, ' ') + "contro in Scorpione"});
    const auto aquarius = ShowSignAttributions(t.folder, 11);
    EXPECT_EQ(aquarius.Specific, (std::vector<std::string>{"ACQUARIO  "}));
    EXPECT_EQ(aquarius.General, (std::vector<std::string>{"ACQUARIO  ", "Acquario: segno d'aria fisso",
                                                          "riflesso in Toro", "contro in Scorpione"}));
    EXPECT_EQ(aquarius.GeneralHeading, "ATTRIBUZIONI GENERALI al SEGNO");
    EXPECT_THROW(ShowSignAttributions(ProgramFolder(t.path / "none"), 1), std::exception);
}

TEST(Attributions, SignatureListsOfTheShippedKnowledgeBase) {
    const auto sun = ShowSignatureList(Installation(), SignatureTarget::OfPoint(1), false);
    ASSERT_TRUE(sun.has_value());
    EXPECT_EQ(sun->Heading, "RIMEDI associabili al SOLE");
    EXPECT_EQ(sun->PickText, "RIMEDI");
    EXPECT_FALSE(sun->Names.empty());
    const auto node = ShowSignatureList(Installation(), SignatureTarget::OfPoint(8), false);
    ASSERT_TRUE(node.has_value());
    EXPECT_EQ(node->Heading, "RIMEDI associabili al NODO NORD");
    EXPECT_FALSE(ShowSignatureList(Installation(), SignatureTarget::OfPoint(8), true).has_value());
    EXPECT_FALSE(ShowSignatureList(Installation(), SignatureTarget::OfPoint(10), false).has_value());
    const auto aries = ShowSignatureList(Installation(), SignatureTarget::OfSign(1), true);
    ASSERT_TRUE(aries.has_value());
    EXPECT_EQ(aries->Heading, "PIANTE associate all'ARIETE");
    EXPECT_FALSE(aries->Names.empty());
    TempFolder t;
    EXPECT_THROW(ShowSignatureList(t.folder, SignatureTarget::OfSign(3), false), std::exception);
}

TEST(Attributions, CurableSymptomsOfAListedRemedyAndPlant) {
    const auto sun = ShowSignatureList(Installation(), SignatureTarget::OfPoint(1), false);
    ASSERT_TRUE(sun && !sun->Names.empty());
    const auto remedy = ShowCurableSymptoms(Installation(), sun->Names.front(), false);
    ASSERT_GT(remedy.Symptoms.size(), 2u);
    EXPECT_EQ(remedy.Symptoms[0], "SINTOMI CURABILI con ");
    EXPECT_TRUE(std::is_sorted(remedy.Symptoms.begin() + 2, remedy.Symptoms.end(),
                               [](const std::string& a, const std::string& b) { return CatalogueLess(a, b); }));
    ASSERT_EQ(remedy.Detail.size(), 4u);
    EXPECT_EQ(remedy.Detail[0].rfind("RIMEDIO: ", 0), 0u);
    const auto plants = ShowSignatureList(Installation(), SignatureTarget::OfPoint(2), true);
    ASSERT_TRUE(plants && !plants->Names.empty());
    const auto plant = ShowCurableSymptoms(Installation(), plants->Names.front(), true);
    EXPECT_GT(plant.Symptoms.size(), 2u);
    ASSERT_EQ(plant.Detail.size(), 5u);
    EXPECT_EQ(plant.Detail[4].rfind("SINTESI PSICHICA: ", 0), 0u);
    // Letter case counts: an unknown spelling leaves the two heading lines only.
    const auto none = ShowCurableSymptoms(Installation(), "nessun rimedio con questo nome", false);
    EXPECT_EQ(none.Symptoms.size(), 2u);
    EXPECT_TRUE(none.Detail.empty());
}

TEST(ShippedTexts, EveryChartKeyHasItsText) {
    const auto texts = ReadTextLines(Installation(), SpecificPointTextsFile);
    std::set<std::string> heads8, heads6, heads4;
    for (const auto& line : texts) {
        heads8.insert(line.substr(0, 8));
        heads6.insert(line.substr(0, 6));
        heads4.insert(line.substr(0, 4));
    }
    std::mt19937 random(11);
    std::uniform_real_distribution<double> degrees(0, 360);
    for (int n = 0; n < 300; ++n) {
        ChartData chart;
        for (int i = 1; i <= 11; ++i)
            chart.Longitude[static_cast<size_t>(i)] =
                n % 10 == 0 ? std::fmod(10.0 * (i + n / 10), 360.0) : degrees(random);
        for (int h = 1; h <= 12; ++h)
            chart.HouseCusps[static_cast<size_t>(h)] = std::fmod(chart.Longitude[10] + 30 * (h - 1), 360.0L);
        for (const auto& key : ChartKeyLines(chart, ComputeSectors(chart), FixedOrbSetA().Orbs)) {
            const bool found = key.size() == 8   ? heads8.count(key) > 0
                               : key.size() == 6 ? heads6.count(key) > 0
                                                 : heads4.count(key) > 0;
            EXPECT_TRUE(found) << key;
        }
    }
    // Sign reflections.
    const auto signTexts = ReadTextLines(Installation(), SpecificSignTextsFile);
    for (const auto& key : SignKeyLines())
        EXPECT_TRUE(std::any_of(signTexts.begin(), signTexts.end(), [&](const std::string& l) {
            return l.rfind(key, 0) == 0;
        })) << key;
}

TEST(ShippedTexts, HelpMessagesAreNumberedInOrder) {
    const auto lines = ReadTextLines(Installation(), "Appoggio\\Messaggi.txt");
    int number = 0;
    for (const auto& line : lines)
        if (line.find('#') != std::string::npos) {
            ++number;
            EXPECT_EQ(line.substr(0, 2 + std::to_string(number).size()), "# " + std::to_string(number));
        }
    EXPECT_EQ(number, 33);
}
