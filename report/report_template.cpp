#include "report/report_template.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// A resource compiled into a static library is only registered when some
// code of that library asks for it.
static void RegisterReportResources() {
    Q_INIT_RESOURCE(report);
}

namespace {

bool ReadKind(const QString& text, TReportItemKind* kind) {
    static const std::pair<const char*, TReportItemKind> kinds[] = {
        {"text", TReportItemKind::Text},
        {"memo", TReportItemKind::Memo},
        {"parameterText", TReportItemKind::ParameterText},
        {"parameterMemo", TReportItemKind::ParameterMemo},
        {"hline", TReportItemKind::HorizontalLine},
        {"vline", TReportItemKind::VerticalLine},
    };
    for (const auto& [name, value] : kinds) {
        if (text == QLatin1String(name)) {
            *kind = value;
            return true;
        }
    }
    return false;
}

Qt::Alignment ReadAlignment(const QString& text) {
    if (text == QLatin1String("centre"))
        return Qt::AlignHCenter;
    if (text == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

// Face A carries the Cyrillic code page in its name; both are Times New Roman.
QString ReadFace(const QString& text) {
    if (text == QLatin1String("A"))
        return QStringLiteral("Times New Roman CYR");
    if (text == QLatin1String("B"))
        return QStringLiteral("Times New Roman");
    return text;
}

} // namespace

TReportTemplate ParseReportTemplate(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        if (error)
            *error = parseError.errorString();
        return {};
    }
    const QJsonObject root = document.object();
    TReportTemplate report;
    report.ReportName = root.value(QLatin1String("report")).toString();
    report.PageWidth = root.value(QLatin1String("pageWidth")).toDouble(21.0);
    report.PageHeight = root.value(QLatin1String("pageHeight")).toDouble(29.7);
    for (const QJsonValue& pageValue : root.value(QLatin1String("pages")).toArray()) {
        const QJsonObject pageObject = pageValue.toObject();
        TReportPage page;
        page.Name = pageObject.value(QLatin1String("name")).toString();
        for (const QJsonValue& itemValue : pageObject.value(QLatin1String("items")).toArray()) {
            const QJsonObject object = itemValue.toObject();
            TReportItem item;
            item.Name = object.value(QLatin1String("name")).toString();
            if (!ReadKind(object.value(QLatin1String("kind")).toString(), &item.Kind)) {
                if (error)
                    *error = QStringLiteral("unknown item kind in %1/%2").arg(page.Name, item.Name);
                return {};
            }
            item.Left = object.value(QLatin1String("left")).toDouble();
            item.Top = object.value(QLatin1String("top")).toDouble();
            item.Width = object.value(QLatin1String("width")).toDouble();
            item.Height = object.value(QLatin1String("height")).toDouble();
            item.FontFace = ReadFace(object.value(QLatin1String("font")).toString());
            item.PointSize = object.value(QLatin1String("size")).toDouble();
            item.Bold = object.value(QLatin1String("bold")).toBool();
            item.Underline = object.value(QLatin1String("underline")).toBool();
            item.Alignment = ReadAlignment(object.value(QLatin1String("align")).toString());
            item.Text = object.value(QLatin1String("text")).toString();
            item.Parameter = object.value(QLatin1String("parameter")).toString();
            page.Items.push_back(item);
        }
        report.Pages.push_back(page);
    }
    return report;
}

const TReportTemplate& BuiltInReportTemplate() {
    static const TReportTemplate report = [] {
        RegisterReportResources();
        QFile file(QStringLiteral(":/report/report_template.json"));
        file.open(QIODevice::ReadOnly);
        return ParseReportTemplate(file.readAll(), nullptr);
    }();
    return report;
}
