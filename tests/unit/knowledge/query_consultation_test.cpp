#include <gtest/gtest.h>

#include <algorithm>

#include "common/data_file_error.hpp"
#include "common/utf8.hpp"
#include "knowledge/query_consultation.hpp"
#include "knowledge/query_fixture_test.hpp"
#include "knowledge/query_incremental_search.hpp"
#include "knowledge/query_signature_popup.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/support_files.hpp"

using namespace florimant;
using florimant::test::KnowledgeFolder;
using florimant::test::Remedy;
using florimant::test::Therapy;

namespace {
std::vector<size_t> Numbers(size_t first, size_t count) {
    std::vector<size_t> v;
    for (size_t i = 0; i < count; ++i) v.push_back(first + i);
    return v;
}
}  // namespace

TEST(IncrementalSearch, KeyCaseFollowsTheWindow) {
    std::string symptomKey, remedyKey;
    for (const char* c : {"a", "c"}) {
        AppendToSearchKey(symptomKey, c, SearchKeyCase::FirstUpper);
        AppendToSearchKey(remedyKey, c, SearchKeyCase::AllUpper);
    }
    EXPECT_EQ(symptomKey, "Ac");
    EXPECT_EQ(remedyKey, "AC");
    // Backspace takes a whole accented character; the next first character is raised again.
    AppendToSearchKey(symptomKey, "è", SearchKeyCase::FirstUpper);
    RemoveLastSearchKeyCharacter(symptomKey);
    EXPECT_EQ(symptomKey, "Ac");
    RemoveLastSearchKeyCharacter(symptomKey);
    RemoveLastSearchKeyCharacter(symptomKey);
    RemoveLastSearchKeyCharacter(symptomKey);
    EXPECT_EQ(symptomKey, "");
    AppendToSearchKey(symptomKey, "t", SearchKeyCase::FirstUpper);
    EXPECT_EQ(symptomKey, "T");
}

TEST(IncrementalSearch, BisectsOnThePrefixOfTheKeyLength) {
    const std::vector<std::string> list = {"Acne", "Afte", "Ansia", "Asma", "Cefalea", "Colite", "Insonnia", "Tosse"};
    const int h = SearchBoundBelowCount(list);
    EXPECT_EQ(list[IncrementalSearchPosition(list, "As", h)], "Asma");
    EXPECT_EQ(list[IncrementalSearchPosition(list, "C", h)].substr(0, 1), "C");
    EXPECT_EQ(list[IncrementalSearchPosition(list, "Ins", h)], "Insonnia");
    // Byte-wise and case-sensitive: a lower-case key sorts after every capital.
    EXPECT_EQ(IncrementalSearchPosition(list, "as", SearchBoundCount(list)), 7);
}

TEST(IncrementalSearch, StaysInsideTheListWhateverTheBound) {
    EXPECT_EQ(IncrementalSearchPosition({}, "A", 0), -1);
    EXPECT_EQ(IncrementalSearchPosition({}, "A", -1), -1);
    const std::vector<std::string> one = {"Asma"};
    EXPECT_EQ(IncrementalSearchPosition(one, "Z", SearchBoundCount(one)), 0);
    EXPECT_EQ(IncrementalSearchPosition(one, "Z", SearchBoundBelowCount(one)), 0);
    // With the bound n the last entry is reachable; with n - 1 the bisection stops before it.
    const std::vector<std::string> list = {"A", "B", "C", "D"};
    EXPECT_EQ(IncrementalSearchPosition(list, "D", SearchBoundCount(list)), 3);
    EXPECT_EQ(IncrementalSearchPosition(list, "D", SearchBoundBelowCount(list)), 2);
    EXPECT_EQ(IncrementalSearchPosition(list, "Z", 1000), 3);
}

TEST(MatchPages, FourteenMatchesFillOnePage) {
    MatchPages pages(Numbers(1, 14));
    EXPECT_EQ(pages.CounterText(), "1/1");
    EXPECT_EQ(pages.counterColour(), PageCounterColour::Aqua);
    pages.NextPage();
    EXPECT_EQ(pages.page(), 1);
    EXPECT_EQ(pages.PageRecords().size(), 14u);
    EXPECT_EQ(pages.SlotRecord(14), 14u);
    EXPECT_FALSE(pages.SlotRecord(15));
}

