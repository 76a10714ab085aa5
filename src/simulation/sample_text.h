#pragma once

#include <cstddef>
#include <string>

namespace velmora {

// The text of a double with 15 significant digits, exactly as "%.15g" writes it ("0.063",
// "1.66666666666667e-05", "-0"). Not-finite values give "0".
std::string SampleText(double value);

// The same text written into `out`, which must hold kSampleTextCapacity characters; returns
// its length. No terminating zero.
inline constexpr std::size_t kSampleTextCapacity = 32;
std::size_t WriteSampleText(double value, char* out);

// The value of a text written by SampleText (0 for any other text), read without copying it.
double SampleTextValue(const std::string& text);

// The value that SampleText(value) reads back as: `value` rounded to 15 significant digits.
// SampleText of the result is SampleText(value), so sample lists keep these doubles and make
// their texts only when asked.
double RoundedSample(double value);

}  // namespace velmora
