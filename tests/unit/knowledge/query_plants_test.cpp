#include <gtest/gtest.h>

#include "common/data_file_error.hpp"
#include "knowledge/plant_support_files.hpp"
#include "knowledge/query_fixture_test.hpp"
#include "knowledge/query_plants.hpp"

using namespace florimant;
using florimant::test::KnowledgeFolder;
using florimant::test::Plant;

namespace {
// `count` symptoms for which "Timo" is indicated.
void WriteTimo(const ProgramFolder& folder, int count) {
    for (int i = 1; i <= count; ++i)
        AppendPlantRecord(folder, Plant("Sintomo " + std::to_string(100 + i), "Timo", "Autore " + std::to_string(i),
                                        "marte", "ariete"));
}
}  // namespace

TEST(PlantView, TwentySixMatchesFillOnePage) {
    KnowledgeFolder t;
    WriteTimo(t.folder, 26);
    const PlantView view = SelectPlant(t.folder, "Timo");
    ASSERT_EQ(view.pages.size(), 1u);
    EXPECT_EQ(view.pages[0].symptoms.size(), 26u);
    EXPECT_EQ(view.pages[0].symptoms[0], "Sintomo 101" + std::string(120, '-'));
    EXPECT_EQ(view.pages[0].authors[25], "Autore 26" + std::string(120, '-'));
    EXPECT_EQ(view.details.primary, "marte");
    EXPECT_EQ(PlantPageLabel(1, 1), "");
}

TEST(PlantView, TwentySeventhMatchOpensPageTwo) {
    KnowledgeFolder t;
    WriteTimo(t.folder, 27);
    const PlantView view = SelectPlant(t.folder, "Timo  ");  // trailing blanks disregarded
    ASSERT_EQ(view.pages.size(), 2u);
    EXPECT_EQ(view.pages[1].symptoms.size(), 1u);
    EXPECT_EQ(view.pages[1].authors[0], "Autore 27" + std::string(120, '-'));
    EXPECT_EQ(PlantPageLabel(1, 2), "Pagina 1/2");
}

TEST(PlantView, LaterMatchesAllGoToPageFour) {
    KnowledgeFolder t;
    WriteTimo(t.folder, 100);
    const PlantView view = SelectPlant(t.folder, "Timo");
    ASSERT_EQ(view.pages.size(), 4u);
    EXPECT_EQ(view.pages[2].symptoms.size(), 26u);
    EXPECT_EQ(view.pages[3].symptoms.size(), 22u);
    EXPECT_TRUE(SelectPlant(t.folder, "Salvia").pages.empty());
}

TEST(PlantSymptomView, PlantsOfASymptomAndTheAlternative) {
    KnowledgeFolder t;
    EXPECT_THROW(SelectPlantSymptom(t.folder, "Tosse"), DataFileError);
    EXPECT_TRUE(LoadPlantSymptomPickList(t.folder).empty());
    AppendPlantRecord(t.folder, Plant("Tosse", "Timo", "Culpeper", "marte"));
    AppendPlantRecord(t.folder, Plant("Calcoli", "", "Rivolgersi al medico"));
    AppendPlantRecord(t.folder, Plant("Tosse   ", "Issopo", "Mattioli", "giove"));
    AppendPlantRecord(t.folder, Plant("Tosse", "", "Vedi anche Bronchite"));
    RebuildPlantSupportFiles(t.folder);

    const auto symptoms = LoadPlantSymptomPickList(t.folder);
    EXPECT_EQ(symptoms, (std::vector<std::string>{"Calcoli", "Tosse"}));
    EXPECT_EQ(PlantSymptomSearchBound(symptoms), 2);
    EXPECT_EQ(LoadPlantNamePickList(t.folder), (std::vector<std::string>{"Issopo", "Timo"}));

    const PlantSymptomView tosse = SelectPlantSymptom(t.folder, "Tosse");
    EXPECT_EQ(tosse.plantLines,
              (std::vector<std::string>{"Timo" + std::string(40, '-'), "Issopo" + std::string(40, '-')}));
    EXPECT_EQ(tosse.numberLines, (std::vector<std::string>{"0001", "0003"}));
    EXPECT_EQ(tosse.details.plant, "Issopo");  // the last entry with a plant
    EXPECT_FALSE(tosse.showAlternative);
    EXPECT_EQ(PlantLineDetails(t.folder, tosse, 0).authors, "Culpeper");

    const PlantSymptomView calcoli = SelectPlantSymptom(t.folder, "Calcoli");
    EXPECT_TRUE(calcoli.plantLines.empty());
    EXPECT_TRUE(calcoli.showAlternative);
    EXPECT_EQ(calcoli.alternative, "Rivolgersi al medico");
}
