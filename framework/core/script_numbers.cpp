#include "core/script_numbers.h"

#include <cstdlib>
#include <limits>

namespace tovik {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The value of `count` digits, negated if asked, clamped to the 32-bit range.
std::int32_t decimal_value(bool negative, const char* digits, std::size_t count) {
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    std::size_t first = 0;
    while (first < count && digits[first] == '0') ++first;  // worth nothing, take no room

    char buffer[NUMBER_BUFFER_SIZE];
    std::size_t used = 0;
    if (negative) buffer[used++] = '-';
    for (std::size_t i = first; i < count; ++i) {
        if (used == NUMBER_BUFFER_SIZE - 1) return negative ? lowest : highest;
        buffer[used++] = digits[i];
    }
    buffer[used] = '\0';
    // Eleven characters at most: well inside the range of long long.
    const long long value = std::strtoll(buffer, nullptr, 10);
    if (value < lowest) return lowest;
    if (value > highest) return highest;
    return static_cast<std::int32_t>(value);
}

}  // namespace

ScannedNumber scan_digits(const char* line, std::size_t length, std::size_t start,
                          bool minus_sign) {
    ScannedNumber number;
    std::size_t begin = start;
    while (begin < length && !is_digit(line[begin])) ++begin;
    if (begin == length) return number;
    std::size_t end = begin;
    while (end < length && is_digit(line[end])) ++end;
    const bool negative = minus_sign && begin > start && line[begin - 1] == '-';
    number.found = true;
    number.value = decimal_value(negative, line + begin, end - begin);
    number.end = end;
    return number;
}

ScannedNumber scan_signed(const char* line, std::size_t length, std::size_t start) {
    ScannedNumber number;
    std::size_t begin = start;
    while (begin < length && !is_digit(line[begin]) && line[begin] != '-') ++begin;
    if (begin == length) return number;
    std::size_t end = begin;
    while (end < length && (is_digit(line[end]) || line[end] == '-')) ++end;
    const bool negative = line[begin] == '-';
    const std::size_t digits_begin = negative ? begin + 1 : begin;
    std::size_t digits_end = digits_begin;
    while (digits_end < end && is_digit(line[digits_end])) ++digits_end;
    number.found = true;
    number.value = decimal_value(negative, line + digits_begin, digits_end - digits_begin);
    number.end = end;
    return number;
}

}  // namespace tovik
