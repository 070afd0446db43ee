#include <gtest/gtest.h>

#include "common/data_file_error.hpp"
#include "knowledge/csv_io.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "record_test_support.hpp"

using namespace florimant;
using namespace knowledge_test;

namespace {
const std::string kHeader =
    "Rimedio,Indicazioni,Posologia,Avvertenze,SegnaturaPrimaria,SegnaturaSecondaria,SegnaturaZodiacale,"
    "SintesiPsichica,Note,NoteSupplementari\r\n";

std::string ImportError(const ProgramFolder& folder, KnowledgeFile file, const std::string& csv) {
    try {
        ImportKnowledgeCsv(folder, file, csv, "prova.csv");
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "prova.csv");
        return e.fault();
    }
    return "nessun errore";
}
}  // namespace

TEST(KnowledgeCsv, RemedyDatabaseRoundTripIsByteExact) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    RemedyRecord header;
    header.pieces[0] = "Intestazione \x80";  // € in Windows-1252
    RemedyRecord quoted = Remedy("MSA \"Melissa\", foglie", "Insonnia\r\nagitazione; ", "Luna-Venere", "Cancro");
    SplitRemedyField(quoted, RemedyField::SintesiPsichica, std::string(1400, 's') + "\xE0\xE8\xE9\xEC\xF2\xF9");
    RemedyRecord pieced = Remedy("TSA Ortica", "Anemia");
    pieced.pieces[18] = "Prima riga delle note";  // short first piece followed by a second one
    pieced.pieces[19] = "Seconda parte";
    AppendRemedyRecord(folder, quoted);
    WriteRemedyRecord(folder, 0, header);
    AppendRemedyRecord(folder, pieced);
    AppendRemedyRecord(folder, RemedyRecord{});
    const std::string before = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");

    const std::string csv = ExportKnowledgeCsv(folder, KnowledgeFile::Database);
    // Only the field that needs it is written piece by piece.
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Rimedio,Indicazioni,Posologia,Avvertenze,SegnaturaPrimaria,SegnaturaSecondaria,SegnaturaZodiacale,"
              "SintesiPsichica,Note.1,Note.2,Note.3,NoteSupplementari");
    EXPECT_NE(csv.find("\"MSA \"\"Melissa\"\", foglie\",\"Insonnia\r\nagitazione; \""), std::string::npos);
    EXPECT_NE(csv.find("àèéìòù"), std::string::npos);

    EXPECT_EQ(ImportKnowledgeCsv(folder, KnowledgeFile::Database, csv, "db.csv"), 3u);
    EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "DBmain.rnd"), before);

    // Into a folder without the file: the same entries after an empty header.
    TempFolder other;
    ImportKnowledgeCsv(other.folder(), KnowledgeFile::Database, csv, "db.csv");
    EXPECT_EQ(ReadBytes(other.path / "OpzioneH" / "DBmain.rnd"), std::string(4814, '\0') + before.substr(4814));
}

TEST(KnowledgeCsv, RepertoryAndPlantsRoundTrip) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    RepertoryRecord r;
    r.patologia = "Asma";
    r.rimedio = "MSA Timo";
    r.posologia = "15 gocce, tre volte al giorno";
    SplitRepertoryNote(r, std::string(600, 'n'));
    AppendRepertoryRecord(folder, r);
    PlantRecord p;
    p.sintomo = "Insonnia";
    p.pianta = "Melissa";
    p.segnaturaPrimaria = "luna";
    p.autori = "Mattioli; Leclerc";
    AppendPlantRecord(folder, p);
    AppendPlantRecord(folder, PlantRecord{});
    for (KnowledgeFile f : {KnowledgeFile::Repertory, KnowledgeFile::Plants}) {
        const fs::path path = folder.Resolve(KnowledgeFilePath(f));
        const std::string before = ReadBytes(path);
        const std::string csv = ExportKnowledgeCsv(folder, f);
        ImportKnowledgeCsv(folder, f, csv, "x.csv");
        EXPECT_EQ(ReadBytes(path), before) << KnowledgeFilePath(f);
    }
    EXPECT_EQ(ExportKnowledgeCsv(folder, KnowledgeFile::Repertory).substr(0, 34),
              "Patologia,Rimedio,Posologia,Note\r\n");
}

