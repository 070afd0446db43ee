#include "common/pstring.hpp"

#include <algorithm>
#include <stdexcept>

namespace florimant {

std::string ReadPString(std::span<const uint8_t> record, size_t at, size_t capacity, bool* overlong) {
    if (at + 1 + capacity > record.size()) throw std::out_of_range("PString field outside its record");
    size_t length = record[at];
    if (overlong) *overlong = length > capacity;
    length = std::min(length, capacity);
    return std::string(reinterpret_cast<const char*>(record.data() + at + 1), length);
}

void WritePString(std::span<uint8_t> record, size_t at, size_t capacity, std::string_view text) {
    if (at + 1 + capacity > record.size()) throw std::out_of_range("PString field outside its record");
    const size_t length = std::min(text.size(), capacity);
    record[at] = static_cast<uint8_t>(length);
    std::copy_n(reinterpret_cast<const uint8_t*>(text.data()), length, record.begin() + at + 1);
    std::fill(record.begin() + at + 1 + length, record.begin() + at + 1 + capacity, 0);
}

}  // namespace florimant
