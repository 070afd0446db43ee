// atlas-writer: writes the installation's locality and legal-time files from the tables of
// tools/atlas-data. Usage: atlas-writer --in DIR --out INSTALLATION
#include <iostream>
#include <string>

#include "atlas_writer.hpp"
#include "common/data_file_error.hpp"

int main(int argc, char** argv) {
    std::string in = "tools/atlas-data/out", out = "installation";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--in" && i + 1 < argc) {
            in = argv[++i];
        } else if (a == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else {
            std::cerr << "uso: atlas-writer [--in CARTELLA_TABELLE] [--out CARTELLA_INSTALLAZIONE]\n";
            return 2;
        }
    }
    try {
        const atlas::WriteSummary s = atlas::WriteAtlas(in, out);
        std::cout << "ITALIA.LOC " << s.italianPlaces << " località, ESTERO.LOC " << s.foreignPlaces << " località\n"
                  << "regimi italiani " << s.italianLists << " file, regimi esteri " << s.foreignLists << " elenchi ("
                  << s.databaseRecords << " record in Database.cll)\n";
        if (s.namesCut || s.statesCut)
            std::cout << "avviso: " << s.namesCut << " nomi tagliati a 31 caratteri, " << s.statesCut
                      << " stati tagliati a 23\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "atlas-writer: " << e.what() << '\n';
        return 1;
    }
}
