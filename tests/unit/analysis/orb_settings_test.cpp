#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "analysis/orb_settings.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/settings_number.hpp"
#include "interruption.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {
struct SettingsFolder {
    fs::path path;
    ProgramFolder folder;
    SettingsFolder() : path(Make()), folder(path) {}
    ~SettingsFolder() { fs::remove_all(path); }
    static fs::path Make() {
        static int serial = 0;
        fs::path p = fs::temp_directory_path() /
                     ("florimant-orbs-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        fs::create_directories(p);
        return p;
    }
    std::string Bytes(const std::string& name) const {
        std::ifstream in(folder.Resolve(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

// A sets file whose orbs are 100 * set + editor row, so every value shows where it came from.
OrbSets NumberedSets() {
    OrbSets sets;
    for (int s = 0; s < 3; ++s) {
        for (int r = 0; r < AspectKindCount; ++r)
            sets.Sets[static_cast<size_t>(s)].Orbs[static_cast<size_t>(EditorRowToAspect[static_cast<size_t>(r)])] =
                100 * s + r + 1;
        sets.Sets[static_cast<size_t>(s)].ParallelOrb = 100 * s + 15;
        sets.Sets[static_cast<size_t>(s)].AntisciaOrb = 100 * s + 16;
    }
    sets.Letter = 'A';
    return sets;
}

void WriteActive(const SettingsFolder& t) {
    ActiveOrbTable table;
    table.Values = FixedOrbSetA();
    table.HouseSystem = "KOCH";
    table.NodeMode = "MEDIO";
    table.BlackMoonMode = "VERA";
    SaveActiveOrbs(t.folder, table);
}
}  // namespace

TEST(SettingsNumbers, TwentyThreeCharacterScientificNotation) {
    EXPECT_EQ(FormatSettingsReal(10), " 1.00000000000000E+0001");
    EXPECT_EQ(FormatSettingsReal(0.5L), " 5.00000000000000E-0001");
    EXPECT_EQ(FormatSettingsReal(0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatSettingsReal(-1.25L), "-1.25000000000000E+0000");
    EXPECT_EQ(FormatSettingsReal(4.5L).size(), 23u);
    EXPECT_EQ(*ParseLeadingReal(" 4.50000000000000E+0000"), 4.5L);
    EXPECT_EQ(*ParseLeadingReal("  10 gradi"), 10);
    EXPECT_FALSE(ParseLeadingReal("x1"));
    EXPECT_FALSE(ParseLeadingReal(""));
    EXPECT_EQ(*ParseLeadingInteger("1.0"), 1);
}

TEST(OrbSettings, LoadMapsEditorRowsToInternalIndexes) {
    SettingsFolder t;
    std::vector<std::string> lines;
    for (int r = 1; r <= 16; ++r) lines.push_back("  " + std::to_string(r) + ".5");
    for (const char* l : {"PLACIDO", "VERO", "B", "VERA"}) lines.push_back(l);
    ReplaceTextFile(t.folder, ActiveOrbFile, lines);
    const ActiveOrbTable table = LoadActiveOrbs(t.folder);
    EXPECT_EQ(table.Values.Orbs[static_cast<size_t>(AspectKind::Congiunzione)], 1.5L);  // row 1
    EXPECT_EQ(table.Values.Orbs[static_cast<size_t>(AspectKind::SemiSestile)], 2.5L);   // row 2
    EXPECT_EQ(table.Values.Orbs[static_cast<size_t>(AspectKind::Sestile)], 7.5L);       // row 7
    EXPECT_EQ(table.Values.Orbs[static_cast<size_t>(AspectKind::Quadrato)], 9.5L);      // row 9
    EXPECT_EQ(table.Values.Orbs[static_cast<size_t>(AspectKind::Opposizione)], 14.5L);  // row 14
    EXPECT_EQ(table.Values.ParallelOrb, 15.5L);
    EXPECT_EQ(table.Values.AntisciaOrb, 16.5L);
    EXPECT_EQ(table.HouseSystem, "PLACIDO");
    EXPECT_EQ(table.NodeMode, "VERO");
    EXPECT_EQ(table.Letter, 'B');
    EXPECT_EQ(table.BlackMoonMode, "VERA");
    EXPECT_EQ(ChartEphemerisSettings(table).BlackMoonMode, "VERA");

    lines.resize(18);
    ReplaceTextFile(t.folder, ActiveOrbFile, lines);
    EXPECT_THROW(LoadActiveOrbs(t.folder), DataFileError);  // short file
    lines = std::vector<std::string>(20, "abc");
    ReplaceTextFile(t.folder, ActiveOrbFile, lines);
    EXPECT_THROW(LoadActiveOrbs(t.folder), DataFileError);
}

TEST(OrbSettings, ApplyOrbSetCopiesTheChosenBlockAndKeepsTheChartSettings) {
    SettingsFolder t;
    WriteActive(t);
    SaveOrbSets(t.folder, NumberedSets(), true);
    const std::vector<std::string> sets = ReadTextLines(t.folder, OrbSetsFile);
    ASSERT_EQ(sets.size(), 49u);
    EXPECT_EQ(sets[0], "10");  // set A as the editor writes it
    EXPECT_EQ(sets[6], "4");
    EXPECT_EQ(sets[16], " 1.01000000000000E+0002");

    const ApplyOrbSetResult result = ApplyOrbSet(t.folder, 'B');
    ASSERT_TRUE(result.Applied);
    const std::vector<std::string> active = ReadTextLines(t.folder, ActiveOrbFile);
    ASSERT_EQ(active.size(), 20u);
    EXPECT_EQ(active[0], " 1.01000000000000E+0002");
    EXPECT_EQ(active[15], " 1.16000000000000E+0002");
    EXPECT_EQ(std::vector<std::string>(active.begin() + 16, active.end()),
              (std::vector<std::string>{"KOCH", "MEDIO", "B", "VERA"}));
    EXPECT_EQ(result.Table.Letter, 'B');
    EXPECT_EQ(result.Table.Values.Orbs[static_cast<size_t>(AspectKind::Sestile)], 107);
    // All 48 numbers rewritten as reals, the letter on line 49.
    const std::vector<std::string> after = ReadTextLines(t.folder, OrbSetsFile);
    EXPECT_EQ(after[0], " 1.00000000000000E+0001");
    EXPECT_EQ(after[48], "B");
    EXPECT_EQ(LoadOrbSets(t.folder).Sets[2].Orbs[0], 201);
    EXPECT_EQ(OrbSetDisplayName(result.Table.Letter), "B (personali)");
}

TEST(OrbSettings, ApplyOrbSetWithoutTheSetsFileWritesNothing) {
    SettingsFolder t;
    WriteActive(t);
    const std::string before = t.Bytes("FileSet/OrbiDomi.stt");
    const ApplyOrbSetResult result = ApplyOrbSet(t.folder, 'C');
    EXPECT_FALSE(result.Applied);
    EXPECT_EQ(result.Message, "Manca File \"MMVarOrb.dum\"");
    EXPECT_EQ(t.Bytes("FileSet/OrbiDomi.stt"), before);
    EXPECT_FALSE(t.folder.Exists(OrbSetsFile));
    // A garbled sets file is reported and nothing is written either.
    ReplaceTextFile(t.folder, OrbSetsFile, {"1", "2"});
    EXPECT_THROW(ApplyOrbSet(t.folder, 'C'), DataFileError);
    EXPECT_EQ(t.Bytes("FileSet/OrbiDomi.stt"), before);
}

TEST(OrbSettings, ReplaceSettingsLineGoesThroughATemporaryFile) {
    SettingsFolder t;
    WriteActive(t);
    std::vector<std::string> operations;
    ActiveOrbTable table;
    {
        const FileHookGuard guard([&](std::string_view op, const fs::path& p) {
            operations.push_back(std::string(op) + " " + p.filename().string());
        });
        table = ReplaceSettingsLine(t.folder, 18, "VERO");
    }
    EXPECT_EQ(operations, (std::vector<std::string>{"write OrbiDomi.stt~tmp", "rename OrbiDomi.stt"}));
    EXPECT_EQ(table.NodeMode, "VERO");
    EXPECT_EQ(table.HouseSystem, "KOCH");
    EXPECT_EQ(ReadTextLines(t.folder, ActiveOrbFile)[0], " 1.00000000000000E+0001");
    EXPECT_THROW(ReplaceSettingsLine(t.folder, 21, "x"), DataFileError);

    // An interrupted rename leaves the old file whole.
    const std::string before = t.Bytes("FileSet/OrbiDomi.stt");
    {
        const FileHookGuard guard([](std::string_view op, const fs::path&) {
            if (op == "rename") throw std::runtime_error("interrotto");
        });
        EXPECT_THROW(ReplaceSettingsLine(t.folder, 17, "CAMPANO"), std::runtime_error);
    }
    EXPECT_EQ(t.Bytes("FileSet/OrbiDomi.stt"), before);
}

TEST(OrbSettings, ShippedFilesHoldTheTraditionalSetA) {
    const ProgramFolder folder{fs::path(FLORIMANT_INSTALLATION_DIR)};
    const ActiveOrbTable table = LoadActiveOrbs(folder);
    EXPECT_EQ(table.Letter, 'A');
    EXPECT_EQ(table.Values.Orbs, FixedOrbSetA().Orbs);
    EXPECT_EQ(table.NodeMode, "VERO");
    const OrbSets sets = LoadOrbSets(folder);
    EXPECT_EQ(sets.Letter, 'A');
    EXPECT_EQ(sets.Sets[1].Orbs, DefaultOrbSetB().Orbs);
    EXPECT_EQ(sets.Sets[2].Orbs, DefaultOrbSetC().Orbs);
}
