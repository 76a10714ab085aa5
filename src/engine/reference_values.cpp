#include "engine/reference_values.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace velmora {

ReferenceCase ReferenceCaseOf(std::string_view loadedFileName) {
    const std::size_t slash = loadedFileName.find_last_of("/\\");
    std::string_view name =
        slash == std::string_view::npos ? loadedFileName : loadedFileName.substr(slash + 1);
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "BRANDOCK TAPPER.RBP") return ReferenceCase::BrandockTapper;
    if (upper == "KESTMORE.RBP") return ReferenceCase::Kestmore;
    return ReferenceCase::None;
}

}  // namespace velmora
