#include "tests/ui/catalogue_fixture.h"

#include "tests/support/catalogue_writer.h"

#include <QVariantList>

namespace {

// Name, composition, bounds (slope, thickness, temperature, volume, wear),
// cost, the other nine internal criteria, five external factors, lowest slope
// and wear, and the three condition flags: the catalogue's column order.
// clang-format off
const QList<QVariantList> Variants = {
    {"Вариант А", "Наплавляемый слой", 50, 1, -25, 0, 100, 500, 0.45, 3, 7, 5, 4, 6, 8, 6, 0.3,
     4, 2, 5, 3, 6, 0, 0, 1, 1, 1},
    {"Вариант Б", "Мастичный слой", 50, 1, -25, 0, 100, 900, 0.8, 5, 6, 7, 3, 4, 7, 8, 0.6,
     6, 5, 3, 7, 4, 0, 0, 1, 1, 1},
    {"Вариант В", "Замена кровли", 50, 1, -25, 0, 100, 1500, 1.2, 6, 9, 4, 5, 5, 9, 7, 0.5,
     3, 7, 8, 5, 5, 0, 0, 1, 1, 1},
};
// clang-format on

} // namespace

bool WriteThreeVariantCatalogue(const QString& path) {
    const QStringList& names = CatalogueColumnNames();
    QList<QVariantMap> rows;
    for (const QVariantList& cells : Variants) {
        QVariantMap row;
        for (int i = 0; i < names.size(); ++i)
            row[names[i]] = cells.value(i);
        rows << row;
    }
    return WriteCatalogue(path, rows);
}
