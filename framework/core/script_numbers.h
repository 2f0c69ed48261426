// The numbers of script lines: where they stand in a line and what they are worth.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tovik {

// A number holds at most this many characters once its leading zeros are
// dropped, terminator included; a longer one is out of range anyway.
constexpr std::size_t NUMBER_BUFFER_SIZE = 12;

struct ScannedNumber {
    bool found = false;       // false: the line ended before a number began
    std::int32_t value = 0;   // clamped to the 32-bit range
    std::size_t end = 0;      // index of the first character after the number
};

// Both scans look only at line[start] .. line[length - 1].
//
// Digits: skips to the first decimal digit; the number is the run of digits
// there.  With `minus_sign` a '-' right before that run makes it negative.
ScannedNumber scan_digits(const char* line, std::size_t length, std::size_t start,
                          bool minus_sign);

// Signed: skips to the first digit or '-'; the number is the run of digits and
// '-' there, and its value is an optional leading '-' followed by the digits up
// to the first non-digit ("-12" is -12, "1-2" is 1, "-" is 0).
ScannedNumber scan_signed(const char* line, std::size_t length, std::size_t start);

}  // namespace tovik
