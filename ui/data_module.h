#pragma once
// What the program keeps for the catalogue between searches: the catalogue
// file's name, resolved against the working directory when a search opens
// it, and the state of the last searches (the tables the analysis window and
// the report read). Nothing here touches the file until the first search.

#include "search/catalogue.h"
#include "search/search.h"

#include <QString>

// The catalogue file the program reads, looked up in the working directory.
inline constexpr const char* CatalogueFileName = DefaultCatalogueFileName;

class TDataModule1 {
public:
    QString CataloguePath = QString::fromLatin1(CatalogueFileName);
    SearchState State;
};
