#include "report/report_pdf.h"

#include "report/report_renderer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// Fine enough that rounding to device units moves nothing by more than a
// few hundredths of a millimetre.
constexpr int PdfResolution = 1200;

void SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

bool WriteReportPdf(const TReportParameters& parameters, const QString& path, QString* error,
                    const std::function<void(int page)>& onPage) {
    if (path.isEmpty()) {
        SetError(error, QStringLiteral("Не указано имя файла отчета."));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, QStringLiteral("Не удалось сохранить отчет в файл \"%1\": %2")
                            .arg(path, file.errorString()));
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(PdfResolution);
        writer.setTitle(QStringLiteral("Отчет о результатах автоматизированного поиска"));
        writer.setCreator(QStringLiteral("ЗИРС \"Тавелин\""));
        PrepareReportDevice(writer);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            SetError(error, QStringLiteral("Не удалось подготовить файл отчета \"%1\".").arg(path));
            return false;
        }
        const bool laidOut =
            RenderReport(painter, writer, BuiltInReportTemplate(), parameters, onPage);
        painter.end();
        if (!laidOut) {
            file.cancelWriting();
            SetError(error, QStringLiteral("Не удалось разместить страницы отчета."));
            return false;
        }
    }
    if (!file.commit()) {
        SetError(error, QStringLiteral("Не удалось сохранить отчет в файл \"%1\": %2")
                            .arg(path, file.errorString()));
        return false;
    }
    return true;
}

QString DefaultReportFileName(const QString& dateText) {
    return QStringLiteral("Отчет ЗИРС %1.pdf").arg(dateText);
}