TEST(KnowledgeCsv, HandWrittenFilesAreComfortable) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    // A byte-order mark, LF line ends, columns in any order, missing columns, a line break inside a
    // cell written as LF, a blank line.
    const std::string csv =
        "\xEF\xBB\xBFIndicazioni,Rimedio,Note\n"
        "Insonnia,MSA Melissa,\"Citrale\ne citronellale\"\n"
        "\n"
        "Tosse,\"MSA Timo\",\n";
    EXPECT_EQ(ImportKnowledgeCsv(folder, KnowledgeFile::Database, csv, "a.csv"), 2u);
    const RemedyRecord first = ReadRemedyRecord(folder, 1);
    EXPECT_EQ(JoinRemedyField(first, RemedyField::Rimedio), "MSA Melissa");
    EXPECT_EQ(JoinRemedyField(first, RemedyField::Note), "Citrale\r\ne citronellale");
    EXPECT_EQ(JoinRemedyField(ReadRemedyRecord(folder, 2), RemedyField::Indicazioni), "Tosse");
}

TEST(KnowledgeCsv, ErrorsNameTheRowAndFieldAndWriteNothing) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    const std::string row = "MSA Melissa,Insonnia,,,,,,,,\r\n";
    EXPECT_EQ(ImportError(folder, KnowledgeFile::Database,
                          kHeader + row + "MSA Timo," + std::string(301, 'x') + ",,,,,,,,\r\n"),
              "riga 3, colonna \"Indicazioni\": 301 caratteri, il massimo è 300");
    EXPECT_EQ(
        ImportError(folder, KnowledgeFile::Database, kHeader + row + "MSA Timo,Tosse \xE2\x86\x92 catarro,,,,,,,,\r\n"),
        "riga 3, colonna \"Indicazioni\": il carattere \"→\" (U+2192) non è rappresentabile in Windows-1252");
    EXPECT_EQ(ImportError(folder, KnowledgeFile::Database, kHeader + "\"MSA\nTimo\",Tosse\r\n"),
              "riga 2: 2 campi invece di 10");
    EXPECT_EQ(ImportError(folder, KnowledgeFile::Database, kHeader + row + "\"MSA Timo,Tosse,,,,,,,,\r\n"),
              "riga 3: virgolette non chiuse");
    EXPECT_EQ(ImportError(folder, KnowledgeFile::Plants, "Sintomo,Pianta,Colore\r\n"),
              "intestazione: colonna sconosciuta \"Colore\"");
    EXPECT_EQ(ImportError(folder, KnowledgeFile::Repertory, "Patologia,Note,Note.2\r\n"),
              "intestazione: la colonna \"Note\" compare sia intera sia divisa in parti");
    EXPECT_EQ(ImportError(folder, KnowledgeFile::Plants, "Sintomo,Pianta\r\nTosse,Un nome di pianta lunghissimo\r\n"),
              "riga 2, colonna \"Pianta\": 29 caratteri, il massimo è 20");
    EXPECT_FALSE(fs::exists(t.path / "OpzioneH"));
    EXPECT_FALSE(fs::exists(t.path / "OpzioneS"));

    // An existing file stays as it was.
    ImportKnowledgeCsv(folder, KnowledgeFile::Database, kHeader + row, "ok.csv");
    const std::string before = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");
    ImportError(folder, KnowledgeFile::Database, kHeader + row + "x," + std::string(400, 'y') + ",,,,,,,,\r\n");
    EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "DBmain.rnd"), before);
}
