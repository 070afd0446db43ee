#include <gtest/gtest.h>

#include <stdexcept>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "interruption_gtest.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/plant_support_files.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "knowledge/support_files.hpp"
#include "record_test_support.hpp"

using namespace florimant;
using namespace knowledge_test;

namespace {
void WriteDatabase(const TempFolder& t, const std::vector<RemedyRecord>& entries) {
    std::string bytes(kRemedyRecordSize, '\0');
    for (const RemedyRecord& r : entries) {
        const std::vector<uint8_t> b = EncodeRemedyRecord(r);
        bytes.append(b.begin(), b.end());
    }
    WriteBytes(t.path / "OpzioneH" / "DBmain.rnd", bytes);
}

std::vector<std::string> Lines(const TempFolder& t, const char* path) { return ReadTextLines(t.folder(), path); }

std::vector<std::string> KeyNames(const TempFolder& t, std::string_view path) {
    return ReadNameList(t.folder(), path, kRemedyKeyNameCapacity, 0);
}

void WritePlants(const TempFolder& t, const std::vector<PlantRecord>& entries) {
    std::string bytes(kPlantRecordSize, '\0');
    for (const PlantRecord& r : entries) {
        const std::vector<uint8_t> b = EncodePlantRecord(r);
        bytes.append(b.begin(), b.end());
    }
    WriteBytes(t.path / "OpzioneS" / "DataStf.rnd", bytes);
}

PlantRecord Plant(const std::string& symptom, const std::string& plant, const std::string& primary,
                  const std::string& zodiac) {
    PlantRecord r;
    r.sintomo = symptom;
    r.pianta = plant;
    r.segnaturaPrimaria = primary;
    r.segnaturaZodiacale = zodiac;
    return r;
}
}  // namespace

TEST(RebuildSupportFiles, HeaderOnlyDatabaseGivesEmptyFiles) {
    TempFolder t;
    WriteDatabase(t, {});
    RebuildSupportFiles(t.folder());
    for (const char* f :
         {"Sintomi.Txt", "ProdotA.Txt", "ProdotB.txt", "SolePri.rnd", "NodSPri.rnd", "Ariete.rnd", "Pesci.rnd"}) {
        ASSERT_TRUE(fs::exists(t.path / "OpzioneH" / f)) << f;
        EXPECT_EQ(fs::file_size(t.path / "OpzioneH" / f), 0u) << f;
    }
    EXPECT_EQ(Snapshot(t.path).size(), 1u + 3 + 21);  // nothing else, no temporary file
}

TEST(RebuildSupportFiles, SymptomAndRemedyListsAreDistinctAndTrimmed) {
    TempFolder t;
    WriteDatabase(
        t, {Remedy("MSA Melissa", "Insonnia"), Remedy("TSA Valeriana", "Insonnia"), Remedy("MSA Timo", "Tosse, "),
            Remedy("MSA Timo", "Raffreddore ;"), Remedy("MSA Timo", "Dolori (1)"),
            Remedy("MSA Salvia", "Sudorazione eccessiva."), Remedy("", "")});
    RebuildSupportFiles(t.folder());
    // The empty entry sorts first and is not written.
    EXPECT_EQ(Lines(t, "OpzioneH\\Sintomi.Txt"),
              (std::vector<std::string>{"Dolori (1)", "Insonnia", "Raffreddore", "Sudorazione eccessiva.", "Tosse"}));
    EXPECT_EQ(Lines(t, "OpzioneH\\ProdotA.Txt"),
              (std::vector<std::string>{"MSA Melissa", "MSA Salvia", "MSA Timo", "TSA Valeriana"}));
    EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "Sintomi.Txt").substr(0, 12), "Dolori (1)\r\n");
}

TEST(RebuildSupportFiles, ListsStayInCatalogueOrderWhateverFollowsTheLeadingField) {
    TempFolder t;
    // As whole lines "Tosse secca**..." sorts between "Tosse**..." and "Tosse, **...".
    WriteDatabase(t, {Remedy("MSA Timo", "Tosse, "), Remedy("TSA Timo", "Tosse"), Remedy("MSA Rosa", "Tosse secca"),
                      Remedy("MSA Rosa ;", "Acne"), Remedy("MSA Rosa canina", "Raffreddore")});
    RebuildSupportFiles(t.folder());
    EXPECT_EQ(Lines(t, "OpzioneH\\Sintomi.Txt"),
              (std::vector<std::string>{"Acne", "Raffreddore", "Tosse", "Tosse secca"}));
    EXPECT_EQ(Lines(t, "OpzioneH\\ProdotA.Txt"),
              (std::vector<std::string>{"MSA Rosa", "MSA Rosa canina", "MSA Timo", "TSA Timo"}));
}

