#include "engine/correction_files.hpp"

#include <cmath>
#include <string>

#include "common/bytes.hpp"
#include "common/data_file_error.hpp"
#include "common/real_formats.hpp"

namespace florimant {

namespace {

int64_t CheckedIndex(Real value, const char* file) {
    // Dates before the file's first record never get here (the callers test the span), but a
    // value that is not a record number must not become a seek far outside the file.
    if (!std::isfinite(value) || value < 0 || value > 1e12L)
        throw DataFileError(file, "data fuori dall'intervallo del file");
    return static_cast<int64_t>(value);
}

}  // namespace

int16_t PlanetCorrectionField(std::span<const uint8_t> record, int code) {
    auto s8 = [&](size_t at) { return static_cast<int16_t>(static_cast<int8_t>(record[at])); };
    if (code >= 1 && code <= 7) return s8(6 + static_cast<size_t>(code - 1));
    if (code == 8) return ReadI16LE(record, 14);
    if (code == 9) return s8(16);
    if (code >= 10 && code <= 16) return s8(17 + static_cast<size_t>(code - 10));
    if (code == 17) return ReadI16LE(record, 24);
    return 0;
}

int64_t PlanetCorrectionRecordIndex(Real jd) {
    Real n = std::trunc(jd - PlanetCorrectionEpoch - 0.5L);
    return CheckedIndex(n, PlanetCorrectionFile) / 5;
}

int64_t DailyCorrectionRecordIndex(Real jd, Real epoch) {
    // nearbyint under the default rounding mode rounds halves to even.
    return CheckedIndex(std::nearbyint(jd - epoch - 0.5L),
                        epoch == MoonCorrectionEpoch ? MoonCorrectionFile : BlackMoonCorrectionFile);
}

std::span<const uint8_t> CorrectionFiles::Pair(File& f, int64_t n) {
    if (!f.file) f.file = std::make_unique<RecordFile>(folder_, f.programPath, f.recordSize);
    if (f.pairIndex != n) {
        f.pairIndex = -1;  // a failed read leaves nothing behind that looks valid
        f.pair = f.file->ReadRecords(static_cast<size_t>(n), 2);
        f.pairIndex = n;
    }
    return f.pair;
}

Real CorrectionFiles::PlanetCorrection(int code, Real jd) {
    const int64_t index = PlanetCorrectionRecordIndex(jd);
    const std::span<const uint8_t> pair = Pair(planets_, index);
    const std::span<const uint8_t> first = pair.first(PlanetCorrectionRecordSize);
    const Real a = PlanetCorrectionField(first, code);
    const Real b = PlanetCorrectionField(pair.subspan(PlanetCorrectionRecordSize), code);
    if (a == b) return a > 21600 ? a - 21600 : a;  // the record's day does not matter then
    const Real j0 = DecodeReal48(std::span<const uint8_t, 6>(first.data(), 6));
    // The record of a date starts at most 5 days before it; anything else is a damaged file,
    // whose interpolation would give an arbitrary correction.
    if (!(jd - j0 >= -1 && jd - j0 <= 6))
        throw DataFileError(PlanetCorrectionFile, "file danneggiato: il record " + std::to_string(index) +
                                                      " non corrisponde alla data richiesta");
    Real value = (jd - j0) * (b - a) / 5 + a;
    if (value > 21600) value -= 21600;
    return value;
}

Real CorrectionFiles::Daily(File& f, Real epoch, Real jd, bool wrap) {
    const int64_t n = DailyCorrectionRecordIndex(jd, epoch);
    const std::span<const uint8_t> pair = Pair(f, n);
    Real a, b;
    if (f.recordSize == 2) {
        a = ReadI16LE(pair, 0);
        b = ReadI16LE(pair, 2);
    } else {
        a = ReadI32LE(pair, 0);
        b = ReadI32LE(pair, 4);
    }
    Real c = (jd - (epoch + static_cast<Real>(n))) * (b - a) + a;
    if (wrap && c > 21600) c -= 21600;
    return c;
}

Real CorrectionFiles::MoonCorrection(Real jd) { return Daily(moon_, MoonCorrectionEpoch, jd, true); }

Real CorrectionFiles::BlackMoonCorrection(Real jd) { return Daily(blackMoon_, BlackMoonCorrectionEpoch, jd, false); }

}  // namespace florimant
