#pragma once
// Small builders for engine test inputs.

#include "engine/normalized_matrix.h"
#include "engine/rounded_value.h"
#include "engine/technology_variant.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// A variant named `name` whose criterion cells are all empty.
inline TTechnologyVariant MakeVariant(const std::string& name) {
    TTechnologyVariant variant;
    variant.Name = name;
    variant.ProcessComposition = "Состав " + name;
    return variant;
}

// Rows named by `names` (compositions "Состав <name>"), each with the aggregate cell read from its
// text.
inline TNormalizedMatrix MakeRankedMatrix(const QStringList& names, const QStringList& keys) {
    TNormalizedMatrix matrix;
    matrix.AggregateHeading = "Критерий";
    for (int r = 0; r < names.size(); ++r) {
        TNormalizedRow row;
        row.Name = names[r].toStdString();
        row.ProcessComposition = "Состав " + row.Name;
        row.Aggregate = TRoundedValue{keys[r].toStdString(), TextToValue(keys[r].toStdString())};
        matrix.Rows.push_back(row);
    }
    return matrix;
}

inline QStringList NamesOf(const TNormalizedMatrix& matrix) {
    QStringList names;
    for (const TNormalizedRow& row : matrix.Rows)
        names << QString::fromStdString(row.Name);
    return names;
}

// The texts of one column (-1: the aggregate column) from top to bottom.
inline QStringList ColumnTexts(const TNormalizedMatrix& matrix, int column) {
    QStringList texts;
    for (const TNormalizedRow& row : matrix.Rows)
        texts << QString::fromStdString(column < 0 ? row.Aggregate->Text : row.Cells[column].Text);
    return texts;
}
