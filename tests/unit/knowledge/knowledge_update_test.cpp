// The knowledge-base edition, the update devices and the installation of an update.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "interruption_gtest.hpp"
#include "knowledge/knowledge_update.hpp"
#include "record_test_support.hpp"

using namespace florimant;
using namespace knowledge_test;

namespace {

using Clock = fs::file_time_type::clock;

void Touch(const fs::path& file, fs::file_time_type time) { fs::last_write_time(file, time); }

TEST(KnowledgeEdition, IsTheLaterOfTheTwoDatabases) {
    TempFolder t;
    EXPECT_FALSE(ReadKnowledgeEdition(t.path / "OpzioneH").Valid);
    EXPECT_EQ(ReadKnowledgeEdition(t.path / "OpzioneH").Text, "Non Valida");
    const auto older = Clock::now() - std::chrono::hours(48), newer = Clock::now() - std::chrono::hours(24);
    WriteBytes(t.path / "OpzioneH" / "DbMain.Rnd", "db");
    Touch(t.path / "OpzioneH" / "DbMain.Rnd", older);
    KnowledgeEdition edition = ReadKnowledgeEdition(t.path / "OpzioneH");
    EXPECT_TRUE(edition.Valid);
    EXPECT_EQ(edition.Time, older);
    EXPECT_EQ(edition.Text, FileDateText(t.path / "OpzioneH" / "DbMain.Rnd"));
    WriteBytes(t.path / "OpzioneH" / "Repertorio.rnd", "rep");
    Touch(t.path / "OpzioneH" / "Repertorio.rnd", newer);
    edition = ReadKnowledgeEdition(t.path / "OpzioneH");
    EXPECT_EQ(edition.Time, newer);
    EXPECT_EQ(edition.Text, FileDateText(t.path / "OpzioneH" / "Repertorio.rnd"));
}

TEST(UpdateDevices, AreTheFirstThreeVolumesWithAnOpzioneHFolder) {
    TempFolder t;
    std::vector<fs::path> volumes;
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        volumes.push_back(t.path / name);
        fs::create_directories(t.path / name);
    }
    const auto older = Clock::now() - std::chrono::hours(48), newer = Clock::now() - std::chrono::hours(24);
    WriteBytes(t.path / "B" / "opzioneh" / "DBmain.rnd", "vecchio");
    Touch(t.path / "B" / "opzioneh" / "DBmain.rnd", older);
    WriteBytes(t.path / "C" / "OpzioneH" / "DBmain.rnd", "nuovo");
    Touch(t.path / "C" / "OpzioneH" / "DBmain.rnd", newer);
    fs::create_directories(t.path / "D" / "OpzioneH");  // no database: no valid edition
    fs::create_directories(t.path / "E" / "OpzioneH");
    WriteBytes(t.path / "A" / "OpzioneH", "a file, not a folder");

    KnowledgeEdition installed;
    installed.Valid = true;
    installed.Time = Clock::now() - std::chrono::hours(36);
    const std::vector<UpdateDevice> devices = FindUpdateDevices(volumes, installed);
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].Volume, t.path / "B");
    EXPECT_EQ(devices[0].Source, t.path / "B" / "opzioneh");
    EXPECT_TRUE(devices[0].Older);  // shown red, still installable
    EXPECT_EQ(devices[1].Volume, t.path / "C");
    EXPECT_FALSE(devices[1].Older);
    EXPECT_EQ(devices[1].Edition.Time, newer);
    EXPECT_EQ(devices[2].Volume, t.path / "D");
    EXPECT_TRUE(devices[2].Older);
    EXPECT_EQ(devices[2].Edition.Text, "Non Valida");
    // Without an installed edition only an invalid one counts as older.
    EXPECT_FALSE(FindUpdateDevices(volumes, KnowledgeEdition{})[0].Older);
    EXPECT_TRUE(FindUpdateDevices({}, installed).empty());
}

