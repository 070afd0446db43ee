// The committed correction files are what the generator writes: regenerate a random sample of
// records of each file and compare them byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "common/bytes.hpp"
#include "common/file_io.hpp"
#include "corrections.hpp"

using namespace florimant;
using namespace florimant::corrections;

namespace {
const ProgramFolder& Installation() {
    static const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    return folder;
}
std::vector<size_t> Sample(size_t records, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<size_t> pick(0, records - 1);
    std::vector<size_t> indexes = {0, records - 1};
    for (int i = 0; i < 150; ++i) indexes.push_back(pick(rng));
    return indexes;
}
}  // namespace

TEST(CorrectionFiles, HaveTheSpansTheEphemerisReads) {
    EXPECT_EQ(ReadWholeFile(Installation(), "FilePosi\\DSEL.rnd").size(), MoonFileRecords * 2);
    EXPECT_EQ(ReadWholeFile(Installation(), "FilePosi\\NOJLNE.rnd").size(), BlackMoonFileRecords * 4);
    EXPECT_EQ(ReadWholeFile(Installation(), "FilePosi\\DPR1.rnd").size(), PlanetFileRecords * PlanetRecordSize);
}

TEST(CorrectionFiles, MoonRecordsMatchTheGenerator) {
    const auto file = ReadWholeFile(Installation(), "FilePosi\\DSEL.rnd");
    for (size_t i : Sample(MoonFileRecords, 1)) EXPECT_EQ(ReadI16LE(file, 2 * i), MoonRecord(i)) << i;
}

TEST(CorrectionFiles, BlackMoonRecordsMatchTheGenerator) {
    const auto file = ReadWholeFile(Installation(), "FilePosi\\NOJLNE.rnd");
    for (size_t i : Sample(BlackMoonFileRecords, 2)) EXPECT_EQ(ReadI32LE(file, 4 * i), BlackMoonRecord(i)) << i;
}

TEST(CorrectionFiles, PlanetRecordsMatchTheGenerator) {
    const auto file = ReadWholeFile(Installation(), "FilePosi\\DPR1.rnd");
    for (size_t i : Sample(PlanetFileRecords, 3)) {
        const auto record = PlanetRecord(i);
        EXPECT_TRUE(std::equal(record.begin(), record.end(), file.begin() + static_cast<long>(i * PlanetRecordSize)))
            << "record " << i;
    }
}
