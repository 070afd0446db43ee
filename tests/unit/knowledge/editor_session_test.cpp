#include <gtest/gtest.h>

#include <algorithm>

#include "knowledge/editor_lists.hpp"
#include "knowledge/editor_primary_info.hpp"
#include "knowledge/editor_session.hpp"
#include "knowledge/query_fixture_test.hpp"

using namespace florimant;
using florimant::test::KnowledgeFolder;
using florimant::test::Remedy;
using florimant::test::Therapy;

namespace {
void WriteDatabase(const ProgramFolder& folder) {
    AppendRemedyRecord(folder, Remedy("TSA Timo", "Tosse", "Sole"));
    AppendRemedyRecord(folder, Remedy("MSA Melissa", "Insonnia", "Luna"));
    AppendRemedyRecord(folder, Remedy("MSA Melissa", "Ansia", "Luna"));
    AppendRemedyRecord(folder, Remedy("QSPC Iperico (1)", "Depressione", "Sole"));
}
size_t Box(EditorFile file, std::string_view name) {
    const auto boxes = EditorBoxes(file);
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].name == name) return i;
    return boxes.size();
}
}  // namespace

TEST(EditorLists, BothOrdersOfBothFiles) {
    KnowledgeFolder t;
    EXPECT_TRUE(BuildEditorList(t.folder, EditorFile::Database, EditorOrder::ByRemedy).empty());
    WriteDatabase(t.folder);
    AppendRepertoryRecord(t.folder, Therapy("Tosse", "TSA Timo"));
    AppendRepertoryRecord(t.folder, Therapy("Asma", "MSA Melissa"));
    EXPECT_EQ(BuildEditorList(t.folder, EditorFile::Database, EditorOrder::ByRemedy),
              (std::vector<std::string>{"MSA Melissa**Ansia", "MSA Melissa**Insonnia", "QSPC Iperico (1)**Depressione",
                                        "TSA Timo**Tosse"}));
    EXPECT_EQ(BuildEditorList(t.folder, EditorFile::Database, EditorOrder::ByOther).front(), "Ansia**MSA Melissa");
    EXPECT_EQ(BuildEditorList(t.folder, EditorFile::Repertory, EditorOrder::ByOther),
              (std::vector<std::string>{"Asma**MSA Melissa", "Tosse**TSA Timo"}));
    EXPECT_EQ(BuildEditorList(t.folder, EditorFile::Repertory, EditorOrder::ByRemedy).back(), "TSA Timo**Tosse");
    EXPECT_EQ(BuildReorderList(t.folder, EditorFile::Database).front(), "TSA Timo**Tosse");
    const EditorLineParts parts = SplitEditorListLine("Ansia**MSA Melissa", EditorOrder::ByOther);
    EXPECT_EQ(parts.remedy, "MSA Melissa");
    EXPECT_EQ(parts.other, "Ansia");
    EXPECT_EQ(EditorSearchKeyCase(EditorFile::Database, EditorOrder::ByOther), SearchKeyCase::FirstUpper);
    EXPECT_EQ(EditorSearchKeyCase(EditorFile::Repertory, EditorOrder::ByOther), SearchKeyCase::AllUpper);
}

TEST(EditorLists, ReorderListRoundTripsAccentedTexts) {
    KnowledgeFolder t;
    WriteDatabase(t.folder);
    AppendRemedyRecord(t.folder, Remedy("TSA Verbena", "Irritabilità"));
    std::vector<std::string> lines = BuildReorderList(t.folder, EditorFile::Database);
    ASSERT_EQ(lines.back(), "TSA Verbena**Irritabilità");
    std::rotate(lines.rbegin(), lines.rbegin() + 1, lines.rend());  // the last entry first
    ApplyReorderList(t.folder, EditorFile::Database, lines);
    EXPECT_EQ(BuildReorderList(t.folder, EditorFile::Database), lines);
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 1), RemedyField::Indicazioni), "Irritabilit\xE0");
}

TEST(EditorSession, LoadsTheRecordOfAListLine) {
    KnowledgeFolder t;
    WriteDatabase(t.folder);
    EditorSession session(EditorFile::Database);
    const auto boxes = session.Load(t.folder, "Ansia**MSA Melissa", EditorOrder::ByOther);
    ASSERT_TRUE(boxes);
    EXPECT_EQ(session.selected(), 3u);
    EXPECT_EQ(session.recordNumberText(), "3 / 4");
    EXPECT_EQ((*boxes)[Box(EditorFile::Database, "EdPlane")], "Luna");
    EXPECT_FALSE(session.showSpecificUseNote());
    ASSERT_TRUE(session.Load(t.folder, "QSPC Iperico (1)**Depressione", EditorOrder::ByRemedy));
    EXPECT_TRUE(session.showSpecificUseNote());
    EXPECT_FALSE(session.Load(t.folder, "MSA Melissa**Tosse", EditorOrder::ByRemedy));
}