TEST(MatchPages, FifteenthMatchOpensASecondPage) {
    MatchPages pages(Numbers(101, 15));
    EXPECT_EQ(pages.CounterText(), "1/2");
    EXPECT_EQ(pages.counterColour(), PageCounterColour::Red);
    pages.NextPage();
    EXPECT_EQ(pages.CounterText(), "2/2");
    EXPECT_EQ(pages.counterColour(), PageCounterColour::Aqua);
    EXPECT_EQ(pages.PageRecords(), std::vector<size_t>{115});
    EXPECT_EQ(pages.SlotRecord(1), 115u);
    EXPECT_FALSE(pages.SlotRecord(2));
    pages.NextPage();
    EXPECT_EQ(pages.page(), 2);
    pages.PreviousPage();
    pages.PreviousPage();  // on page 1: refills page 1
    EXPECT_EQ(pages.page(), 1);
    EXPECT_EQ(pages.PageRecords().front(), 101u);
}

TEST(MatchPages, KeepsTenPagesAndCountsTheRest) {
    MatchPages pages(Numbers(1, 200));
    EXPECT_EQ(pages.records().size(), 140u);
    EXPECT_EQ(pages.found(), 200u);
    EXPECT_TRUE(pages.truncated());
    EXPECT_EQ(pages.pageCount(), 10);
    for (int i = 0; i < 12; ++i) pages.NextPage();
    EXPECT_EQ(pages.CounterText(), "10/10");
    EXPECT_EQ(pages.PageRecords().back(), 140u);
    MatchPages none;
    EXPECT_EQ(none.CounterText(), "");
    EXPECT_EQ(none.counterColour(), PageCounterColour::None);
    EXPECT_EQ(none.pageCount(), 1);
}

TEST(SlotViewStates, CycleAndResetPerSlot) {
    SlotViewStates states(4);
    std::vector<int> shown;
    for (int i = 0; i < 5; ++i) shown.push_back(states.Advance(3));
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(states.state(2), 0);
    states.Reset();
    EXPECT_EQ(states.state(3), 0);
    EXPECT_EQ(states.Advance(99), 0);  // no such slot: nothing moves
}

TEST(SignaturePopup, MarksThePrimaryPlanets) {
    EXPECT_EQ(SignaturePopupWords("Sole-Luna Marte", true), (std::vector<std::string>{"§ Sole", "§ Luna", "Marte"}));
    EXPECT_EQ(SignaturePopupWords("Marte ", true), (std::vector<std::string>{"§ Marte"}));
    EXPECT_EQ(SignaturePopupWords("Ariete-Leone", false), (std::vector<std::string>{"Ariete", "Leone"}));
    // Two separators in a row leave an empty word.
    EXPECT_EQ(SignaturePopupWords("Toro  Pesci", false), (std::vector<std::string>{"Toro", "", "Pesci"}));
    const auto words = SignaturePopupWords("A B C D E F G H I J K L M N Sagittarioneeeeeeeee", false);
    EXPECT_EQ(words.size(), 12u);
    EXPECT_EQ(FirstCharacters("Sagittarioneeeeeeeee", 15), SignaturePopupWords("Sagittarioneeeeeeeee", false)[0]);
    EXPECT_EQ(SignaturePopupHeight(3), 60);
}

namespace {
// A database where "Asma" is indicated by 15 remedies and "Tosse" by one with all texts empty.
void WriteAsmaDatabase(const ProgramFolder& folder) {
    for (int i = 1; i <= 15; ++i)
        AppendRemedyRecord(folder, Remedy("MSA Pianta " + std::to_string(i), "Asma", "Sole-Luna", "Marte", "Leone"));
    AppendRemedyRecord(folder, Remedy({{RemedyField::Rimedio, "TSA Melissa"},
                                       {RemedyField::Indicazioni, "Tosse"},
                                       {RemedyField::Posologia, "20 gocce"},
                                       {RemedyField::SintesiPsichica, "Calma l'ansia.  ;"},
                                       {RemedyField::Note, "Acido rosmarinico"}}));
    AppendRemedyRecord(folder, Remedy("QSPC Iperico (2)", "Tosse", "Sole"));
}
}  // namespace

