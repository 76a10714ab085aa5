#include "export/report_pdf.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <memory>
#include <new>

#include "export/chart_painter.h"
#include "export/memory_headroom.h"
#include "export/report_text.h"

namespace velmora {
namespace {

constexpr double kTextPoints = 9;
constexpr double kHeadingPoints = 13;

QFont FixedPitchFont(double points) {
    QFont font = QFontDatabase::families().contains("Courier New")
                     ? QFont("Courier New")
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

QColor ColorOf(ReportLineKind kind) {
    switch (kind) {
        case ReportLineKind::Failure:
            return {0xC0, 0x00, 0x00};
        case ReportLineKind::Warning:
            return {0xB0, 0x60, 0x00};
        case ReportLineKind::Mismatch:
            return {0x90, 0x00, 0xA0};
        case ReportLineKind::Plain:
            break;
    }
    return Qt::black;
}

// Moves down the pages line by line.
class PageCursor {
  public:
    PageCursor(QPagedPaintDevice& device, double pageHeight)
        : device_(device), pageHeight_(pageHeight) {}
    // The top of a block `height` high, on a new page when it does not fit on this one.
    double Take(double height) {
        if (y_ > 0 && y_ + height > pageHeight_) NewPage();
        const double top = y_;
        y_ += height;
        return top;
    }
    void NewPage() {
        device_.newPage();
        y_ = 0;
    }
    double Used() const { return y_; }

  private:
    QPagedPaintDevice& device_;
    double pageHeight_;
    double y_ = 0;
};

}  // namespace

std::string ReportHeading(const std::string& name, const std::string& date) {
    return "Velmora report: " + name + ", " + date;
}

void PaintReport(QPainter& painter, QPagedPaintDevice& device, const ReportDocument& report) {
    const double width = device.width();
    const double height = device.height();

    std::vector<std::string> lines = report.inputs;
    lines.emplace_back();
    lines.insert(lines.end(), report.computed.begin(), report.computed.end());
    if (!report.buildBy.empty()) {
        lines.emplace_back();
        lines.insert(lines.end(), report.buildBy.begin(), report.buildBy.end());
    }
    const std::vector<ReportLineKind> kinds = ReportLineKinds(lines);

    // The panes align their values by character count: one fixed-pitch size for all lines,
    // smaller when the longest line would not fit the page's width.
    QFont text = FixedPitchFont(kTextPoints);
    std::size_t longest = 1;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    const double charWidth = QFontMetricsF(text, &device).horizontalAdvance('M');
    if (charWidth * static_cast<double>(longest) > width)
        text.setPointSizeF(kTextPoints * width / (charWidth * static_cast<double>(longest)));
    const QFontMetricsF metrics(text, &device);

    QFont headingFont("DejaVu Sans");
    headingFont.setPointSizeF(kHeadingPoints);
    headingFont.setBold(true);
    const QFontMetricsF headingMetrics(headingFont, &device);

    PageCursor cursor(device, height);
    painter.setFont(headingFont);
    painter.setPen(Qt::black);
    const double headingTop = cursor.Take(headingMetrics.height() * 2);
    painter.drawText(QPointF(0, headingTop + headingMetrics.ascent()),
                     QString::fromStdString(report.heading));

    painter.setFont(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double top = cursor.Take(metrics.lineSpacing());
        painter.setPen(ColorOf(kinds[i]));
        painter.drawText(QPointF(0, top + metrics.ascent()), QString::fromStdString(lines[i]));
    }

    // Figures at the proportions of a 1600 x 1000 image, two to a page.
    const double figureHeight = std::min(width / 1.6, height / 2 - metrics.lineSpacing());
    const double figureWidth = figureHeight * 1.6;
    if (!report.figures.empty()) cursor.NewPage();
    for (const ChartData& figure : report.figures) {
        const double top = cursor.Take(figureHeight + metrics.lineSpacing());
        PaintChart(painter, QRectF((width - figureWidth) / 2, top, figureWidth, figureHeight),
                   figure);
    }
}

QByteArray ReportPdf(const ReportDocument& report) {
    if (!HasMemoryHeadroom()) throw std::bad_alloc();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer->setResolution(300);
    writer->setTitle(QString::fromStdString(report.heading));
    writer->setCreator("Velmora");
    auto painter = std::make_unique<QPainter>(writer.get());
    try {
        PaintReport(*painter, *writer, report);
        painter->end();  // the document is written here, and may run out of memory
    } catch (...) {
        // A painter whose end failed would end again in its destructor, which may not throw:
        // memory ran out, so the two are left behind and the failure goes to the caller.
        static_cast<void>(painter.release());
        static_cast<void>(writer.release());
        throw;
    }
    painter.reset();
    writer.reset();
    return bytes;
}

}  // namespace velmora