TEST(RebuildSupportFiles, KeyFilesMatchInsideLongerTextAndListEachRemedyOnce) {
    TempFolder t;
    WriteDatabase(t, {Remedy("MSA Iperico", "Tristezza", "Sole-Luna", "Leone"),
                      Remedy("TSA Ortica", "Anemia", "Marte", "Ariete Scorpione"),
                      Remedy("TSA Ortica", "Reumatismi", "Marte", "Ariete Scorpione"),
                      Remedy("TSA Ortica", "Caduta dei capelli", "Marte", "Ariete Scorpione"),
                      Remedy("MSA Aglio", "Ipertensione", "Marte", "Ariete"),
                      Remedy("QSPC Luppolo", "Agitazione", "NodoSud", "Bilancia-Pesci"),
                      Remedy("MSA Sole", "Caso", "sole", "leone")});  // keys are case-sensitive
    RebuildSupportFiles(t.folder());
    EXPECT_EQ(KeyNames(t, "OpzioneH\\SolePri.rnd"), (std::vector<std::string>{"MSA Iperico"}));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\LunaPri.rnd"), (std::vector<std::string>{"MSA Iperico"}));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\MartPri.rnd"), (std::vector<std::string>{"MSA Aglio", "TSA Ortica"}));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\NodSPri.rnd"), (std::vector<std::string>{"QSPC Luppolo"}));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\Ariete.rnd"), (std::vector<std::string>{"MSA Aglio", "TSA Ortica"}));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\Pesci.rnd"), (std::vector<std::string>{"QSPC Luppolo"}));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\Leone.rnd"), (std::vector<std::string>{"MSA Iperico"}));
    EXPECT_EQ(fs::file_size(t.path / "OpzioneH" / "MartPri.rnd"), 2u * 51);
    EXPECT_EQ(fs::file_size(t.path / "OpzioneH" / "GiovPri.rnd"), 0u);
}

TEST(RebuildSupportFiles, AliasLinesOfCodedProducts) {
    const std::string pad70 = std::string(70, ' ');
    EXPECT_EQ(AliasLines("MSA Melissa"),
              (std::vector<std::string>{("Melissa (MSA)" + pad70).substr(0, 70) + "MSA Melissa"}));
    EXPECT_EQ(AliasLines("HS 8 - Iperico"),
              (std::vector<std::string>{("Iperico (HS 8)" + pad70).substr(0, 70) + "HS 8 - Iperico"}));
    EXPECT_EQ(AliasLines("HS 123 - Arnica"),
              (std::vector<std::string>{("Arnica (HS 123)" + pad70).substr(0, 70) + "HS 123 - Arnica"}));
    EXPECT_EQ(AliasLines("QSPC Calendula"),
              (std::vector<std::string>{("CALENDULA (QSPC)" + pad70).substr(0, 70) + "QSPC Calendula"}));
    EXPECT_EQ(AliasLines("TSA Ortica"),
              (std::vector<std::string>{("Ortica (TSA)" + pad70).substr(0, 70) + "TSA Ortica"}));
    EXPECT_TRUE(AliasLines("Olio di iperico").empty());
    // The plant name is cut to 30 characters.
    EXPECT_EQ(AliasLines("MSA " + std::string(40, 'x'))[0].substr(0, 36), std::string(30, 'x') + " (MSA)");
    // An alias that begins with a prefix itself goes through the later tests.
    const std::vector<std::string> chained = AliasLines("MSA TSA Pianta");
    ASSERT_EQ(chained.size(), 2u);
    EXPECT_EQ(chained[0].substr(0, 20), "TSA Pianta (MSA)    ");
    EXPECT_EQ(chained[1].substr(0, 36), "Pianta (MSA)" + std::string(18, ' ') + " (TSA)");

    TempFolder t;
    WriteDatabase(
        t, {Remedy("HS 8 - Iperico", "Tristezza"), Remedy("QSPC Calendula", "Ferite"), Remedy("Propoli", "Gola")});
    RebuildSupportFiles(t.folder());
    const std::vector<std::string> b = Lines(t, "OpzioneH\\ProdotB.txt");
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b[0], ("CALENDULA (QSPC)" + pad70).substr(0, 70) + "QSPC Calendula");
    EXPECT_EQ(b[1], "HS 8 - Iperico");
    EXPECT_EQ(b[2].substr(0, 15), "Iperico (HS 8) ");
    EXPECT_EQ(b[3], "Propoli");
    EXPECT_EQ(b[4], "QSPC Calendula");
}

TEST(RebuildSupportFiles, MissingDatabaseIsAnErrorAndLeftoverKeyTextsGo) {
    TempFolder t;
    EXPECT_THROW(RebuildSupportFiles(t.folder()), DataFileError);
    WriteDatabase(t, {Remedy("MSA Melissa", "Insonnia", "Luna")});
    WriteBytes(t.path / "OpzioneH" / "LunaPri.txt", "1\r\n");  // left by an interrupted older rebuild
    RebuildSupportFiles(t.folder());
    EXPECT_FALSE(fs::exists(t.path / "OpzioneH" / "LunaPri.txt"));
    EXPECT_EQ(KeyNames(t, "OpzioneH\\LunaPri.rnd"), (std::vector<std::string>{"MSA Melissa"}));
}

