// The backup of the BASE archive and its texts, and the restore.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "archive/base_backup.hpp"
#include "archive_fixture.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "interruption_gtest.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

// A program folder with the BASE archive, two texts and an earlier backup date, and a volume.
struct BackupFixture {
    ArchiveFolder program;
    ArchiveFolder volumes;
    fs::path volume = volumes.path / "CHIAVETTA";
    fs::path backupFolder = BackupFolderOn(volume);

    BackupFixture() {
        fs::create_directories(volume);
        program.Put("BASE.ST1", "indice");
        program.Put("BASE.ST2", "nascite");
        program.Put("BASE.ST3", "annotazioni");
        program.Put("TMPR.ST1", "corrente");
        program.Put("BASEtxt/00001.txt", "testo uno");
        program.Put("BASEtxt/00002.txt", "testo due");
        program.Put("FileDum/MMbakMod1.dum", "01/02/2003\r\n");
    }
};

TEST(BaseBackup, TheBackupFolderIsOnTheVolume) {
    EXPECT_EQ(BackupFolderOn("/media/anna/CHIAVETTA"), fs::path("/media/anna/CHIAVETTA/TamorilBck"));
}

TEST(BaseBackup, TheLastBackupDateIsMaiBeforeTheFirst) {
    ArchiveFolder t;
    EXPECT_EQ(LastBackupDate(t.folder), "Mai");
    t.Put("FileDum/MMbakMod1.dum", "");
    EXPECT_EQ(LastBackupDate(t.folder), "Mai");
    t.Put("FileDum/MMbakMod1.dum", "05/03/2004\r\n");
    EXPECT_EQ(LastBackupDate(t.folder), "05/03/2004");
}

TEST(BaseBackup, NeedsAChosenFolderOnAVolumeThatIsThere) {
    BackupFixture t;
    BackupCheck check = CheckBackupFolder({});
    EXPECT_EQ(check.Readiness, BackupReadiness::NoFolderChosen);
    EXPECT_EQ(check.Message, "Necessario definire l'Unità di backup");
    check = BackupBaseArchive(t.program.folder, {}, "05/03/2004");
    EXPECT_FALSE(check.Ready());
    EXPECT_EQ(check.Message, "Necessario definire l'Unità di backup");
    const fs::path gone = t.volumes.path / "STACCATA";
    check = BackupBaseArchive(t.program.folder, BackupFolderOn(gone), "05/03/2004");
    EXPECT_EQ(check.Readiness, BackupReadiness::FolderUnavailable);
    EXPECT_EQ(check.Message, "L'Unità " + gone.string() + " non è disponibile");
    EXPECT_EQ(LastBackupDate(t.program.folder), "01/02/2003");  // nothing copied, nothing written
    EXPECT_TRUE(CheckBackupFolder(t.backupFolder).Ready());
}

TEST(BaseBackup, CopiesTheArchiveTheTextsAndTheLastDateThenWritesToday) {
    BackupFixture t;
    const auto time = fs::file_time_type::clock::now() - std::chrono::hours(72);
    fs::last_write_time(t.program.folder.Resolve("BASE.ST2"), time);
    const BackupCheck check = BackupBaseArchive(t.program.folder, t.backupFolder, "05/03/2004");
    EXPECT_TRUE(check.Ready());
    EXPECT_EQ(SnapshotFiles(t.backupFolder), (FileSnapshot{{"DatiBase/BASE.ST1", "indice"},
                                                           {"DatiBase/BASE.ST2", "nascite"},
                                                           {"DatiBase/BASE.ST3", "annotazioni"},
                                                           {"BASEtxt/00001.txt", "testo uno"},
                                                           {"BASEtxt/00002.txt", "testo due"},
                                                           {"MMbakMod1.dum", "01/02/2003\r\n"}}));
    EXPECT_EQ(fs::last_write_time(t.backupFolder / "DatiBase" / "BASE.ST2"), time);
    EXPECT_EQ(t.program.Bytes("FileDum/MMbakMod1.dum"), "05/03/2004\r\n");
    EXPECT_EQ(LastBackupDate(t.program.folder), "05/03/2004");
}

TEST(BaseBackup, AFirstBackupHasNoDateToCopy) {
    BackupFixture t;
    fs::remove_all(t.program.path / "FileDum");
    fs::remove_all(t.program.path / "BASEtxt");
    EXPECT_TRUE(BackupBaseArchive(t.program.folder, t.backupFolder, "05/03/2004").Ready());
    EXPECT_TRUE(fs::is_directory(t.backupFolder / "BASEtxt"));
    EXPECT_FALSE(fs::exists(t.backupFolder / "MMbakMod1.dum"));
    EXPECT_EQ(SnapshotFiles(t.backupFolder).size(), 3u);
    EXPECT_EQ(t.program.Bytes("FileDum/MMbakMod1.dum"), "05/03/2004\r\n");
}

TEST(BaseBackup, RestoreNeedsAFolderThatExists) {
    BackupFixture t;
    BackupCheck check = RestoreBaseArchive(t.program.folder, {});
    EXPECT_EQ(check.Readiness, BackupReadiness::NoFolderChosen);
    EXPECT_EQ(check.Message, "Necessario definire l'Unità di backup");
    check = CheckRestoreFolder(t.backupFolder);
    EXPECT_EQ(check.Readiness, BackupReadiness::FolderUnavailable);
    EXPECT_EQ(check.Message, "La sorgente " + t.backupFolder.string() + " non è disponibile");
    EXPECT_FALSE(RestoreBaseArchive(t.program.folder, t.backupFolder).Ready());
}

