// Each changing operation is interrupted before each of its file operations in turn (the hook
// throws there, as a crash or a full disk would stop it). Afterwards the archive must open, its
// index must be sorted, and it must hold every subject it held before, plus the new or changed one
// when the operation got that far.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "archive_fixture.hpp"
#include "interruption_gtest.hpp"

using namespace florimant;

namespace {

// Runs `operation` on fresh copies of the archive made by `prepare`, failing its k-th file
// operation for k = 0, 1, ... until it completes; `check` is called after every attempt.
void ForEachArchiveInterruption(const std::function<void(ArchiveFolder&)>& prepare,
                                const std::function<void(ArchiveFolder&)>& operation,
                                const std::function<void(ArchiveFolder&, bool completed)>& check) {
    std::optional<ArchiveFolder> t;
    ForEachInterruption({.Prepare =
                             [&] {
                                 t.reset();
                                 t.emplace();
                                 prepare(*t);
                             },
                         .Action = [&] { operation(*t); },
                         .Check = [&](const InterruptionPoint& point) { check(*t, point.Completed); },
                         .MostSteps = 99});
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
    ForEachArchiveInterruption(
        Prepare,
        [](ArchiveFolder& t) {
            AddSubject(t.folder, "BASE", Subject("MORI ELSA"), {{"NOTA", "", "", ""}, "00001"}, FixedSummaries());
        },
        [](ArchiveFolder& t, bool completed) {
            ExpectSortedWith(t, Stored);
            if (completed) {
                ExpectSortedWith(t, {"MORI ELSA"});
                EXPECT_EQ(ReadSubject(t.folder, "BASE", 2).Annotations[0], "NOTA");
            }
        });
}

TEST(Interruption, RewriteSubjectMovingTheEntry) {
    ForEachArchiveInterruption(
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
    ForEachArchiveInterruption(
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
    ForEachArchiveInterruption(
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
