#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/birth_entry.hpp"
#include "archive/place_search.hpp"
#include "atlas_writer.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {

class AtlasWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("atlas_writer_test_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "in");
        fs::create_directories(root_ / "out");
    }
    void TearDown() override { fs::remove_all(root_); }
    void Write(const std::string& name, const std::string& text) { std::ofstream(root_ / "in" / name) << text; }
    void WriteSample() {
        Write("italia_regimes.tsv",
              "# sample\nlist\tkind\tinstant\tcorrection\tlabel\n"
              "00390000\tGREG\t1582-10-15\t\t\n"
              "00390000\tLMT\t1893-10-31T23:00:00Z\t-1\t\n"
              "00390000\tCHANGE\t1966-05-21T23:00:00Z\t-2\tCEST\n"
              "00390000\tCHANGE\t1966-09-24T23:00:00Z\t-1\tCET\n");
        Write("estero_regimes.tsv",
              "list\tkind\tinstant\tcorrection\tlabel\n"
              "00440000\tGREG\t1752-09-14\t\t\n"
              "00440000\tLMT\t1847-12-01T00:01:15Z\t0\t\n"
              "00440000\tRICH\t00440001\t\t\n"
              "00440001\tGREG\tALWAYS\t\t\n"
              "00440001\tCHANGE\t1916-05-21T02:00:00Z\t-1\tBST\n"
              "00440001\tCHANGE\t1916-10-01T02:00:00Z\t0\tGMT\n");
        Write("italia_localities.tsv",
              "name\tstate\tlatitude\tlongitude\tregime\n"
              "TORINO *TO*\tITALIA\t45.07049\t7.68682\t00390000\n"
              "ROMA *RM*\tITALIA\t41.89193\t12.51133\t00390000\n");
        Write("estero_localities.tsv",
              "name\tstate\tlatitude\tlongitude\tregime\n"
              "ZüRICH\tSVIZZERA\t47.36667\t8.55\t00440000\n"
              "LONDON\tREGNO UNITO\t51.50853\t-0.12574\t00440000\n"
              "A VERY LONG FOREIGN PLACE NAME THAT IS CUT\tREGNO UNITO\t50\t0\t00440000\n");
    }
    fs::path root_;
};

TEST_F(AtlasWriterTest, WritesFilesThatTheReadersFindAndUse) {
    WriteSample();
    const atlas::WriteSummary s = atlas::WriteAtlas(root_ / "in", root_ / "out");
    EXPECT_EQ(s.italianPlaces, 2u);
    EXPECT_EQ(s.foreignPlaces, 3u);
    EXPECT_EQ(s.namesCut, 1u);
    const ProgramFolder folder(root_ / "out");

    // Sorted by name (Italian) and by search form (foreign: ZüRICH sorts as ZURICH, after LONDON).
    LocalityFile italia(folder, LocalityStore::Italia);
    ASSERT_EQ(italia.Count(), 2u);
    EXPECT_EQ(italia.Read(1).name, "ROMA *RM*");
    EXPECT_EQ(italia.Read(1).regimeCode, 100390000);
    LocalityFile estero(folder, LocalityStore::Estero);
    EXPECT_EQ(estero.Read(2).name, "LONDON");
    EXPECT_EQ(estero.Read(3).name, "Z\xFCRICH");

    // Index lines point at the lists inside the shared database.
    const auto index = ReadTextLines(folder, "Calendar\\Elencal.002");
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0], "00440000.CAL       1");
    EXPECT_EQ(index[1], "00440001.CAL       5");
    const RegimeList chain = ReadRegimeList(folder, LocalityStore::Estero, "00440001.CAL");
    ASSERT_EQ(chain.records.size(), 3u);
    EXPECT_EQ(chain.records[1].code, "BST ");
    EXPECT_EQ(chain.records[1].correction, -1);

    // Rome, summer 1966 -> CEST; London 1700 Julian, 1916 summer time through the chain.
    const BirthResult rome = ComputeBirthResult(folder, italia, 1, BirthDate{1, 7, 1966, 12, 0}, false);
    EXPECT_EQ(rome.EditFuso, "-2");
    EXPECT_EQ(rome.EditCalend, "GREG");
    const BirthResult london1700 = ComputeBirthResult(folder, estero, 2, BirthDate{1, 7, 1700, 12, 0}, false);
    EXPECT_EQ(london1700.EditCalend, "GIUL");
    EXPECT_TRUE(london1700.localMeanTime);
    const BirthResult london1916 = ComputeBirthResult(folder, estero, 2, BirthDate{1, 7, 1916, 12, 0}, false);
    EXPECT_EQ(london1916.EditCalend, "GREG");
    EXPECT_EQ(london1916.EditFuso, "-1");
}

