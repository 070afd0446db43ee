// generate-ephemeris-corrections FOLDER: writes FOLDER/FilePosi/{DSEL,NOJLNE,DPR1}.rnd and reports
// every value that did not fit its field.
#include <cstdio>
#include <exception>

#include "corrections.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: generate-ephemeris-corrections CARTELLA_INSTALLAZIONE\n");
        return 2;
    }
    using namespace florimant::corrections;
    try {
        const ClampReport r = WriteCorrectionFiles(argv[1], stderr);
        std::printf("DSEL.rnd: %zu records, %zu clamped to +-%d arcsec\n", MoonFileRecords, r.moon, MoonLimitArcsec);
        std::printf("NOJLNE.rnd: %zu records, %zu clamped\n", BlackMoonFileRecords, r.blackMoon);
        std::printf("DPR1.rnd: %zu records\n", PlanetFileRecords);
        for (int code = 1; code <= 17; ++code)
            if (r.planetCodes[code]) std::printf("  code %d: %zu values clamped\n", code, r.planetCodes[code]);
        if (r.lastClampedDay != 0)
            std::printf("clamped values between JD %.1Lf and %.1Lf\n", r.firstClampedDay, r.lastClampedDay);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "generate-ephemeris-corrections: %s\n", e.what());
        return 1;
    }
}
