#include "knowledge/query_text.hpp"

#include "common/cp1252.hpp"
#include "common/trim.hpp"

namespace florimant {

std::string ToDisplay(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }
std::string ToStored(std::string_view utf8) { return Utf8ToCp1252(utf8); }

std::string ToStoredMultiline(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) text.push_back('\r');
        text.push_back(utf8[i]);
    }
    return Utf8ToCp1252(text);
}

bool EmptyAfterTrim(std::string_view utf8) { return WithoutTrailingJunk(utf8).empty(); }

bool HasSpecificUseMarker(std::string_view name) {
    for (char digit = '1'; digit <= '9'; ++digit) {
        const char marker[] = {'(', digit, ')', '\0'};
        if (name.find(marker) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace florimant
