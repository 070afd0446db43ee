#include <gtest/gtest.h>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "knowledge/query_fixture_test.hpp"
#include "knowledge/search_remedy_pick_list.hpp"
#include "knowledge/search_remedy_text.hpp"
#include "knowledge/search_signature.hpp"
#include "knowledge/search_utility.hpp"
#include "knowledge/search_word_match.hpp"

using namespace florimant;
using florimant::test::KnowledgeFolder;
using florimant::test::Remedy;
using florimant::test::Therapy;

TEST(RemedyPickList, LeavesOutErroreAndKeepsOneLinePerName) {
    std::vector<RemedyRecord> records = {
        Remedy("Intestazione", ""),  // the header record is listed like the entries
        Remedy("MSA Melissa", "Ansia"),    Remedy("Errore di prova", "Tosse"), Remedy("msa achillea", "Febbre"),
        Remedy("MSA Melissa", "Insonnia"), Remedy("TSA Timo   ", "Tosse"),     Remedy("", "Asma"),
    };
    const RemedyPickList list = BuildRemedyPickList(records);
    EXPECT_EQ(list.names, (std::vector<std::string>{"Intestazione", "msa achillea", "MSA Melissa", "TSA Timo"}));
    EXPECT_EQ(list.firstRecords, (std::vector<size_t>{0, 3, 1, 5}));
}

