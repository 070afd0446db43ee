// The password, user-name and usage-log files of the main window.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/program_files.hpp"
#include "archive_fixture.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "interruption_gtest.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

TEST(PasswordFile, LineOneIsThePassword) {
    ArchiveFolder t;
    t.Put("Appoggio/Appoggio1.txt", "brunel\r\nseconda riga\r\n");
    EXPECT_EQ(ReadPassword(t.folder), "brunel");
    t.Put("Appoggio/Appoggio1.txt", "");
    EXPECT_EQ(ReadPassword(t.folder), "");
    fs::remove(t.folder.Resolve(PasswordFile));
    try {
        ReadPassword(t.folder);
        FAIL() << "a missing password file must be reported";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "Appoggio\\Appoggio1.txt");
        EXPECT_EQ(e.fault(), "file mancante");
    }
}

TEST(PasswordFile, ANewPasswordReplacesLineOneAndKeepsTheOthers) {
    ArchiveFolder t;
    t.Put("Appoggio/Appoggio1.txt", "brunel\r\nseconda riga\nterza\r\n");
    WritePassword(t.folder, "città1");
    EXPECT_EQ(t.Bytes("Appoggio/Appoggio1.txt"),
              "citt\xE0"
              "1\r\nseconda riga\r\nterza\r\n");
    EXPECT_EQ(ReadPassword(t.folder), "città1");
    ResetPassword(t.folder);
    EXPECT_EQ(t.Bytes("Appoggio/Appoggio1.txt"), "brunel\r\nseconda riga\r\nterza\r\n");
    // A missing or empty file gets the one line.
    fs::remove(t.folder.Resolve(PasswordFile));
    WritePassword(t.folder, "abcdef");
    EXPECT_EQ(t.Bytes("Appoggio/Appoggio1.txt"), "abcdef\r\n");
    t.Put("Appoggio/Appoggio1.txt", "");
    ResetPassword(t.folder);
    EXPECT_EQ(t.Bytes("Appoggio/Appoggio1.txt"), "brunel\r\n");
}

TEST(PasswordFile, ANewPasswordHasSixCharactersAfterItsLeadingBlanks) {
    EXPECT_EQ(NewPasswordOf("abcdef"), "abcdef");
    EXPECT_EQ(NewPasswordOf("   abcdef"), "abcdef");
    EXPECT_EQ(NewPasswordOf("città1"), "città1");  // six characters, seven bytes
    EXPECT_EQ(NewPasswordOf("abcde "), "abcde ");  // trailing blanks count
    EXPECT_FALSE(NewPasswordOf("abcde"));
    EXPECT_FALSE(NewPasswordOf("abcdefg"));
    EXPECT_FALSE(NewPasswordOf("      "));
}

TEST(PasswordFile, AnInterruptedChangeLeavesTheOldPasswordOrTheNew) {
    ArchiveFolder t;
    const FileSnapshot before{{"Appoggio/Appoggio1.txt", "brunel\r\naltro\r\n"}};
    const FileSnapshot after{{"Appoggio/Appoggio1.txt", "nuova1\r\naltro\r\n"}};
    ForEachInterruption({.Prepare = [&] { t.Put("Appoggio/Appoggio1.txt", "brunel\r\naltro\r\n"); },
                         .Action = [&] { WritePassword(t.folder, "nuova1"); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 EXPECT_EQ(SnapshotFiles(t.path), point.Completed ? after : before);
                             }});
    ForEachInterruption({.Action = [&] { ResetPassword(t.folder); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 EXPECT_EQ(SnapshotFiles(t.path), point.Completed ? before : after);
                             }});
}

TEST(UserNameFile, HoldsTheFirstNameAndTheSurname) {
    ArchiveFolder t;
    EXPECT_EQ(ReadUserName(t.folder), UserName{});
    t.Put("FileTmp/Personal.Tmp", "Niccol\xF2\r\nRossi\r\n");
    EXPECT_EQ(ReadUserName(t.folder), (UserName{"Niccolò", "Rossi"}));
    EXPECT_EQ(FullUserName(ReadUserName(t.folder)), "Niccolò Rossi");
    t.Put("FileTmp/Personal.Tmp", "Anna\r\n");
    EXPECT_EQ(ReadUserName(t.folder), (UserName{"Anna", ""}));
}

