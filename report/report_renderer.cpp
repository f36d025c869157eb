#include "report/report_renderer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

namespace {

constexpr double CentimetresPerInch = 2.54;

double ToDots(double centimetres, double dotsPerInch) {
    return centimetres / CentimetresPerInch * dotsPerInch;
}

void DrawLine(QPainter& painter, const TReportItem& item, double dpiX, double dpiY) {
    // A cosmetic pen is one device pixel wide on every device.
    QPen pen(Qt::black);
    pen.setWidth(0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const QPointF start(ToDots(item.Left, dpiX), ToDots(item.Top, dpiY));
    const QPointF end = item.Kind == TReportItemKind::HorizontalLine
                            ? QPointF(ToDots(item.Left + item.Width, dpiX), start.y())
                            : QPointF(start.x(), ToDots(item.Top + item.Height, dpiY));
    painter.drawLine(start, end);
}

void DrawOneLine(QPainter& painter, const TReportItem& item, const QString& text,
                 const QRectF& box) {
    painter.drawText(box, static_cast<int>(item.Alignment | Qt::AlignTop | Qt::TextSingleLine),
                     text);
}

// Lines break at each line end and wrap at the box width; they run down from
// the top of the box, each placed by the item's alignment.
void DrawBox(QPainter& painter, const TReportItem& item, const QString& text, const QRectF& box) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList paragraphs = text.split(lineEnd);
    // The text's closing line end starts no further line.
    if (!paragraphs.isEmpty() && paragraphs.last().isEmpty())
        paragraphs.removeLast();

    QTextOption option(item.Alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    double y = box.top();
    for (const QString& paragraph : paragraphs) {
        if (y >= box.bottom())
            break;
        QTextLayout layout(paragraph, painter.font(), painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        double height = 0.0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(box.width());
            line.setPosition(QPointF(0.0, height));
            height += line.height();
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(box.left(), y));
        y += height;
    }
}

// Values are clipped to their items. The report's own one-line wording is
// never cut: where a face's metrics make it a hair wider than its item, the
// clip follows the text.
QRectF ClipRect(const TReportItem& item, const QString& text, const QRectF& box,
                const QPainter& painter) {
    if (item.Kind != TReportItemKind::Text)
        return box;
    const double advance = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
    if (advance <= box.width())
        return box;
    const double extra = advance - box.width();
    if (item.Alignment & Qt::AlignRight)
        return box.adjusted(-extra, 0, 0, 0);
    if (item.Alignment & Qt::AlignHCenter)
        return box.adjusted(-extra / 2, 0, extra / 2, 0);
    return box.adjusted(0, 0, extra, 0);
}

} // namespace

QFont ReportItemFont(const TReportItem& item) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(item.PointSize);
    font.setBold(item.Bold);
    font.setUnderline(item.Underline);
    font.setKerning(false);
    return font;
}

QString ReportItemText(const TReportItem& item, const TReportParameters& parameters) {
    if (item.Kind == TReportItemKind::ParameterText || item.Kind == TReportItemKind::ParameterMemo)
        return parameters.value(item.Parameter);
    return item.Text;
}

QRectF ReportItemRect(const TReportItem& item, double dotsPerInchX, double dotsPerInchY,
                      QPaintDevice* device) {
    const double left = ToDots(item.Left, dotsPerInchX);
    const double top = ToDots(item.Top, dotsPerInchY);
    const double width = ToDots(item.Width, dotsPerInchX);
    if (item.isBox())
        return QRectF(left, top, width, ToDots(item.Height, dotsPerInchY));
    const QFontMetricsF metrics(ReportItemFont(item), device);
    return QRectF(left, top, width, metrics.height());
}

void RenderReportPage(QPainter& painter, const TReportPage& page,
                      const TReportParameters& parameters) {
    QPaintDevice* device = painter.device();
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    for (const TReportItem& item : page.Items) {
        painter.save();
        if (item.isLine()) {
            DrawLine(painter, item, dpiX, dpiY);
        } else {
            const QString text = ReportItemText(item, parameters);
            if (!text.isEmpty()) {
                painter.setFont(ReportItemFont(item));
                painter.setPen(Qt::black);
                const QRectF box = ReportItemRect(item, dpiX, dpiY, device);
                painter.setClipRect(ClipRect(item, text, box, painter), Qt::IntersectClip);
                if (item.isBox())
                    DrawBox(painter, item, text, box);
                else
                    DrawOneLine(painter, item, text, box);
            }
        }
        painter.restore();
    }
}

bool RenderReport(QPainter& painter, QPagedPaintDevice& device, const TReportTemplate& report,
                  const TReportParameters& parameters,
                  const std::function<void(int page)>& onPage) {
    for (std::size_t index = 0; index < report.Pages.size(); ++index) {
        if (index > 0 && !device.newPage())
            return false;
        if (onPage)
            onPage(static_cast<int>(index) + 1);
        RenderReportPage(painter, report.Pages[index], parameters);
    }
    return true;
}

void PrepareReportDevice(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter,
                                     QMarginsF(0, 0, 0, 0)));
}
