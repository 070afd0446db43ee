// Each changing operation is interrupted before each of its file operations in turn (the hook
// throws there, as a crash or a full disk would stop it). Afterwards the archive must open, its
// index must be sorted, and it must hold every subject it held before, plus the new or changed one
// when the operation got that far.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "archive_fixture.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

using namespace florimant;

namespace {

struct Interrupted : std::runtime_error {
    Interrupted() : std::runtime_error("interrotto") {}
};

// Runs `operation` on fresh copies of the archive made by `prepare`, failing its k-th file
// operation for k = 0, 1, ... until it completes; `check` is called after every attempt.
void ForEachInterruption(const std::function<void(ArchiveFolder&)>& prepare,
                         const std::function<void(ArchiveFolder&)>& operation,
                         const std::function<void(ArchiveFolder&, bool completed)>& check) {
    for (int failAt = 0; failAt < 100; ++failAt) {
        ArchiveFolder t;
        prepare(t);
        int seen = 0;
        SetFileOperationHook([&](std::string_view, const std::filesystem::path&) {
            if (seen++ == failAt) throw Interrupted();
        });
        bool completed = true;
        try {
            operation(t);
        } catch (const Interrupted&) {
            completed = false;
        } catch (const DataFileError&) {
            completed = false;  // a failure reported by the file layer while cleaning up
        }
        SetFileOperationHook(nullptr);
        SCOPED_TRACE("interrupted before file operation " + std::to_string(failAt));
        check(t, completed);
        if (completed) return;
    }
    FAIL() << "the operation never completed";
}

void ExpectSortedWith(const ArchiveFolder& t, const std::vector<std::string>& mustHold,
                      const std::vector<std::string>& mustNotHold = {}) {
    std::vector<std::string> texts;
    ASSERT_NO_THROW(texts = IndexTexts(t.folder, "BASE"));
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(),
                               [](const std::string& a, const std::string& b) { return CompareIndexTexts(a, b) < 0; }));
    std::vector<std::string> names = IndexNames(t.folder, "BASE");
    for (const std::string& name : mustHold) EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
    for (const std::string& name : mustNotHold) EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
    // Every entry points at a readable birth record.
    for (long p = 1; p <= static_cast<long>(texts.size()); ++p) EXPECT_NO_THROW(ReadSubject(t.folder, "BASE", p));
}

const std::vector<std::string> Stored{"BIANCHI ANNA", "NERI PAOLO", "ROSSI MARIA", "VERDI LUCA", "ZANI PIA"};

void Prepare(ArchiveFolder& t) {
    EnsureBaseArchive(t.folder);
    for (const std::string& name : Stored) AddSubject(t.folder, "BASE", Subject(name), {}, FixedSummaries());
}

std::vector<std::string> Without(std::vector<std::string> names, const std::string& name) {
    names.erase(std::find(names.begin(), names.end(), name));
    return names;
}

}  // namespace

TEST(Interruption, AddSubjectLeavesTheOldOrTheNewIndex) {
    ForEachInterruption(
        Prepare,
        [](ArchiveFolder& t) {
            AddSubject(t.folder, "BASE", Subject("MORI ELSA"), {{"NOTA", "", "", ""}, "00001"}, FixedSummaries());
        },
        [](ArchiveFolder& t, bool completed) {
            ExpectSortedWith(t, Stored);
            if (completed) ExpectSortedWith(t, {"MORI ELSA"});
            if (completed) EXPECT_EQ(ReadSubject(t.folder, "BASE", 2).Annotations[0], "NOTA");
        });
}

TEST(Interruption, RewriteSubjectMovingTheEntry) {
    ForEachInterruption(
        Prepare,
        [](ArchiveFolder& t) {
            BirthData d = ReadSubject(t.folder, "BASE", 3);
            d.Name = "ALBANI MARIA";
            RewriteSubject(t.folder, "BASE", d.IndexText, 3, d, {{"NOTA", "", "", ""}, ""}, FixedSummaries());
        },
        [](ArchiveFolder& t, bool completed) {
            std::vector<std::string> others = Without(Stored, "ROSSI MARIA");
            ExpectSortedWith(t, others);
            // Exactly one of the old and the new name.
            const std::vector<std::string> names = IndexNames(t.folder, "BASE");
            EXPECT_EQ(names.size(), Stored.size());
            EXPECT_EQ(std::count(names.begin(), names.end(), "ROSSI MARIA") +
                          std::count(names.begin(), names.end(), "ALBANI MARIA"),
                      1);
            if (completed) ExpectSortedWith(t, {"ALBANI MARIA"}, {"ROSSI MARIA"});
        });
}

TEST(Interruption, RewriteSubjectInPlace) {
    ForEachInterruption(
        Prepare,
        [](ArchiveFolder& t) {
            BirthData d = ReadSubject(t.folder, "BASE", 3);
            d.Name = "ROSSI MARIO";
            RewriteSubject(t.folder, "BASE", d.IndexText, 3, d, {}, FixedSummaries());
        },
        [](ArchiveFolder& t, bool completed) {
            ExpectSortedWith(t, Without(Stored, "ROSSI MARIA"));
            if (completed) ExpectSortedWith(t, {"ROSSI MARIO"}, {"ROSSI MARIA"});
        });
}

TEST(Interruption, RemoveIndexEntry) {
    ForEachInterruption(
        [](ArchiveFolder& t) {
            Prepare(t);
            t.Put("BASEtxt/00001.txt", "x");
        },
        [](ArchiveFolder& t) { RemoveIndexEntry(t.folder, "BASE", 2); },
        [](ArchiveFolder& t, bool completed) {
            ExpectSortedWith(t, Without(Stored, "NERI PAOLO"));
            const std::vector<std::string> names = IndexNames(t.folder, "BASE");
            EXPECT_EQ(names.size(), completed ? Stored.size() - 1 : names.size());
            if (completed) ExpectSortedWith(t, {}, {"NERI PAOLO"});
        });
}
