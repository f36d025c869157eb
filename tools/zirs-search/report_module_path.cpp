#include "tools/zirs-search/report_module_path.h"

#include "report/report_module.h"

#include <QDir>
#include <QFileInfo>

QString FindReportModule(const QString& programDir) {
    const QDir dir(programDir);
    const QString fileName = QLatin1String(ReportModuleFileName);
    const QString beside = dir.filePath(fileName);
    if (QFileInfo(beside).isFile())
        return beside;
    // ZIRS_PRIVATE_LIBDIR_FROM_BINDIR: the private folder relative to bin,
    // set by the install layout ("../lib/zirs-tavelin").
    return QDir::cleanPath(
        dir.filePath(QStringLiteral(ZIRS_PRIVATE_LIBDIR_FROM_BINDIR "/") + fileName));
}