TEST(RebuildSupportFiles, AnInterruptionAtAnyStepLeavesEveryFileWholeOldOrNew) {
    TempFolder t;
    WriteDatabase(t, {Remedy("MSA Melissa", "Insonnia", "Luna", "Cancro")});
    RebuildSupportFiles(t.folder());
    const auto before = Snapshot(t.path);
    WriteDatabase(
        t, {Remedy("MSA Melissa", "Insonnia", "Luna", "Cancro"), Remedy("TSA Ortica", "Anemia", "Marte", "Ariete"),
            Remedy("QSPC Luppolo", "Agitazione", "Luna-Saturno", "Pesci")});
    const std::string database = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");
    TempFolder reference;
    WriteBytes(reference.path / "OpzioneH" / "DBmain.rnd", database);
    RebuildSupportFiles(reference.folder());
    const auto after = Snapshot(reference.path);

    ForEachInterruption({.Action = [&] { RebuildSupportFiles(t.folder()); },
                         .Check =
                             [&](const InterruptionPoint&) {
                                 for (const auto& [name, bytes] : Snapshot(t.path)) {
                                     if (name.ends_with("~tmp"))
                                         continue;  // readers never look at a half-written sibling
                                     const bool isOld = before.count(name) && before.at(name) == bytes;
                                     const bool isNew = after.count(name) && after.at(name) == bytes;
                                     EXPECT_TRUE(isOld || isNew || name == "OpzioneH/DBmain.rnd") << name;
                                 }
                                 EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "DBmain.rnd"), database);
                             },
                         .MostSteps = 200});
    auto final = Snapshot(t.path);
    std::erase_if(final, [](const auto& e) { return e.first.ends_with("~tmp"); });
    EXPECT_EQ(final, after);
}

TEST(RebuildPathologyList, DistinctPathologiesInCatalogueOrder) {
    TempFolder t;
    auto entry = [](const std::string& pathology, const std::string& remedy) {
        RepertoryRecord r;
        r.patologia = pathology;
        r.rimedio = remedy;
        return r;
    };
    EXPECT_THROW(RebuildPathologyList(t.folder()), DataFileError);
    AppendRepertoryRecord(t.folder(), entry("Asma", "MSA Timo"));
    AppendRepertoryRecord(t.folder(), entry("cefalea", "MSA Melissa"));
    AppendRepertoryRecord(t.folder(), entry("Asma", "TSA Eucalipto"));
    AppendRepertoryRecord(t.folder(), entry("", "MSA Senza"));
    RebuildPathologyList(t.folder());
    EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "Patolog.txt"), "Asma\r\ncefalea\r\n");

    TempFolder empty;
    WriteBytes(empty.path / "OpzioneH" / "Repertorio.rnd", std::string(1206, '\0'));
    RebuildPathologyList(empty.folder());
    EXPECT_EQ(fs::file_size(empty.path / "OpzioneH" / "Patolog.txt"), 0u);
}

TEST(RebuildPlantSupportFiles, ListsKeepTheInvariantsOfTheWindows) {
    TempFolder t;
    WritePlants(t,
                {Plant("Insonnia  ", "Melissa", "luna", "cancro"), Plant("Insonnia", "Passiflora   ", "luna", "pesci"),
                 Plant("Anemia", "Ortica", "marte   ", "ariete-scorpione"),
                 Plant("Anemia", "Rosmarino", "marte-sole", "ariete"), Plant("Gotta", "", "", ""),
                 Plant("ansia", "Melissa", "luna", "cancro")});
    RebuildPlantSupportFiles(t.folder());
    const ProgramFolder f = t.folder();
    EXPECT_EQ(ReadNameList(f, kPlantSymptomListPath, 100, 1),
              (std::vector<std::string>{"Anemia", "ansia", "Gotta", "Insonnia"}));
    EXPECT_EQ(ReadNameList(f, kPlantNameListPath, 20, 1),
              (std::vector<std::string>{"Melissa", "Ortica", "Passiflora", "Rosmarino"}));
    // "marte" followed by blanks matches, "marte-sole" does not.
    EXPECT_EQ(ReadNameList(f, "OpzioneS\\MartPri.Rnd", 20, 1), (std::vector<std::string>{"Ortica"}));
    EXPECT_EQ(ReadNameList(f, "OpzioneS\\LunaPri.Rnd", 20, 1), (std::vector<std::string>{"Melissa", "Passiflora"}));
    EXPECT_EQ(ReadNameList(f, "OpzioneS\\Ariete.Rnd", 20, 1), (std::vector<std::string>{"Ortica", "Rosmarino"}));
    EXPECT_TRUE(ReadNameList(f, "OpzioneS\\SolePri.Rnd", 20, 1).empty());
    // Every list has an empty record 0.
    EXPECT_EQ(ReadBytes(t.path / "OpzioneS" / "SolePri.Rnd"), std::string(21, '\0'));
    EXPECT_EQ(ReadBytes(t.path / "OpzioneS" / "Sintomi.rnd").substr(0, 102), std::string(101, '\0') + "\x06");
    EXPECT_FALSE(fs::exists(t.path / "OpzioneS" / "NodNPri.Rnd"));
}
