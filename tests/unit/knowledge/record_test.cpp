#include <gtest/gtest.h>

#include <stdexcept>

#include "common/data_file_error.hpp"
#include "interruption_gtest.hpp"
#include "knowledge/catalogue.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "record_test_support.hpp"

using namespace florimant;
using namespace knowledge_test;

namespace {
// Byte offsets of the fields as the file layout documents them.
constexpr size_t kRemedyOffsets[24] = {0,    51,   302,  553,  804,  955,  1206, 1257, 1508, 1759, 2010, 2261,
                                       2512, 2763, 2794, 2835, 2906, 3157, 3308, 3559, 3810, 4061, 4312, 4563};
constexpr size_t kRepertoryOffsets[6] = {0, 101, 352, 453, 704, 955};
constexpr size_t kPlantOffsets[9] = {0, 101, 122, 138, 154, 185, 256, 357, 458};

std::string Text(std::span<const uint8_t> bytes, size_t at) {
    return std::string(reinterpret_cast<const char*>(bytes.data()) + at + 1, bytes[at]);
}
}  // namespace

TEST(RemedyRecordLayout, PiecesSitAtTheirOffsetsWithZerosAfterTheText) {
    RemedyRecord r;
    for (size_t i = 0; i < kRemedyPieceCount; ++i) r.pieces[i] = "p" + std::to_string(i) + "\xE8";  // è
    const std::vector<uint8_t> bytes = EncodeRemedyRecord(r);
    ASSERT_EQ(bytes.size(), 4814u);
    for (size_t i = 0; i < kRemedyPieceCount; ++i) {
        EXPECT_EQ(Text(bytes, kRemedyOffsets[i]), r.pieces[i]) << "piece " << i;
        const size_t end = i + 1 < kRemedyPieceCount ? kRemedyOffsets[i + 1] : 4814;
        for (size_t b = kRemedyOffsets[i] + 1 + r.pieces[i].size(); b < end; ++b) ASSERT_EQ(bytes[b], 0) << b;
    }
    EXPECT_EQ(DecodeRemedyRecord(bytes), r);
}

TEST(RemedyRecordLayout, LogicalCapacitiesAndTheCutOfLongTexts) {
    const std::pair<RemedyField, size_t> capacities[] = {{RemedyField::Rimedio, 50},
                                                         {RemedyField::Indicazioni, 300},
                                                         {RemedyField::Posologia, 900},
                                                         {RemedyField::Avvertenze, 400},
                                                         {RemedyField::SegnaturaPrimaria, 30},
                                                         {RemedyField::SegnaturaSecondaria, 40},
                                                         {RemedyField::SegnaturaZodiacale, 70},
                                                         {RemedyField::SintesiPsichica, 1500},
                                                         {RemedyField::Note, 750},
                                                         {RemedyField::NoteSupplementari, 750}};
    for (auto [field, capacity] : capacities) EXPECT_EQ(RemedyFieldCapacity(field), capacity) << RemedyFieldName(field);

    // A 320-character indication keeps its first 300: 250 in piece 1, 50 in piece 2.
    std::string indication;
    for (int i = 0; i < 320; ++i) indication += static_cast<char>('a' + i % 26);
    RemedyRecord r;
    SplitRemedyField(r, RemedyField::Indicazioni, indication);
    EXPECT_EQ(r.pieces[5], indication.substr(0, 250));
    EXPECT_EQ(r.pieces[6], indication.substr(250, 50));
    EXPECT_EQ(JoinRemedyField(r, RemedyField::Indicazioni), indication.substr(0, 300));

    // A shorter text empties the later pieces it no longer reaches.
    SplitRemedyField(r, RemedyField::Indicazioni, "Asma");
    EXPECT_EQ(r.pieces[5], "Asma");
    EXPECT_EQ(r.pieces[6], "");
}

TEST(RepertoryRecordLayout, OffsetsAndASixHundredCharacterNote) {
    TempFolder t;
    RepertoryRecord r;
    r.patologia = "Asma";
    r.posologia = "10 gocce";
    r.rimedio = "MSA Melissa";
    std::string note(600, 'n');
    note[0] = 'A';
    note[599] = 'Z';
    SplitRepertoryNote(r, note);
    EXPECT_EQ(r.note[0].size(), 250u);
    EXPECT_EQ(r.note[1].size(), 250u);
    EXPECT_EQ(r.note[2].size(), 100u);

    const std::vector<uint8_t> bytes = EncodeRepertoryRecord(r);
    ASSERT_EQ(bytes.size(), 1206u);
    EXPECT_EQ(Text(bytes, kRepertoryOffsets[0]), "Asma");
    EXPECT_EQ(Text(bytes, kRepertoryOffsets[1]), "10 gocce");
    EXPECT_EQ(Text(bytes, kRepertoryOffsets[2]), "MSA Melissa");
    EXPECT_EQ(Text(bytes, kRepertoryOffsets[5]), note.substr(500));

    EXPECT_EQ(AppendRepertoryRecord(t.folder(), r), 2u);
    EXPECT_EQ(JoinRepertoryNote(ReadRepertoryRecord(t.folder(), 1)), note);
    EXPECT_EQ(ReadRepertoryRecord(t.folder(), 0), RepertoryRecord{});
}

