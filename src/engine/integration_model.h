#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace velmora {

// How a design's cycle is integrated: the one-degree model every page shows, or the
// error-controlled integration beside it (doc/physics.md). Stored in a parameter file as
// [Model] Integration, apart from the 56 keys.
enum class IntegrationModel { Specified, Accurate };

struct IntegrationModelName {
    IntegrationModel model;
    const char* name;     // file value and command-line word
    const char* caption;  // window text
};

inline constexpr std::array<IntegrationModelName, 2> kIntegrationModels{{
    {IntegrationModel::Specified, "specified", "Specified (one-degree steps)"},
    {IntegrationModel::Accurate, "accurate", "Accurate (error-controlled)"},
}};

inline constexpr const char* kModelSection = "Model";
inline constexpr const char* kIntegrationKey = "Integration";

inline const IntegrationModelName& NameOf(IntegrationModel model) {
    return kIntegrationModels[static_cast<std::size_t>(model)];
}

// The model a word names (letter case as written), or empty.
inline std::optional<IntegrationModel> FindIntegrationModel(std::string_view word) {
    for (const IntegrationModelName& entry : kIntegrationModels)
        if (word == entry.name) return entry.model;
    return std::nullopt;
}

}  // namespace velmora