TEST(SymptomConsultation, FindsExactIndicationsAndFillsPages) {
    KnowledgeFolder t;
    WriteAsmaDatabase(t.folder);
    MatchPages asma = FindSymptomMatches(t.folder, "Asma");
    EXPECT_EQ(asma.found(), 15u);
    EXPECT_EQ(asma.CounterText(), "1/2");
    const auto slots = PageSlots(t.folder, Consultation::Symptom, asma);
    ASSERT_EQ(slots.size(), 14u);
    EXPECT_EQ(slots[0].remedy, "MSA Pianta 1");
    EXPECT_EQ(slots[0].planets, "Sole-Luna Marte");
    EXPECT_EQ(slots[0].signs, "Leone");
    EXPECT_TRUE(FindSymptomMatches(t.folder, "asma").empty());
    EXPECT_TRUE(FindSymptomMatches(t.folder, "").empty());  // the header record is never matched
}

TEST(SymptomConsultation, SlotButtonCyclesThroughFourViewsWithFallbacks) {
    KnowledgeFolder t;
    WriteAsmaDatabase(t.folder);
    const MatchPages tosse = FindSymptomMatches(t.folder, "Tosse");
    SlotViewStates states(ConsultationViewStates(Consultation::Symptom));
    std::vector<SlotView> views;
    for (int i = 0; i < 5; ++i)
        views.push_back(*ConsultationSlotView(t.folder, Consultation::Symptom, tosse, 1, states.Advance(1)));
    EXPECT_EQ(views[0].label, "TSA Melissa - Avvertenze");
    EXPECT_EQ(views[0].text, "Non è stato finora necessario prescrivere Avvertenze");
    EXPECT_EQ(views[1].label, "TSA Melissa - Sintesi Psichica");
    EXPECT_EQ(views[1].text, "Calma l'ansia.");  // trailing junk trimmed
    EXPECT_EQ(views[2].text, "Acido rosmarinico");
    EXPECT_EQ(views[3].text, "Il Database Primario non riporta Note Supplementari");
    EXPECT_EQ(views[4].label, views[0].label);
    // An empty slot has nothing to show.
    EXPECT_FALSE(ConsultationSlotView(t.folder, Consultation::Symptom, tosse, 3, 0));
}

TEST(RemedyConsultation, AliasLineFillsTheSameSlotsAsTheMainLine) {
    KnowledgeFolder t;
    WriteAsmaDatabase(t.folder);
    RebuildSupportFiles(t.folder);
    const std::vector<std::string> list = LoadConsultationPickList(t.folder, Consultation::Remedy);
    std::string mainLine, aliasLine;
    for (const std::string& line : list) {
        if (line == "TSA Melissa") mainLine = line;
        if (line.rfind("Melissa (TSA)", 0) == 0) aliasLine = line;
    }
    ASSERT_FALSE(aliasLine.empty());
    const RemedySelection byName = SelectRemedy(t.folder, mainLine);
    const RemedySelection byAlias = SelectRemedy(t.folder, aliasLine);
    EXPECT_EQ(byAlias.matches.records(), byName.matches.records());
    EXPECT_EQ(byAlias.heading, "TSA Melissa");
    EXPECT_EQ(byAlias.kind, "(Tintura Spagirico-Alchemica)");
    EXPECT_EQ(byAlias.warnings, "Non è stato finora necessario prescrivere Avvertenze");
    EXPECT_EQ(byAlias.synthesis, "Calma l'ansia.  ;");
    const auto slots = PageSlots(t.folder, Consultation::Remedy, byAlias.matches);
    ASSERT_EQ(slots.size(), 1u);
    EXPECT_EQ(slots[0].detail, "Tosse");
    EXPECT_FALSE(byName.showSpecificUseNote);
    EXPECT_TRUE(SelectRemedy(t.folder, "QSPC Iperico (2)").showSpecificUseNote);
    EXPECT_EQ(RemedySlotView(ReadRemedyRecord(t.folder, 16), 0).text, "20 gocce");
}