TEST(UpdateExplanation, DependsOnTheAutoSetMarker) {
    TempFolder t;
    EXPECT_TRUE(UpdateExplanationLines(t.folder()).empty());
    WriteBytes(t.path / "Appoggio" / "Aggiorna1.txt", "Inserire il disco\r\nPremere Ok\r\n");
    WriteBytes(t.path / "Appoggio" / "Aggiorna2.txt", "Aggiornamento automatico: perch\xE9\r\n");
    EXPECT_EQ(UpdateExplanationLines(t.folder()), (std::vector<std::string>{"Inserire il disco", "Premere Ok"}));
    WriteBytes(t.path / "OpzioneH" / "AutoSet", "");
    EXPECT_EQ(UpdateExplanationLines(t.folder()), (std::vector<std::string>{"Aggiornamento automatico: perché"}));
}

TEST(InstallKnowledgeUpdate, CopiesEveryFileKeepingTheInstalledSpellingAndTheTimes) {
    TempFolder program, device;
    WriteBytes(program.path / "OpzioneH" / "DBmain.rnd", "vecchio db");
    WriteBytes(program.path / "OpzioneH" / "Patolog.txt", "vecchie patologie");
    WriteBytes(program.path / "OpzioneH" / "Solo.txt", "resta");
    const auto time = Clock::now() - std::chrono::hours(24 * 30);
    WriteBytes(device.path / "OpzioneH" / "DbMain.Rnd", "nuovo db");
    Touch(device.path / "OpzioneH" / "DbMain.Rnd", time);
    WriteBytes(device.path / "OpzioneH" / "PATOLOG.TXT", "nuove patologie");
    WriteBytes(device.path / "OpzioneH" / "Repertorio.rnd", "repertorio");
    fs::create_directories(device.path / "OpzioneH" / "Sottocartella");
    InstallKnowledgeUpdate(program.folder(), device.path / "OpzioneH");
    EXPECT_EQ(Snapshot(program.path), (std::map<std::string, std::string>{{"OpzioneH/DBmain.rnd", "nuovo db"},
                                                                          {"OpzioneH/Patolog.txt", "nuove patologie"},
                                                                          {"OpzioneH/Repertorio.rnd", "repertorio"},
                                                                          {"OpzioneH/Solo.txt", "resta"}}));
    EXPECT_EQ(fs::last_write_time(program.path / "OpzioneH" / "DBmain.rnd"), time);
    // The installed edition is now the device's.
    EXPECT_EQ(ReadKnowledgeEdition(program.path / "OpzioneH").Time,
              ReadKnowledgeEdition(device.path / "OpzioneH").Time);
}

TEST(InstallKnowledgeUpdate, AMissingProgramFolderIsMadeAndAnUnreadableDeviceNamed) {
    TempFolder program, device;
    WriteBytes(device.path / "OpzioneH" / "DBmain.rnd", "db");
    InstallKnowledgeUpdate(program.folder(), device.path / "OpzioneH");
    EXPECT_EQ(ReadBytes(program.path / "OpzioneH" / "DBmain.rnd"), "db");
    try {
        InstallKnowledgeUpdate(program.folder(), device.path / "Manca");
        FAIL() << "a missing device folder must be reported";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), (device.path / "Manca").string());
    }
}

TEST(InstallKnowledgeUpdate, AnInterruptionLeavesEveryFileOldOrNew) {
    TempFolder program, device, reference;
    for (const TempFolder* f : {&program, &reference}) {
        WriteBytes(f->path / "OpzioneH" / "DBmain.rnd", "vecchio db");
        WriteBytes(f->path / "OpzioneH" / "Repertorio.rnd", "vecchio repertorio");
    }
    WriteBytes(device.path / "OpzioneH" / "DBMAIN.RND", "nuovo db");
    WriteBytes(device.path / "OpzioneH" / "Repertorio.rnd", "nuovo repertorio");
    WriteBytes(device.path / "OpzioneH" / "LunaPri.rnd", "nuovo");
    const FileSnapshot before = SnapshotFiles(program.path);
    InstallKnowledgeUpdate(reference.folder(), device.path / "OpzioneH");
    const FileSnapshot after = SnapshotFiles(reference.path);
    ForEachInterruption({.Action = [&] { InstallKnowledgeUpdate(program.folder(), device.path / "OpzioneH"); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const FileSnapshot now = SnapshotFiles(program.path);
                                 ExpectEveryFileOldOrNew(now, before, after);
                                 if (point.Completed) {
                                     EXPECT_EQ(now, after);
                                 }
                             }});
}

}  // namespace
