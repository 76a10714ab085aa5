#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "export/chart_data.h"

class QPagedPaintDevice;
class QPainter;

namespace velmora {

// What a printed report holds: a heading (file name and date), the two report panes and the
// figures drawn after them.
struct ReportDocument {
    std::string heading;
    std::vector<std::string> inputs;
    std::vector<std::string> computed;
    // The power to build by and where the figures come from, then a held design's (may be
    // empty): after the computed values.
    std::vector<std::string> buildBy;
    std::vector<ChartData> figures;
};

// "Velmora report: NAME, DATE".
std::string ReportHeading(const std::string& name, const std::string& date);

// Lays the report out on the pages of `device` (a PDF writer or a printer) with a painter
// already begun on it: heading, the panes in the fixed-pitch font with failure, warning and
// mismatch lines in colour, then the figures as vector drawings, two to a page.
void PaintReport(QPainter& painter, QPagedPaintDevice& device, const ReportDocument& report);

// The report as an A4 PDF document.
QByteArray ReportPdf(const ReportDocument& report);

}  // namespace velmora