TEST(BaseBackup, RestoreCopiesTheArchiveAndTheTextsBack) {
    BackupFixture t;
    ASSERT_TRUE(BackupBaseArchive(t.program.folder, t.backupFolder, "05/03/2004").Ready());
    t.program.Put("BASE.ST1", "cambiato");
    t.program.Put("BASEtxt/00002.txt", "cambiato");
    t.program.Put("BASEtxt/00003.txt", "nuovo");
    fs::remove(t.program.folder.Resolve("BASE.ST3"));
    EXPECT_TRUE(RestoreBaseArchive(t.program.folder, t.backupFolder).Ready());
    EXPECT_EQ(t.program.Bytes("BASE.ST1"), "indice");
    EXPECT_EQ(t.program.Bytes("BASE.ST3"), "annotazioni");
    EXPECT_EQ(t.program.Bytes("BASEtxt/00002.txt"), "testo due");
    EXPECT_EQ(t.program.Bytes("BASEtxt/00003.txt"), "nuovo");  // what the backup does not hold stays
    EXPECT_EQ(t.program.Bytes("TMPR.ST1"), "corrente");
    EXPECT_EQ(t.program.Bytes("FileDum/MMbakMod1.dum"), "05/03/2004\r\n");
    // The program's BASEtxt is made when it is missing.
    fs::remove_all(t.program.path / "BASEtxt");
    EXPECT_TRUE(RestoreBaseArchive(t.program.folder, t.backupFolder).Ready());
    EXPECT_EQ(t.program.Bytes("BASEtxt/00001.txt"), "testo uno");
}

TEST(BaseBackup, AFileThatCannotBeCopiedIsNamed) {
    BackupFixture t;
    fs::create_directories(t.backupFolder / "DatiBase" / "BASE.ST1");  // a folder where the file goes
    try {
        BackupBaseArchive(t.program.folder, t.backupFolder, "05/03/2004");
        FAIL() << "the copy must fail";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), (t.backupFolder / "DatiBase" / "BASE.ST1").string());
        EXPECT_EQ(e.fault(), "copia da " + t.program.folder.Resolve("BASE.ST1").string() + " non riuscita");
    }
    EXPECT_EQ(t.program.Bytes("FileDum/MMbakMod1.dum"), "01/02/2003\r\n");
}

TEST(BaseBackup, AnInterruptedBackupLeavesEveryFileOldOrNew) {
    BackupFixture t;
    ASSERT_TRUE(BackupBaseArchive(t.program.folder, t.backupFolder, "04/03/2004").Ready());
    t.program.Put("BASE.ST1", "indice nuovo");
    t.program.Put("BASEtxt/00003.txt", "testo tre");
    const FileSnapshot programBefore = SnapshotFiles(t.program.path);
    const FileSnapshot volumeBefore = SnapshotFiles(t.volumes.path);
    BackupFixture reference;
    ASSERT_TRUE(BackupBaseArchive(reference.program.folder, reference.backupFolder, "04/03/2004").Ready());
    reference.program.Put("BASE.ST1", "indice nuovo");
    reference.program.Put("BASEtxt/00003.txt", "testo tre");
    ASSERT_TRUE(BackupBaseArchive(reference.program.folder, reference.backupFolder, "05/03/2004").Ready());
    const FileSnapshot programAfter = SnapshotFiles(reference.program.path);
    const FileSnapshot volumeAfter = SnapshotFiles(reference.volumes.path);
    ForEachInterruption({.Action = [&] { BackupBaseArchive(t.program.folder, t.backupFolder, "05/03/2004"); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 ExpectEveryFileOldOrNew(SnapshotFiles(t.program.path), programBefore, programAfter);
                                 ExpectEveryFileOldOrNew(SnapshotFiles(t.volumes.path), volumeBefore, volumeAfter);
                                 if (point.Completed) {
                                     EXPECT_EQ(SnapshotFiles(t.program.path), programAfter);
                                     EXPECT_EQ(SnapshotFiles(t.volumes.path), volumeAfter);
                                 }
                             }});
}

TEST(BaseBackup, AnInterruptedRestoreLeavesEveryFileOldOrNew) {
    BackupFixture t;
    ASSERT_TRUE(BackupBaseArchive(t.program.folder, t.backupFolder, "05/03/2004").Ready());
    const auto change = [](const ArchiveFolder& program) {
        program.Put("BASE.ST1", "cambiato");
        program.Put("BASE.ST2", "cambiato anche");
        program.Put("BASEtxt/00001.txt", "cambiato");
    };
    const FileSnapshot after = SnapshotFiles(t.program.path);
    change(t.program);
    const FileSnapshot before = SnapshotFiles(t.program.path);
    ForEachInterruption({.Prepare = [&] { change(t.program); },
                         .Action = [&] { RestoreBaseArchive(t.program.folder, t.backupFolder); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const FileSnapshot now = SnapshotFiles(t.program.path);
                                 ExpectEveryFileOldOrNew(now, before, after);
                                 if (point.Completed) {
                                     EXPECT_EQ(now, after);
                                 }
                             }});
}

}  // namespace
