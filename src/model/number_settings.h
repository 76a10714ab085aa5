#pragma once

namespace velmora {

// The user's number settings: decided once at start-up (the window takes them from the
// system locale; the command line keeps the defaults) and handed to every text operation.
struct NumberSettings {
    char decimalSeparator = '.';
    char thousandsSeparator = ',';
};

}  // namespace velmora
