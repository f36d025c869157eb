#pragma once
// Draws the report's pages on any paint device (screen preview, printer,
// PDF). The painter's origin must be the sheet's top-left corner; sizes come
// from the device's resolution, so one template serves every device.

#include "report/report_parameters.h"
#include "report/report_template.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class QPagedPaintDevice;
class QPaintDevice;

// The font an item is drawn with: both faces of the template stand for Times
// New Roman, which fontconfig resolves to its metric twin.
QFont ReportItemFont(const TReportItem& item);

// The text an item shows: its fixed text, or its parameter's value.
QString ReportItemText(const TReportItem& item, const TReportParameters& parameters);

// The item's box in device units on a device of the given resolution; a
// one-line item is one line of its font high.
QRectF ReportItemRect(const TReportItem& item, double dotsPerInchX, double dotsPerInchY,
                      QPaintDevice* device);

// Draws one page. Every text is clipped to its item, so a long value never
// runs over the table rules or onto the next item.
void RenderReportPage(QPainter& painter, const TReportPage& page,
                      const TReportParameters& parameters);

// Lays out every page of the report on a paged device that `painter` is
// already active on, starting each page after the first with newPage().
// `onPage` hears the number (from 1) of each page before it is drawn.
// Returns false when the device refuses a new page.
bool RenderReport(QPainter& painter, QPagedPaintDevice& device, const TReportTemplate& report,
                  const TReportParameters& parameters,
                  const std::function<void(int page)>& onPage = {});

// Sets the device to the template's sheet: A4 portrait with no margins, so
// that the painter's origin is the corner of the sheet.
void PrepareReportDevice(QPagedPaintDevice& device);
