#include "common/data_file_error.hpp"

namespace florimant {

DataFileError::DataFileError(std::string file, std::string fault)
    : std::runtime_error("File \"" + file + "\": " + fault), file_(std::move(file)), fault_(std::move(fault)) {}

}  // namespace florimant