TEST(UserNameFile, AMissingFileIsCreatedAtActivation) {
    ArchiveFolder t;
    EXPECT_FALSE(ReadOrCreateUserName(t.folder));
    EXPECT_EQ(t.Bytes("FileTmp/Personal.Tmp"), "Nome\r\nCognome\r\n");
    EXPECT_EQ(ReadOrCreateUserName(t.folder), (UserName{"Nome", "Cognome"}));
}

TEST(UserNameFile, NamesAreCutAtEightyCharacters) {
    ArchiveFolder t;
    const std::string longName = std::string(79, 'a') + "èèè";
    const UserName written = WriteUserName(t.folder, {longName, "Bianchi"});
    EXPECT_EQ(written, (UserName{std::string(79, 'a') + "è", "Bianchi"}));
    EXPECT_EQ(t.Bytes("FileTmp/Personal.Tmp"), std::string(79, 'a') + "\xE8\r\nBianchi\r\n");
    EXPECT_EQ(ReadUserName(t.folder), written);
}

TEST(UserNameFile, AnInterruptedWriteLeavesTheOldNamesOrTheNew) {
    ArchiveFolder t;
    const FileSnapshot before{{"FileTmp/Personal.Tmp", "Nome\r\nCognome\r\n"}};
    const FileSnapshot after{{"FileTmp/Personal.Tmp", "Anna\r\nVerdi\r\n"}};
    ForEachInterruption({.Prepare = [&] { t.Put("FileTmp/Personal.Tmp", "Nome\r\nCognome\r\n"); },
                         .Action =
                             [&] {
                                 WriteUserName(t.folder, {"Anna", "Verdi"});
                             },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 EXPECT_EQ(SnapshotFiles(t.path), point.Completed ? after : before);
                             }});
    // The creation at activation: no file or the whole default one.
    ForEachInterruption({.Prepare = [&] { fs::remove_all(t.path / "FileTmp"); },
                         .Action = [&] { ReadOrCreateUserName(t.folder); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const FileSnapshot created{{"FileTmp/Personal.Tmp", "Nome\r\nCognome\r\n"}};
                                 EXPECT_EQ(SnapshotFiles(t.path), point.Completed ? created : FileSnapshot{});
                             }});
}

TEST(UsageLog, TheJulianDayOfAUseHasSevenDigits) {
    EXPECT_EQ(UsageJulianDayText("01/01/2000"), "2451545");
    EXPECT_EQ(UsageJulianDayText("05/03/2004"), "2453070");
    EXPECT_EQ(UsageJulianDayText("5/3/2004"), "2453070");
    EXPECT_EQ(UsageJulianDayText("oggi"), "2451545");
    EXPECT_EQ(UsageJulianDayText(TodayText()).size(), 7u);
    // The dates list shows the day of use itself.
    EXPECT_EQ(JulianDayToText(2453070).substr(0, 10), "05/03/2004");
}

TEST(UsageLog, AMissingLogIsCreatedAndThenCounted) {
    ArchiveFolder t;
    RecordUse(t.folder, "2453070");
    EXPECT_EQ(ReadTextLines(t.folder, UsageSummaryFile), (std::vector<std::string>{"2451545", "2453070", "2"}));
    EXPECT_EQ(t.Bytes("OpzioneT/Luna.tm1"), "2453070\r\n");
    EXPECT_EQ(UsageDates(t.folder), (std::vector<std::string>{"05/03/2004"}));
}

TEST(UsageLog, TwoLoginsCountTwoUses) {
    ArchiveFolder t;
    RecordUse(t.folder, "2453070");
    RecordUse(t.folder, "2453071");
    EXPECT_EQ(ReadTextLines(t.folder, UsageSummaryFile), (std::vector<std::string>{"2453070", "2453071", "3"}));
    EXPECT_EQ(ReadTextLines(t.folder, UsageDatesFile), (std::vector<std::string>{"2453070", "2453071"}));
    EXPECT_EQ(UsageDates(t.folder), (std::vector<std::string>{"05/03/2004", "06/03/2004"}));
    EXPECT_EQ(ReadUsageSummary(t.folder), (UsageSummary{2, "05/03/2004"}));
    EXPECT_EQ(UsageSummaryText(ReadUsageSummary(t.folder)), "2/05/03/2004");
}

