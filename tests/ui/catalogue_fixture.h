#pragma once
// A small catalogue made at test time: three variants that differ only in
// their cost and criteria, so the cost limit alone decides whether a search
// finds none, one or several of them.

#include <QString>

// Writes the catalogue to `path`; returns false if it could not be made.
bool WriteThreeVariantCatalogue(const QString& path);

// Cost limits that admit none, exactly one, and all three variants.
inline const QString CostAdmittingNone = QStringLiteral("100");
inline const QString CostAdmittingOne = QStringLiteral("600");
inline const QString CostAdmittingAll = QStringLiteral("2000");
