#pragma once
#include <stdexcept>
#include <string>

namespace florimant {

// Raised for every missing, short or malformed data file. It names the file (as the program
// spells it, for example "FilePosi\DPR1.rnd") and what was wrong, in Italian, so a window can
// show it as it stands.
class DataFileError : public std::runtime_error {
public:
    DataFileError(std::string file, std::string fault);
    const std::string& file() const noexcept { return file_; }
    const std::string& fault() const noexcept { return fault_; }

private:
    std::string file_;
    std::string fault_;
};

}  // namespace florimant
