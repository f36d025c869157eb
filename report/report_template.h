#pragma once
// The report template "Report1": two fixed A4 pages whose items sit at fixed
// places given in centimetres from the sheet's top-left corner. The template
// is data compiled into the program (report_template.json).

#include <QByteArray>
#include <QString>
#include <Qt>

#include <vector>

enum class TReportItemKind {
    Text,          // one line of fixed text
    Memo,          // fixed text in a box, broken at CR LF and wrapped at the box width
    ParameterText, // one line showing a parameter
    ParameterMemo, // a box showing a parameter
    HorizontalLine,
    VerticalLine,
};

struct TReportItem {
    QString Name;
    TReportItemKind Kind = TReportItemKind::Text;
    double Left = 0.0; // cm
    double Top = 0.0;
    double Width = 0.0;  // 0 for a vertical line
    double Height = 0.0; // 0 for one-line items and horizontal lines
    QString FontFace;    // the face name the template was designed with
    double PointSize = 0.0;
    bool Bold = false;
    bool Underline = false;
    Qt::Alignment Alignment = Qt::AlignLeft;
    QString Text;      // fixed items
    QString Parameter; // parameter items

    bool isLine() const {
        return Kind == TReportItemKind::HorizontalLine || Kind == TReportItemKind::VerticalLine;
    }
    bool isBox() const {
        return Kind == TReportItemKind::Memo || Kind == TReportItemKind::ParameterMemo;
    }
};

struct TReportPage {
    QString Name;
    std::vector<TReportItem> Items;
};

struct TReportTemplate {
    QString ReportName;
    double PageWidth = 21.0; // cm
    double PageHeight = 29.7;
    std::vector<TReportPage> Pages;
};

// Reads a template from its JSON text; on a malformed text returns an empty
// template and says why in `error`.
TReportTemplate ParseReportTemplate(const QByteArray& json, QString* error);

// The template built into the program, read once.
const TReportTemplate& BuiltInReportTemplate();