TEST_F(AtlasWriterTest, GregorianAdoptionSplitsTheSkippedDays) {
    // Italian lists are read with one day subtracted; both stores end up at noon of 14 October 1582.
    const Real italian = atlas::GregorianAdoptionInstant("1582-10-15", true) - RegimeInstantOffset - 1;
    const Real foreign = atlas::GregorianAdoptionInstant("1582-10-15", false) - RegimeInstantOffset;
    EXPECT_DOUBLE_EQ(static_cast<double>(italian), GregorianReformDay - 1.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(foreign), GregorianReformDay - 1.0);
    EXPECT_EQ(static_cast<long>(atlas::GregorianAdoptionInstant("ALWAYS", false) - RegimeInstantOffset), 1721423);
    EXPECT_NEAR(static_cast<double>(atlas::ParseUtInstant("2000-01-01T12:00:00Z")), 2451545.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(atlas::ParseUtInstant("2000-01-01T00:00:36Z")), 2451544.5 + 36.0 / 86400, 1e-9);
}

TEST_F(AtlasWriterTest, RefusesBadTablesWithFileAndLine) {
    WriteSample();
    auto expectFault = [&](const std::string& file, const std::string& text, const std::string& fragment) {
        Write(file, text);
        try {
            atlas::WriteAtlas(root_ / "in", root_ / "out");
            ADD_FAILURE() << "accepted: " << text;
        } catch (const atlas::InputError& e) {
            EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
        }
        WriteSample();
    };
    const std::string head = "list\tkind\tinstant\tcorrection\tlabel\n";
    expectFault("estero_regimes.tsv", head + "00440000\tGREG\t1752-09-14\t\t\n00440000\tRICH\t00449999\t\t\n",
                "inesistente");
    expectFault("estero_regimes.tsv",
                head +
                    "00440000\tGREG\t1752-09-14\t\t\n00440000\tRICH\t00440001\t\t\n00440001\tGREG\tALWAYS\t\t\n"
                    "00440001\tRICH\t00440000\t\t\n",
                "circolare");
    expectFault("estero_regimes.tsv",
                head +
                    "00440000\tGREG\t1752-09-14\t\t\n00440000\tCHANGE\t1916-05-21T02:00:00Z\t-1\tBST\n"
                    "00440000\tCHANGE\t1915-05-21T02:00:00Z\t0\tGMT\n",
                ":4:");
    expectFault("estero_regimes.tsv", head + "00440000\tCHANGE\t1916-05-21T02:00\t-1\tBST\n", "GREG");
    expectFault("italia_localities.tsv",
                "name\tstate\tlatitude\tlongitude\tregime\nROMA *RM*\tITALIA\t41.9\t12.5\t00399999\n",
                "regime sconosciuto");
    expectFault("italia_localities.tsv",
                "name\tstate\tlatitude\tlongitude\tregime\nROMA *RM*\tITALIA\t141.9\t12.5\t00390000\n", "coordinate");
    expectFault("estero_localities.tsv",
                "name\tstate\tlatitude\tlongitude\tregime\n\xE5\x8C\x97\xE4\xBA\xAC\tCINA\t39.9\t116.4\t00440000\n",
                "Windows-1252");
}

// The committed installation files are exactly what the writer makes of the committed tables.
TEST(AtlasWriterInstallation, RegeneratesTheShippedFiles) {
    const fs::path tables = fs::path(FLORIMANT_SOURCE_DIR) / "tools/atlas-data/out";
    const fs::path shipped = FLORIMANT_INSTALLATION_DIR;
    if (!fs::exists(tables / "estero_regimes.tsv") || !fs::exists(shipped / "Localita/ESTERO.LOC"))
        GTEST_SKIP() << "tables or installation files not present";
    const fs::path out = fs::temp_directory_path() / ("atlas_regen_" + std::to_string(::getpid()));
    fs::remove_all(out);
    atlas::WriteAtlas(tables, out);
    auto same = [&](const std::string& relative) {
        std::ifstream a(out / relative, std::ios::binary), b(shipped / relative, std::ios::binary);
        const std::string x((std::istreambuf_iterator<char>(a)), {}), y((std::istreambuf_iterator<char>(b)), {});
        EXPECT_TRUE(!x.empty() && x == y) << relative << " differs from its regenerated form";
    };
    for (const char* f :
         {"Localita/ITALIA.LOC", "Localita/ESTERO.LOC", "Calendar/Database.cll", "Calendar/Elencal.002"})
        same(f);
    for (const auto& entry : fs::directory_iterator(out / "Calendar"))
        if (entry.path().extension() == ".CAL") same("Calendar/" + entry.path().filename().string());
    fs::remove_all(out);
}

}  // namespace
