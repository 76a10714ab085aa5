#pragma once

#include <string>

namespace velmora {

// The text of a double with 15 significant digits, exactly as "%.15g" writes it ("0.063",
// "1.66666666666667e-05", "-0"). Not-finite values give "0".
std::string SampleText(double value);

}  // namespace velmora
