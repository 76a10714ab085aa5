#include "designspace/figure_sources_csv.h"

#include <ostream>
#include <string>
#include <utility>

#include "simulation/figure_source.h"

namespace velmora {

void WriteFigureSources(std::ostream& out, const std::vector<DesignOutput>& outputs,
                        IntegrationModel model) {
    std::vector<std::pair<std::string, std::string>> groups;  // source, its column names
    for (const DesignOutput output : outputs) {
        const std::string source = SourceText(output, model);
        auto group = groups.begin();
        while (group != groups.end() && group->first != source) ++group;
        if (group == groups.end()) {
            groups.emplace_back(source, OutputColumn(output).name);
        } else {
            group->second += ", ";
            group->second += OutputColumn(output).name;
        }
    }
    for (const auto& [source, names] : groups)
        out << "# from the " << source << ": " << names << '\n';
}

}  // namespace velmora