TEST(EditorSession, SaveAsNewThenSaveWritesOverTheRecordLoadedBefore) {
    KnowledgeFolder t;
    WriteDatabase(t.folder);
    EditorSession session(EditorFile::Database);
    std::vector<std::string> boxes = *session.Load(t.folder, "TSA Timo**Tosse", EditorOrder::ByRemedy);
    boxes[Box(EditorFile::Database, "MemoIndi")] = "Bronchite";
    const EditorWrite appended = session.SaveAsNew(t.folder, boxes);
    EXPECT_EQ(appended.recordNumber, "Tot=5");
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 5), RemedyField::Indicazioni), "Bronchite");
    boxes[Box(EditorFile::Database, "MemoPoso")] = std::string(950, 'x');
    ASSERT_TRUE(session.Save(t.folder, boxes).written);
    const RemedyRecord first = ReadRemedyRecord(t.folder, 1);
    EXPECT_EQ(JoinRemedyField(first, RemedyField::Indicazioni), "Bronchite");
    EXPECT_EQ(JoinRemedyField(first, RemedyField::Posologia), std::string(900, 'x'));
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 5), RemedyField::Posologia), "");
}

TEST(EditorSession, SaveWithoutSelectionWritesNothingAndDeleteClears) {
    KnowledgeFolder t;
    WriteDatabase(t.folder);
    EditorSession session(EditorFile::Database);
    std::vector<std::string> boxes = session.Clear();
    EXPECT_EQ(boxes[Box(EditorFile::Database, "MemoSint")], "Sintesi Psichica");
    boxes[0] = "MSA Nuova";
    const EditorWrite refused = session.Save(t.folder, boxes);
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.error, "Possibile solo [Salva come Nuovo]");
    EXPECT_EQ(CountRemedyRecords(t.folder), 5u);
    EXPECT_FALSE(session.Delete(t.folder).written);

    // Placeholders left in the memo boxes are not stored as text.
    session.SaveAsNew(t.folder, boxes);
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 5), RemedyField::SintesiPsichica), "");

    ASSERT_TRUE(session.Load(t.folder, "MSA Melissa**Insonnia", EditorOrder::ByRemedy));
    const EditorWrite deleted = session.Delete(t.folder);
    EXPECT_EQ(deleted.recordNumber, "Tot=4");
    EXPECT_EQ(session.selected(), 0u);
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 2), RemedyField::Indicazioni), "Ansia");
}

TEST(EditorSession, LeavingShowsThePanelOnlyForChangesWithTheDatabaseCode) {
    KnowledgeFolder t;
    WriteDatabase(t.folder);
    EditorSession session(EditorFile::Database);
    std::vector<std::string> boxes = *session.Load(t.folder, "TSA Timo**Tosse", EditorOrder::ByRemedy);
    EXPECT_FALSE(session.CheckLeave(true, boxes).show);

    const size_t dosage = Box(EditorFile::Database, "MemoPoso");
    boxes[dosage] = "10 gocce";
    session.BoxChanged(dosage);
    LeavePanel panel = session.CheckLeave(true, boxes);
    EXPECT_TRUE(panel.show);
    EXPECT_TRUE(panel.descriptionsChanged);
    EXPECT_FALSE(panel.nameChanged);
    EXPECT_TRUE(panel.saveEnabled);
    EXPECT_FALSE(panel.saveAsNewEnabled);
    EXPECT_TRUE(panel.deleteEnabled);
    EXPECT_FALSE(session.CheckLeave(false, boxes).show);

    boxes = session.Clear();
    EXPECT_FALSE(session.CheckLeave(true, boxes).show);  // "Indicazioni" counts as empty
    boxes[0] = "MSA Nuova";
    session.BoxChanged(0);
    panel = session.CheckLeave(true, boxes);
    EXPECT_TRUE(panel.nameChanged);
    EXPECT_FALSE(panel.descriptionsChanged);
    EXPECT_TRUE(panel.saveAsNewEnabled);
    EXPECT_FALSE(panel.deleteEnabled);
}

