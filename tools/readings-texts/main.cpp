// Writes the installation's reception lists and year rulers (see README.md).
#include <cstdio>
#include <exception>
#include <string>

#include "analysis/archetypal_structure.hpp"
#include "analysis/dignities.hpp"
#include "analysis/masters.hpp"
#include "common/file_io.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: readings-texts-generate <cartella di installazione>\n");
        return 2;
    }
    try {
        const florimant::ProgramFolder folder(argv[1]);
        for (int size = 2; size <= 5; ++size) {
            const auto keys = florimant::MutualReceptionKeys(size);
            florimant::ReplaceTextFile(folder, florimant::ReceptionListFiles[static_cast<size_t>(size - 2)], keys);
            std::printf("%s: %zu\n", florimant::ReceptionListFiles[static_cast<size_t>(size - 2)], keys.size());
        }
        florimant::ReplaceTextFile(folder, florimant::YearRulerFile, florimant::YearRulerTableLines());
        std::printf("%s: 252\n", florimant::YearRulerFile);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
