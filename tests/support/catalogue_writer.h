#pragma once
// Catalogue files made at test time, from the column list the program reads.

#include "search/filter_parameters.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Every column of the table "Критерии" in the bundled catalogue's order.
const QStringList& CatalogueColumnNames();

// A row every request made by WideOpenParameters() admits; tests change the
// cells they are about. A null QVariant is an empty cell.
QVariantMap PermissiveRow(const QString& name);

// Parameters under which PermissiveRow passes every comparison.
TFilterParameters WideOpenParameters();

struct CatalogueLayout {
    QStringList Omitted;       // columns left out of the table
    QString Table;             // the table's name; empty: "Критерии"
    QString Pragma;            // run before the table is made, when given
    bool DeclaredTypes = true; // the bundled catalogue's column types, or none
};

inline CatalogueLayout WithoutColumns(const QStringList& omitted) {
    CatalogueLayout layout;
    layout.Omitted = omitted;
    return layout;
}

// Writes a catalogue holding `rows` in order (a row's missing names are empty
// cells). Returns false, with the reason in `error`, when it cannot.
bool WriteCatalogue(const QString& path, const QList<QVariantMap>& rows,
                    const CatalogueLayout& layout = {}, QString* error = nullptr);

QByteArray FileBytes(const QString& path);
