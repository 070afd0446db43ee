#include <gtest/gtest.h>

#include "knowledge/csv_io.hpp"
#include "record_test_support.hpp"

using namespace florimant;
using namespace knowledge_test;

// The shipped knowledge base is what the generator makes of its CSV sources, byte for byte.
TEST(InstalledKnowledgeBase, MatchesItsCsvSources) {
    const fs::path data = fs::path(FLORIMANT_SOURCE_DIR) / "tools" / "knowledge-base" / "data";
    const fs::path installation = FLORIMANT_INSTALLATION_DIR;
    TempFolder t;
    const std::vector<std::string> used = BuildKnowledgeBaseFromCsv(t.folder(), data);
    EXPECT_EQ(used, (std::vector<std::string>{"remedies.csv", "repertory.csv", "plants.csv"}));

    const auto generated = Snapshot(t.path);
    for (const auto& [name, bytes] : generated) {
        ASSERT_TRUE(fs::exists(installation / name)) << name << " missing from the installation";
        EXPECT_TRUE(ReadBytes(installation / name) == bytes)
            << name << " differs: run tools/knowledge-base/generate.sh";
    }
    // Nothing stale: every file of the two folders comes from the generator.
    for (const char* sub : {"OpzioneH", "OpzioneS"})
        for (const auto& e : fs::directory_iterator(installation / sub)) {
            const std::string name = std::string(sub) + "/" + e.path().filename().string();
            EXPECT_TRUE(generated.count(name)) << name << " is not generated";
        }
}
