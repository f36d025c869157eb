#pragma once
// Writes the report to a PDF file. Needs only QtGui, so the headless tool can
// make the same report as the window without loading any widget.

#include "report/report_parameters.h"

#include <QString>

#include <functional>

// Lays out both pages of the built-in template into `path`. The file is
// written whole or not at all: on failure an existing file is left as it was,
// false is returned and `error` says why. `onPage` hears each page's number
// (from 1) before the page is drawn.
bool WriteReportPdf(const TReportParameters& parameters, const QString& path, QString* error,
                    const std::function<void(int page)>& onPage = {});

// The file name offered when the report is saved: "Отчет ЗИРС <date>.pdf".
QString DefaultReportFileName(const QString& dateText);