TEST(RemedyPickList, WritesTheProductIndexAlongsideTheList) {
    KnowledgeFolder t;
    EXPECT_THROW(LoadRemedyPickList(t.folder), DataFileError);
    AppendRemedyRecord(t.folder, Remedy("TSA Timo", "Tosse"));
    AppendRemedyRecord(t.folder, Remedy("MSA Melissa", "Ansia"));
    const RemedyPickList list = LoadRemedyPickList(t.folder);
    EXPECT_EQ(ReadTextLines(t.folder, "FileDum\\Prdts.dum"), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(ReadProductIndex(t.folder), list.firstRecords);
    ReplaceTextFile(t.folder, "FileDum\\Prdts.dum", {"2", "x"});
    EXPECT_THROW(ReadProductIndex(t.folder), DataFileError);
}

namespace {
// Fifteen remedies with Marte somewhere in their planets, and two without.
std::vector<std::string> WriteSignatureDatabase(const ProgramFolder& folder) {
    for (int i = 1; i <= 15; ++i) {
        const std::string name = "MSA Pianta " + std::string(1, static_cast<char>('A' + i - 1));
        if (i % 2) AppendRemedyRecord(folder, Remedy(name, "Asma", "Marte", "Sole", "Ariete"));
        else AppendRemedyRecord(folder, Remedy(name, "Asma", "Giove", "Luna-Marte", "Scorpione Pesci"));
    }
    AppendRemedyRecord(folder, Remedy("TSA Timo", "Tosse", "Sole", "marte", "Ariete"));
    AppendRemedyRecord(folder, Remedy("Errore Marte", "Tosse", "Marte"));
    return LoadRemedyPickList(folder).names;
}
}  // namespace

TEST(SignatureSearch, PlanetInEitherSignatureWithAnySign) {
    KnowledgeFolder t;
    const std::vector<std::string> pickList = WriteSignatureDatabase(t.folder);
    EXPECT_EQ(pickList.size(), 16u);  // "Errore Marte" is not offered
    const size_t count = RunSignatureSearch(t.folder, pickList, "Marte", "Qualsiasi");
    EXPECT_EQ(count, 15u);  // "marte" in lower case does not count
    SignaturePages pages(count);
    EXPECT_EQ(pages.Text(), "1/2");
    EXPECT_TRUE(pages.red());
    const auto first = ReadSignaturePage(t.folder, 1);
    EXPECT_EQ(first[0], (SignatureRow{"MSA Pianta A", "Marte", "Sole", "Ariete"}));
    EXPECT_EQ(first[13].remedy, "MSA Pianta N");
    EXPECT_TRUE(pages.Next());
    EXPECT_FALSE(pages.red());
    EXPECT_FALSE(pages.Next());
    EXPECT_EQ(pages.Text(), "2/2");
    const auto second = ReadSignaturePage(t.folder, 2);
    EXPECT_EQ(second[0].remedy, "MSA Pianta O");
    EXPECT_EQ(second[1], SignatureRow{});
    EXPECT_EQ(ReadTextLines(t.folder, "FileDum\\Segnat.dum").size(), 60u);

    EXPECT_EQ(RunSignatureSearch(t.folder, pickList, "Marte", "Scorpione"), 7u);
    EXPECT_EQ(RunSignatureSearch(t.folder, pickList, "Qualsiasi", "Ariete"), 9u);
    EXPECT_EQ(RunSignatureSearch(t.folder, pickList, "NodoSud", "Qualsiasi"), 0u);
    EXPECT_EQ(SignaturePages(0).Text(), "1/0");
    EXPECT_FALSE(SignaturePages(14).red());
}

TEST(SignatureSearch, HandPickedRowAndSignatureFilter) {
    KnowledgeFolder t;
    WriteSignatureDatabase(t.folder);
    EXPECT_EQ(PickedSignatureRow(t.folder, "TSA Timo"), (SignatureRow{"TSA Timo", "Sole", "marte", "Ariete"}));
    EXPECT_FALSE(PickedSignatureRow(t.folder, "TSA Assente"));
    const RemedyRecord r = Remedy("X", "Y", "Sole-Luna", "", "Leone");
    EXPECT_TRUE(PassesSignatureFilter(r, "Luna", "Leone"));
    EXPECT_FALSE(PassesSignatureFilter(r, "Luna", "Toro"));
    EXPECT_FALSE(PassesSignatureFilter(r, "Marte", "Qualsiasi"));
}

TEST(WordMatch, IgnoresTheCaseOfPlainLettersAndHighlightsTheFirstMatch) {
    EXPECT_TRUE(WordMatch("Stati di Ansia e paura", "ansia"));
    EXPECT_FALSE(WordMatch("Stati di ansia", "ansie"));
    EXPECT_FALSE(WordMatch("Perché", "PERCHÉ"));  // only a-z change case
    const HighlightedText h = HighlightFirstMatch("Calma l'Ansia; l'ansia notturna", "ansia");
    EXPECT_EQ(h.text, "Calma l'ANSIA; l'ansia notturna");
    EXPECT_EQ(h.position, 8u);
    EXPECT_EQ(HighlightFirstMatch("Città: ansia", "ansia").position, 8u);  // bytes: "à" takes two
    EXPECT_FALSE(HighlightFirstMatch("niente", "ansia").position);
}

namespace {
void WriteTextDatabase(const ProgramFolder& folder) {
    AppendRemedyRecord(folder, Remedy({{RemedyField::Rimedio, "MSA Melissa"},
                                       {RemedyField::Indicazioni, "Ansia"},
                                       {RemedyField::SintesiPsichica, "Placa l'Ansia del cuore."},
                                       {RemedyField::Note, "Acido rosmarinico, citrale"}}));
    AppendRemedyRecord(folder, Remedy({{RemedyField::Rimedio, "TSA Timo"},
                                       {RemedyField::Indicazioni, "Tosse"},
                                       {RemedyField::SintesiPsichica, "Ok"}}));
    AppendRemedyRecord(folder, Remedy({{RemedyField::Rimedio, "TSA Timo"},
                                       {RemedyField::Indicazioni, "Astenia"},
                                       {RemedyField::Note, "Timolo, carvacrolo"}}));
    AppendRemedyRecord(folder,
                       Remedy({{RemedyField::Rimedio, "Errore vecchio"}, {RemedyField::SintesiPsichica, "ansia"}}));
}
}  // namespace

TEST(RemedyTextSearch, SynthesisSearchFindsAndHighlights) {
    KnowledgeFolder t;
    WriteTextDatabase(t.folder);
    const std::vector<std::string> pickList = LoadRemedyPickList(t.folder).names;
    EXPECT_EQ(FindRemediesContaining(t.folder, pickList, RemedyTextSearch::Synthesis, "ansia"),
              std::vector<std::string>{"MSA Melissa"});
    EXPECT_EQ(FindRemediesContaining(t.folder, pickList, RemedyTextSearch::Synthesis, "paura"),
              std::vector<std::string>{"**NESSUN RISULTATO**"});
    const auto found = ShowFoundRemedyText(t.folder, RemedyTextSearch::Synthesis, "MSA Melissa", "ansia");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->label, "Sintesi Psichica di MSA Melissa");
    EXPECT_EQ(found->text, "Placa l'ANSIA del cuore.");
    EXPECT_FALSE(ShowFoundRemedyText(t.folder, RemedyTextSearch::Synthesis, "**NESSUN RISULTATO**", "ansia"));
    // A synthesis under five characters has its fallback on a pick-list click.
    EXPECT_EQ(ShowRemedyText(t.folder, RemedyTextSearch::Synthesis, "TSA Timo").text,
              "Non è riportata una Sintesi Psichica");
    EXPECT_EQ(ShowRemedyText(t.folder, RemedyTextSearch::Synthesis, "Nessuno").label, "Sintesi Psichica");
}

