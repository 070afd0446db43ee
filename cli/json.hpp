#pragma once
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

// A small streaming JSON writer: the command line's output is read by other programs, so keys
// keep their order and numbers are printed with enough digits to round-trip.
namespace florimant::cli {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& BeginObject() {
        Separator();
        out_ << '{';
        first_ = true;
        return *this;
    }
    JsonWriter& EndObject() {
        out_ << '}';
        first_ = false;
        return *this;
    }
    JsonWriter& BeginArray() {
        Separator();
        out_ << '[';
        first_ = true;
        return *this;
    }
    JsonWriter& EndArray() {
        out_ << ']';
        first_ = false;
        return *this;
    }
    JsonWriter& Key(std::string_view key) {
        Separator();
        WriteString(key);
        out_ << ':';
        afterKey_ = true;
        return *this;
    }
    JsonWriter& String(std::string_view value) {
        Separator();
        WriteString(value);
        return *this;
    }
    JsonWriter& Bool(bool value) {
        Separator();
        out_ << (value ? "true" : "false");
        return *this;
    }
    JsonWriter& Int(long long value) {
        Separator();
        out_ << value;
        return *this;
    }
    JsonWriter& Number(long double value, int significant = 17) {
        Separator();
        if (!std::isfinite(value)) {
            out_ << "null";
        } else {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.*Lg", significant, value);
            out_ << buffer;
        }
        return *this;
    }
    template <typename T>
    JsonWriter& Field(std::string_view key, const T& value);
    void Newline() { out_ << '\n'; }

private:
    void Separator() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_) out_ << ',';
        first_ = false;
    }
    void WriteString(std::string_view s) {
        out_ << '"';
        for (char c : s) {
            switch (c) {
            case '"': out_ << "\\\""; break;
            case '\\': out_ << "\\\\"; break;
            case '\n': out_ << "\\n"; break;
            case '\r': out_ << "\\r"; break;
            case '\t': out_ << "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out_ << buffer;
                } else {
                    out_ << c;
                }
            }
        }
        out_ << '"';
    }
    std::ostream& out_;
    bool first_ = true;
    bool afterKey_ = false;
};

template <typename T>
JsonWriter& JsonWriter::Field(std::string_view key, const T& value) {
    Key(key);
    if constexpr (std::is_same_v<T, bool>) return Bool(value);
    else if constexpr (std::is_integral_v<T>) return Int(static_cast<long long>(value));
    else if constexpr (std::is_floating_point_v<T>) return Number(value);
    else return String(std::string_view(value));
}

}  // namespace florimant::cli