TEST(EditorSession, RepertoryEntries) {
    KnowledgeFolder t;
    AppendRepertoryRecord(t.folder, Therapy("Asma", "MSA Melissa", "10 gocce", std::string(600, 'n')));
    EditorSession session(EditorFile::Repertory);
    std::vector<std::string> boxes = *session.Load(t.folder, "Asma**MSA Melissa", EditorOrder::ByOther);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Asma", "MSA Melissa", "10 gocce", std::string(600, 'n')}));
    EXPECT_EQ(session.recordNumberText(), "1 / 1");
    session.NotesKeyPressed();
    EXPECT_TRUE(session.CheckLeave(true, boxes).descriptionsChanged);
    boxes[0] = "Bronchite";
    EXPECT_EQ(session.SaveAsNew(t.folder, boxes).recordNumber, "Tot=2");
    EXPECT_EQ(ReadRepertoryRecord(t.folder, 2).patologia, "Bronchite");
    EXPECT_EQ(JoinRepertoryNote(ReadRepertoryRecord(t.folder, 2)), std::string(600, 'n'));
}

TEST(LengthWarning, AtEachFieldsCapacity) {
    const size_t indication = Box(EditorFile::Database, "MemoIndi");
    EXPECT_FALSE(ExceedsBoxCapacity(EditorFile::Database, indication, std::string(299, 'a'), "b", false));
    EXPECT_TRUE(ExceedsBoxCapacity(EditorFile::Database, indication, std::string(300, 'a'), "b", false));
    EXPECT_FALSE(ExceedsBoxCapacity(EditorFile::Database, indication, std::string(301, 'a'), "", true));
    // Characters, not bytes: 50 accented letters fit the name.
    std::string accented;
    for (int i = 0; i < 49; ++i) accented += "è";
    EXPECT_FALSE(ExceedsBoxCapacity(EditorFile::Database, 0, accented, "à", false));
    std::vector<size_t> capacities;
    for (const EditorBox& b : EditorBoxes(EditorFile::Database)) capacities.push_back(b.capacity);
    EXPECT_EQ(capacities, (std::vector<size_t>{50, 300, 900, 400, 30, 40, 70, 1500, 750, 750}));
    capacities.clear();
    for (const EditorBox& b : EditorBoxes(EditorFile::Repertory)) capacities.push_back(b.capacity);
    EXPECT_EQ(capacities, (std::vector<size_t>{100, 100, 250, 750}));
}

TEST(EditorWordFinder, FindsOnwardAndStartsAgainAfterTheEnd) {
    const std::vector<std::string> list = {"Ansia**MSA Melissa", "Asma**TSA Timo", "Tosse**MSA Timo"};
    EditorWordFinder finder;
    EXPECT_EQ(finder.Find(list, "timo"), 1u);
    EXPECT_EQ(finder.Find(list, "timo"), 2u);
    EXPECT_FALSE(finder.Find(list, "timo"));
    EXPECT_EQ(finder.Find(list, "timo"), 1u);
    finder.Restart();
    EXPECT_EQ(finder.Find(list, "MSA"), 0u);
}

TEST(PrimaryInfo, SidePanelTextsAndMissingRemedy) {
    KnowledgeFolder t;
    AppendRemedyRecord(t.folder, Remedy({{RemedyField::Rimedio, "MSA Melissa"},
                                         {RemedyField::SegnaturaPrimaria, "Luna"},
                                         {RemedyField::Avvertenze, "Non in gravidanza."},
                                         {RemedyField::Note, std::string(250, 'a') + "bb"}}));
    const PrimaryDatabaseInfo info = LookUpPrimaryInfo(t.folder, "msa MELISSA");
    ASSERT_TRUE(info.found);
    EXPECT_EQ(info.warnings, "Non in gravidanza.");
    EXPECT_EQ(info.signatures, "Luna\r\n\r\n");
    EXPECT_EQ(info.synthesis, "Nessuna Sintesi Psichica Registrata");
    EXPECT_EQ(info.notes, std::string(250, 'a') + "\r\nbb\r\n");
    const PrimaryDatabaseInfo missing = LookUpPrimaryInfo(t.folder, "MSA Assente");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.missingMessage, "MSA Assente non è rintracciabile nel Database Primario.");

    AppendRemedyRecord(t.folder, Remedy("TSA Timo", ""));
    const PrimaryDatabaseInfo bare = LookUpPrimaryInfo(t.folder, "TSA Timo");
    EXPECT_EQ(bare.warnings, "Nessuna Avvertenza Registrata");
    EXPECT_EQ(bare.signatures, "Nessuna Segnatura Astrologica");
    EXPECT_EQ(bare.notes, "Nessuna Nota Registrata");
}