TEST(UsageLog, AnUnreadableCountIsReportedAndNothingIsWritten) {
    ArchiveFolder t;
    t.Put("OpzioneT/Sole.tm1", "2451545\r\n2451545\r\nmolti\r\n");
    try {
        RecordUse(t.folder, "2453070");
        FAIL() << "an unreadable count must be reported";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "OpzioneT\\Sole.tm1");
        EXPECT_EQ(e.fault(), "contatore degli utilizzi illeggibile");
    }
    EXPECT_EQ(t.Bytes("OpzioneT/Sole.tm1"), "2451545\r\n2451545\r\nmolti\r\n");
    EXPECT_FALSE(t.folder.Exists(UsageDatesFile));
    t.Put("OpzioneT/Sole.tm1", "2451545\r\n2451545\r\n");
    EXPECT_THROW(RecordUse(t.folder, "2453070"), DataFileError);
    // The title reads what it can.
    EXPECT_EQ(ReadUsageSummary(t.folder), (UsageSummary{0, ""}));
}

TEST(UsageLog, ADamagedDateLineIsSkipped) {
    ArchiveFolder t;
    t.Put("OpzioneT/Luna.tm1", "2453070\r\nrovinata\r\n\r\n-5\r\n2453071\r\n999999999\r\n");
    EXPECT_EQ(UsageDates(t.folder), (std::vector<std::string>{"05/03/2004", "06/03/2004"}));
    // The title's first use is the first line's, when it can be read.
    t.Put("OpzioneT/Sole.tm1", "2453070\r\n2453071\r\n7\r\n");
    EXPECT_EQ(ReadUsageSummary(t.folder), (UsageSummary{6, "05/03/2004"}));
    t.Put("OpzioneT/Luna.tm1", "rovinata\r\n2453070\r\n");
    EXPECT_EQ(ReadUsageSummary(t.folder), (UsageSummary{6, ""}));
}

TEST(UsageLog, WithoutALogTheTitleCountsNothing) {
    ArchiveFolder t;
    EXPECT_EQ(ReadUsageSummary(t.folder), (UsageSummary{0, ""}));
    EXPECT_EQ(UsageSummaryText(ReadUsageSummary(t.folder)), "0/");
    EXPECT_TRUE(UsageDates(t.folder).empty());
}

TEST(UsageLog, AnInterruptedLoginLeavesEachFileOldOrNew) {
    ArchiveFolder t;
    const FileSnapshot before{{"OpzioneT/Sole.tm1", "2453069\r\n2453070\r\n4\r\n"},
                              {"OpzioneT/Luna.tm1", "2453070\r\n"}};
    const FileSnapshot after{{"OpzioneT/Sole.tm1", "2453070\r\n2453071\r\n5\r\n"},
                             {"OpzioneT/Luna.tm1", "2453070\r\n2453071\r\n"}};
    ForEachInterruption({.Prepare =
                             [&] {
                                 fs::remove_all(t.path / "OpzioneT");
                                 for (const auto& [name, bytes] : before) t.Put(name, bytes);
                             },
                         .Action = [&] { RecordUse(t.folder, "2453071"); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const FileSnapshot now = SnapshotFiles(t.path);
                                 ExpectEveryFileOldOrNew(now, before, after);
                                 if (point.Completed) {
                                     EXPECT_EQ(now, after);
                                 }
                             }});
    // The first login of a new installation: the log is created whole or not at all.
    const FileSnapshot first{{"OpzioneT/Sole.tm1", "2451545\r\n2453071\r\n2\r\n"},
                             {"OpzioneT/Luna.tm1", "2453071\r\n"}};
    ForEachInterruption(
        {.Prepare = [&] { fs::remove_all(t.path / "OpzioneT"); },
         .Action = [&] { RecordUse(t.folder, "2453071"); },
         .Check =
             [&](const InterruptionPoint&) { ExpectEveryFileOldOrNew(SnapshotFiles(t.path), FileSnapshot{}, first); }});
}

}  // namespace
