#pragma once
// What a catalogue must be for the search to work on it, checked cell by
// cell: every finding names the row, the variant and the column. Faults break
// what the search relies on; warnings point at data that works but looks
// wrong, and do not make a catalogue fail.

#include "catalogue_table.h"

#include <QJsonArray>
#include <QString>

#include <vector>

enum class TFindingLevel { Fault, Warning };

struct TCatalogueFinding {
    TFindingLevel Level = TFindingLevel::Fault;
    int Row = 0;     // 1 for the first variant in catalogue order; 0 for the whole catalogue
    QString Variant; // the row's variant name as it stands
    QString Column;  // the column concerned, or empty
    QString Text;    // what is wrong, in Russian
};

// Checks a table read whole.
std::vector<TCatalogueFinding> CheckCatalogueTable(const TCatalogueTable& table);

// Reads the file the way the search does and checks it; a file that cannot
// be read, or whose filter query does not run, is one fault.
std::vector<TCatalogueFinding> CheckCatalogueFile(const QString& cataloguePath);

bool HasFaults(const std::vector<TCatalogueFinding>& findings);

// One line per finding: "ошибка: строка 3 («Название»), столбец «Уклон»: …".
QString FindingLine(const TCatalogueFinding& finding);

// [{"level": "error"|"warning", "row": 3, "variant": "…", "column": "…",
//   "message": "…"}, …]
QJsonArray FindingsJson(const std::vector<TCatalogueFinding>& findings);
