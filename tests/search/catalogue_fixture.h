#pragma once
// Small catalogue files built at test time, and helpers around them.

#include "search/filter_parameters.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// A row every request made by WideOpenParameters() admits; tests change the
// cells they are about. A null QVariant is an empty cell.
QVariantMap PermissiveRow(const QString& name);

// Parameters under which PermissiveRow passes every comparison.
TFilterParameters WideOpenParameters();

// Writes a catalogue with the table "Критерии" holding `rows` in order. The
// columns in `omitted` are left out of the table. Returns false on failure.
bool WriteCatalogue(const QString& path, const QList<QVariantMap>& rows,
                    const QStringList& omitted = {});

QByteArray FileBytes(const QString& path);