TEST(RemedyTextSearch, CompositionLooksAtEveryRecordOfARemedy) {
    KnowledgeFolder t;
    WriteTextDatabase(t.folder);
    const std::vector<std::string> pickList = LoadRemedyPickList(t.folder).names;
    // The second record of "TSA Timo" carries the match.
    EXPECT_EQ(FindRemediesContaining(t.folder, pickList, RemedyTextSearch::Composition, "TIMOLO"),
              std::vector<std::string>{"TSA Timo"});
    const RemedyTextPanel panel = ShowRemedyText(t.folder, RemedyTextSearch::Composition, "TSA Timo");
    EXPECT_EQ(panel.label, "Composizione di TSA Timo");
    EXPECT_EQ(panel.text, "");  // the first record has no notes and no fallback
    EXPECT_EQ(ResetLabel(RemedyTextSearch::Composition), "Composizione del Rimedio");
}

TEST(UtilitySearch, StepsThroughMatchesToTheEndOfTheFile) {
    KnowledgeFolder t;
    WriteTextDatabase(t.folder);
    UtilitySearch search;
    search.SelectField(7);  // Sintesi Psichica
    UtilityStep step = search.Press(t.folder, "ansia");
    ASSERT_TRUE(step.found);
    EXPECT_EQ(step.record, 1u);
    EXPECT_EQ(step.remedy, "MSA Melissa");
    EXPECT_EQ(step.before, "Placa l'");
    EXPECT_EQ(step.after, "Ansia del cuore.");
    EXPECT_EQ(step.lengthText, "24/1500");
    EXPECT_EQ(step.positionText, "2");
    EXPECT_EQ(search.caption(), "Continua");
    // The last record is searched too.
    step = search.Press(t.folder, "ignored while under way");
    ASSERT_TRUE(step.found);
    EXPECT_EQ(step.record, 4u);
    step = search.Press(t.folder, "");
    EXPECT_FALSE(step.found);
    EXPECT_EQ(step.remedy, "FINE ARCHIVIO");
    EXPECT_EQ(step.before, "FINE ARCHIVIO");
    EXPECT_EQ(step.positionText, "4");
    EXPECT_EQ(search.caption(), "Cerca");
    EXPECT_FALSE(search.foundRecord());
    // The next press starts afresh with the box's phrase.
    EXPECT_EQ(search.Press(t.folder, "cuore").record, 1u);
    search.PhraseChanged();
    EXPECT_EQ(search.caption(), "Cerca");
}

TEST(UtilitySearch, FieldCapacitiesAndSavingCutsToThem) {
    KnowledgeFolder t;
    WriteTextDatabase(t.folder);
    AppendRepertoryRecord(t.folder, Therapy("Asma", "MSA Melissa", "10 gocce"));
    std::vector<size_t> capacities;
    for (const UtilityField& f : UtilityFields(UtilityFile::Database)) capacities.push_back(f.capacity);
    EXPECT_EQ(capacities, (std::vector<size_t>{50, 300, 900, 400, 30, 40, 70, 1500, 750, 750}));
    EXPECT_EQ(UtilityFields(UtilityFile::Repertory)[1].caption, "Patologia");

    SaveUtilityField(t.folder, UtilityFile::Database, 2, 1, std::string(950, 'p'));
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 1), RemedyField::Posologia), std::string(900, 'p'));
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(t.folder, 1), RemedyField::Rimedio), "MSA Melissa");

    const UtilityStep step = UtilitySearchStep(t.folder, UtilityFile::Repertory, 2, "GOCCE", 0);
    ASSERT_TRUE(step.found);
    EXPECT_EQ(step.lengthText, "8/250");
    EXPECT_EQ(step.before + step.after, "10 gocce");
    SaveUtilityField(t.folder, UtilityFile::Repertory, 3, 1, "riga 1\nriga 2");
    EXPECT_EQ(JoinRepertoryNote(ReadRepertoryRecord(t.folder, 1)), "riga 1\r\nriga 2");
    EXPECT_THROW(UtilitySearchStep(t.folder, UtilityFile::Repertory, 4, "x", 0), std::out_of_range);
}
