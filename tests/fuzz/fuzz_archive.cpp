// links: archive analysis drawing
// The readers of the subject archives, the current subject and the settings files on arbitrary
// file contents. The input is cut at every "#|#" into the contents of the files below, in order;
// files beyond the last piece are absent. Only DataFileError may come out of a reader.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "archive/current_subject.hpp"
#include "archive/subject_archive.hpp"
#include "common/data_file_error.hpp"
#include "drawing/display_settings.hpp"
#include "fuzz_files.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {
const char* const Files[] = {"BASE.ST1",
                             "BASE.ST2",
                             "BASE.ST3",
                             "TMPR.ST1",
                             "TMPR.ST2",
                             "FileDum/Annotaz.dum",
                             "FileDum/StrText.dum",
                             "FileSet/OrbiDomi.stt",
                             "FileDum/MMVarOrb.dum",
                             "FileSet/MMVarLas.stt",
                             "FileDum/MMordina.dum",
                             "BASEtxt/00001.txt"};

const fs::path& Folder() {
    static const fs::path folder = fuzz::ScratchFolder("archive", Files);
    return folder;
}

using fuzz::Guarded;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> pieces = fuzz::SplitPieces(input);
    const fs::path& root = Folder();
    fuzz::WritePieces(root, Files, pieces);
    const ProgramFolder folder(root);

    Guarded([&] { ListArchives(folder); });
    Guarded([&] {
        const ArchiveInfo info = OpenArchive(folder, "BASE");
        for (long p = 0; p <= info.Count; ++p) {
            Guarded([&] { ReadIndexEntry(folder, "BASE", p); });
            if (p > 0) Guarded([&] { ReadSubject(folder, "BASE", p); });
        }
        Guarded([&] { FindIndexPosition(folder, "BASE", "R"); });
        Guarded([&] { FindIndexPosition(folder, "BASE", ""); });
        Guarded([&] { ReadAnnotation(folder, "BASE", 0); });
    });
    Guarded([&] { ReadCurrentSubject(folder); });
    Guarded([&] {
        ChartData chart;
        SubjectSummary summary;
        ReadChartSubjectFields(folder, chart, summary);
    });
    Guarded([&] { SubjectTextExists(folder); });
    Guarded([&] { ReadChangedIndexes(folder); });
    Guarded([&] { LoadActiveOrbs(folder); });
    Guarded([&] { LoadOrbSets(folder); });
    Guarded([&] { LoadDisplaySettings(folder); });
    return 0;
}