TEST(RemedyConsultation, AliasOfALongNameCarriesTheWholeName) {
    const std::string name = "MSA Achillea millefolium sommità fiorite, uso est";  // 49 characters
    const std::string alias = std::string("Achillea millefolium sommità f (MSA)") + std::string(34, ' ') + name;
    EXPECT_EQ(AliasRemedyName(alias), name);
    EXPECT_EQ(AliasRemedyName("MSA Melissa"), "MSA Melissa");
    EXPECT_EQ(RemedyKindText("QSPC Rosa TSA"), "(Quintessenza Spagirica di Paracelso Canonica)");
    EXPECT_EQ(RemedyKindText("HS 8 - Iperico"), "");
}

TEST(TherapyConsultation, ListsRemediesInFileOrderWithNotesAndWarnings) {
    KnowledgeFolder t;
    WriteAsmaDatabase(t.folder);
    AppendRepertoryRecord(t.folder, Therapy("Asma", "TSA Melissa", "10 gocce", "Al mattino"));
    AppendRepertoryRecord(t.folder, Therapy("Tosse", "MSA Pianta 1"));
    AppendRepertoryRecord(t.folder, Therapy("Asma", "MSA Inesistente", "5 gocce", " ;"));
    const MatchPages asma = FindTherapyMatches(t.folder, "Asma");
    EXPECT_EQ(asma.records(), (std::vector<size_t>{1, 3}));
    const auto slots = PageSlots(t.folder, Consultation::Therapy, asma);
    EXPECT_EQ(slots[1].remedy, "MSA Inesistente");
    EXPECT_EQ(slots[1].detail, "5 gocce");

    const SlotView notes = *ConsultationSlotView(t.folder, Consultation::Therapy, asma, 1, 0, "Asma");
    EXPECT_EQ(notes.label, "Note su TSA Melissa / Asma");
    EXPECT_EQ(notes.text, "Al mattino");
    EXPECT_EQ(TherapyNotesView(t.folder, "Asma", "MSA Inesistente").text,
              "Nessuna Nota registrata per questa combinazione Patologia-Rimedio");
    const SlotView warnings = *ConsultationSlotView(t.folder, Consultation::Therapy, asma, 1, 1, "Asma");
    EXPECT_EQ(warnings.label, "TSA Melissa - Avvertenze");
    EXPECT_EQ(warnings.text, "Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio");
    const SlotView missing = TherapyWarningsView(t.folder, "MSA Inesistente");
    EXPECT_EQ(missing.label, "MSA Inesistente non è stato rintracciato nel Database Primario");
    EXPECT_EQ(missing.text, "");
}

TEST(Consultation, EveryListedLineFindsTheEntriesItWasListedFor) {
    KnowledgeFolder t;
    AppendRemedyRecord(t.folder, Remedy("MSA Timo", "Tosse, "));
    AppendRemedyRecord(t.folder, Remedy("TSA Timo ;", "Tosse"));
    AppendRemedyRecord(t.folder, Remedy("MSA Rosa", "Tosse secca"));
    RebuildSupportFiles(t.folder);
    const auto symptoms = LoadConsultationPickList(t.folder, Consultation::Symptom);
    ASSERT_EQ(std::count(symptoms.begin(), symptoms.end(), "Tosse"), 1);
    EXPECT_EQ(FindSymptomMatches(t.folder, "Tosse").records(), (std::vector<size_t>{1, 2}));
    EXPECT_EQ(SelectRemedy(t.folder, "TSA Timo").matches.records(), std::vector<size_t>{2});
    EXPECT_EQ(SelectRemedy(t.folder, "Timo (TSA)" + std::string(60, ' ') + "TSA Timo").heading, "TSA Timo ;");
}

TEST(Consultation, PickListsAndMissingFiles) {
    KnowledgeFolder t;
    EXPECT_TRUE(LoadConsultationPickList(t.folder, Consultation::Therapy).empty());
    EXPECT_THROW(LoadConsultationPickList(t.folder, Consultation::Symptom), DataFileError);
    EXPECT_THROW(FindSymptomMatches(t.folder, "Asma"), DataFileError);
    WriteAsmaDatabase(t.folder);
    RebuildSupportFiles(t.folder);
    const auto symptoms = LoadConsultationPickList(t.folder, Consultation::Symptom);
    EXPECT_EQ(symptoms, (std::vector<std::string>{"Asma", "Tosse"}));
    EXPECT_EQ(ConsultationSearchBound(Consultation::Symptom, symptoms), 1);
    EXPECT_EQ(ConsultationSearchBound(Consultation::Therapy, symptoms), 2);
}
