#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "report/number_settings.h"

namespace velmora {

// Number to text: grouped integers above 999, three decimals from 1 to 999, five decimals
// from 0.001 to 1, "0", and four-digit exponent form ("1.235E-004") for everything else.
std::string FormatNumber(double x, const NumberSettings& numbers = {});

// Seconds as "2.5 sec", "250 milliSec" or "500 microSec".
std::string FormatDuration(double seconds, const NumberSettings& numbers = {});

// A number the window writes into an input field: FormatNumber without grouping, so that it
// reads back as the number it shows (group separators are never part of a typed number).
std::string FormatFieldNumber(double x, const NumberSettings& numbers = {});

// True when the text is an acceptable number: starts with a digit or a full stop, digits with
// an optional decimal separator (the settings' own or a full stop) and fraction, an optional
// exponent, optional trailing blanks, and a value that fits a double.
bool IsNumberText(std::string_view text, const NumberSettings& numbers = {});

// The value of a text that passes IsNumberText; nullopt for any other text.
std::optional<double> NumberTextValue(std::string_view text, const NumberSettings& numbers = {});

// Empty, or only blanks, carriage returns and line feeds.
bool IsBlankText(std::string_view text);

// The number of characters of a UTF-8 text (a separator such as U+202F is one, not three).
std::size_t TextWidth(std::string_view text);

// Blanks in front until the text is at least `width` characters long.
std::string PadLeft(std::string_view text, std::size_t width);

// Round to the nearest integer, halves to the even neighbour (the rule for percentages, pixel
// coordinates and sample positions). Non-finite input gives 0.
long long RoundHalfEven(double x);

// A trial value as typed: the shortest text that carries 15 significant digits ("1.65" for
// 1.5 x 1.1), with the user's decimal separator.
std::string TrialText(double value, const NumberSettings& numbers);

}  // namespace velmora
