#pragma once
// Writing a catalogue file: a new SQLite file with the table `Критерии`, its
// columns declared as given and its rows in order, checked before it is put
// in place. An existing file is replaced only when asked, and then whole: the
// new file is renamed over it and the old one is kept beside it as NAME.bak.

#include "catalogue_check.h"
#include "catalogue_table.h"

#include <QString>

#include <optional>
#include <vector>

// Writes `table` into `path`, which must not exist yet. Returns the error
// text, or nothing on success.
std::optional<QString> WriteCatalogueFile(const TCatalogueTable& table, const QString& path);

struct TInstallOutcome {
    bool Installed = false;
    QString Error;                           // why nothing was installed
    std::vector<TCatalogueFinding> Findings; // the check of the new file
};

// Writes the table to a temporary file beside `target`, checks it the way
// the search reads it and, only when the check finds no fault, moves it to
// `target`. Without `replace` an existing target is left alone and refused.
TInstallOutcome InstallCatalogue(const TCatalogueTable& table, const QString& target, bool replace);

// The name the replaced catalogue is kept under: "database.mdb.bak".
QString BackupPath(const QString& target);