TEST(PlantRecordLayout, OffsetsAndNameLists) {
    PlantRecord r{"Insonnia", "Melissa", "MEL", "luna", "venere", "cancro", "calma", "Rossi", "citrale"};
    const std::vector<uint8_t> bytes = EncodePlantRecord(r);
    ASSERT_EQ(bytes.size(), 599u);
    const std::string values[9] = {"Insonnia", "Melissa", "MEL",   "luna",   "venere",
                                   "cancro",   "calma",   "Rossi", "citrale"};
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(Text(bytes, kPlantOffsets[i]), values[i]);
    EXPECT_EQ(DecodePlantRecord(bytes), r);

    TempFolder t;
    const std::string list = EncodeNameList({"", "Achillea", "Un nome lungo oltre venti caratteri"}, 20);
    ASSERT_EQ(list.size(), 63u);
    WriteBytes(t.path / "OpzioneS" / "Piante.rnd", list);
    EXPECT_EQ(ReadNameList(t.folder(), kPlantNameListPath, 20, 1),
              (std::vector<std::string>{"Achillea", "Un nome lungo oltre "}));
}

TEST(RemedyFile, AppendWriteReadAndDeleteByRecordNumber) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    EXPECT_EQ(CountRemedyRecords(folder), 0u);  // missing file: an empty list, no error
    EXPECT_EQ(AppendRemedyRecord(folder, Remedy("MSA A", "uno")), 2u);
    EXPECT_EQ(AppendRemedyRecord(folder, Remedy("MSA B", "due")), 3u);
    EXPECT_EQ(AppendRemedyRecord(folder, Remedy("MSA C", "tre")), 4u);
    EXPECT_EQ(fs::file_size(t.path / "OpzioneH" / "DBmain.rnd"), 4u * 4814);
    EXPECT_EQ(ReadRemedyRecord(folder, 0), RemedyRecord{});

    WriteRemedyRecord(folder, 2, Remedy("MSA B2", "due bis"));
    DeleteRemedyRecord(folder, 1);
    const std::vector<RemedyRecord> all = ReadAllRemedyRecords(folder);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1], Remedy("MSA B2", "due bis"));
    EXPECT_EQ(all[2], Remedy("MSA C", "tre"));
    EXPECT_EQ(fs::file_size(t.path / "OpzioneH" / "DBmain.rnd"), 3u * 4814);

    EXPECT_THROW(DeleteRemedyRecord(folder, 0), DataFileError);
    EXPECT_THROW(ReadRemedyRecord(folder, 3), DataFileError);
    EXPECT_THROW(WriteRemedyRecord(folder, 9, Remedy("x", "y")), DataFileError);
}

TEST(DamagedFiles, AreReportedNamingTheFile) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    // A size that is not a whole number of records.
    WriteBytes(t.path / "OpzioneH" / "DBmain.rnd", std::string(4814 + 10, '\0'));
    try {
        ReadAllRemedyRecords(folder);
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "OpzioneH\\DBmain.rnd");
    }
    EXPECT_THROW(CountRemedyRecords(folder), DataFileError);

    // A length byte above its field's capacity: the 21-character plant field says 200.
    PlantRecord thyme;
    thyme.sintomo = "Tosse";
    thyme.pianta = "Timo";
    std::vector<uint8_t> plant = EncodePlantRecord(thyme);
    plant[101] = 200;
    std::string file(599, '\0');
    file.append(reinterpret_cast<const char*>(plant.data()), plant.size());
    WriteBytes(t.path / "OpzioneS" / "DataStf.rnd", file);
    try {
        ReadPlantRecord(folder, 1);
        FAIL() << "no error";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "OpzioneS\\DataStf.rnd");
        EXPECT_NE(e.fault().find("Pianta"), std::string::npos) << e.fault();
    }

    std::vector<uint8_t> repertory = EncodeRepertoryRecord({});
    repertory[0] = 101;
    EXPECT_THROW(DecodeRepertoryRecord(repertory), DataFileError);
}

TEST(CatalogueOrder, IgnoresCaseAndKeepsEqualLinesTogether) {
    std::vector<std::string> lines = {"melissa",
                                      "Zenzero",
                                      "Achillea",
                                      "MELISSA",
                                      "\xC8quiseto" /* Èquiseto */,
                                      "arnica",
                                      "Melissa",
                                      "\xE8"
                                      "cia" /* ècia */};
    SortIntoCatalogueOrder(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Achillea", "arnica", "MELISSA", "Melissa", "melissa", "Zenzero",
                                               "\xE8"
                                               "cia",
                                               "\xC8quiseto"}));
    EXPECT_TRUE(CatalogueLess("Asma", "asma bronchiale"));
    EXPECT_FALSE(CatalogueLess("asma", "asma"));
}

TEST(RemedyFile, AnInterruptedDeletionLeavesTheOldFileOrTheNew) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    for (const char* name : {"MSA A", "MSA B", "MSA C"}) AppendRemedyRecord(folder, Remedy(name, "uso"));
    const std::string before = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");
    const std::string after = before.substr(0, 4814) + before.substr(2 * 4814);
    ForEachInterruption({.Action = [&] { DeleteRemedyRecord(folder, 1); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "DBmain.rnd"),
                                           point.Completed ? after : before);
                             },
                         .MostSteps = 10});
}
