// links: archive
// The locality and regime readers, the place search and the birth result on arbitrary file
// contents. The input is cut at every "#|#" into the files below, in order, and a last piece
// typed in the place field; files beyond the last piece are absent. Only DataFileError may come
// out, and no input may make the computation loop.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "archive/birth_entry.hpp"
#include "archive/place_search.hpp"
#include "common/data_file_error.hpp"
#include "fuzz_files.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {
const char* const Files[] = {"Localita/ITALIA.LOC", "Localita/ESTERO.LOC", "Calendar/00390000.CAL",
                             "Calendar/Database.cll", "Calendar/Elencal.002"};

const fs::path& Folder() {
    static const fs::path folder = fuzz::ScratchFolder("atlas", Files);
    return folder;
}

using fuzz::Guarded;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> pieces = fuzz::SplitPieces(input);
    const fs::path& root = Folder();
    fuzz::WritePieces(root, Files, pieces);
    const std::string typed = pieces.size() > std::size(Files) ? std::string(pieces[std::size(Files)]) : "R";
    const ProgramFolder folder(root);

    for (LocalityStore store : {LocalityStore::Italia, LocalityStore::Estero}) {
        Guarded([&] {
            const LocalityFile file(folder, store);
            Guarded([&] { SearchPlaces(file, typed); });
            for (long m = 0; m < 12; ++m)
                Guarded([&] { ScrollPlaceList(m, file.Count(), ListScroll::KeyPageDownOnLastRow); });
            const size_t last = std::min<size_t>(file.Count(), 4);
            for (size_t r = 1; r <= last; ++r) {
                for (const BirthDate& d :
                     {BirthDate{1, 7, 1700, 12, 0}, BirthDate{31, 12, 2080, 23, 59}, BirthDate{1, 1, 0, 0, 0}})
                    for (bool reform : {false, true}) Guarded([&] { ComputeBirthResult(folder, file, r, d, reform); });
            }
        });
    }
    return 0;
}
