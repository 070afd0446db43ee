// knowledge-base-generate DATA_FOLDER PROGRAM_FOLDER
// Imports remedies.csv, repertory.csv and plants.csv of DATA_FOLDER into PROGRAM_FOLDER
// (OpzioneH\DBmain.rnd, OpzioneH\Repertorio.rnd, OpzioneS\DataStf.rnd) and rebuilds their support
// files, so the knowledge base ships with current pick lists and key files.
#include <filesystem>
#include <iostream>

#include "common/data_file_error.hpp"
#include "knowledge/csv_io.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "uso: knowledge-base-generate CARTELLA_CSV CARTELLA_PROGRAMMA\n";
        return 2;
    }
    try {
        const auto used = florimant::BuildKnowledgeBaseFromCsv(florimant::ProgramFolder(argv[2]), argv[1]);
        if (used.empty()) {
            std::cerr << "knowledge-base-generate: nessun file CSV in " << argv[1] << '\n';
            return 1;
        }
        for (const auto& name : used) std::cout << name << '\n';
    } catch (const std::exception& e) {
        std::cerr << "knowledge-base-generate: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
