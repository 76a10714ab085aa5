#include "export/pv_csv.h"

#include "export/csv_number.h"
#include "export/cycle_csv.h"

namespace velmora {

std::string PvCsv(const CycleRecord& record, const ParameterSet& params) {
    std::string out = "total_volume_m3,pressure_Pa\n";
    if (record.empty()) {
        out += kNoGraphedCycleLine;
        out += '\n';
    }
    for (const CycleRow& row : record) {
        AppendCsvNumber(out, row.step.totalVolume);
        out += ',';
        AppendCsvNumber(out, row.step.pressure);
        out += '\n';
    }
    out += "# pv_power_at_engine_speed_W=";
    AppendCsvNumber(out, params.PVPowerAtEngineSpeed);
    out += "\n# pv_power_at_omega_bar_W=";
    AppendCsvNumber(out, params.PVPowerAtOmegaBar);
    out += '\n';
    return out;
}

}  // namespace velmora
