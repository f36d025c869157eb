// The reader of an old Access (Jet) catalogue, run as a child process of
// zirs-catalogue. libmdb reports most faults only on stderr and can crash on
// a damaged file, which is why it lives in a process of its own; this side
// reads what it can and reports it, the parent decides.

#include "tools/zirs-catalogue/legacy_import.h"

#include <QByteArray>
#include <QStringList>

#include <mdbtools.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A memo longer than this is refused rather than cut (libmdb copies at most
// the bind size).
constexpr std::size_t BindSize = 8 * 1024 * 1024;

__extension__ typedef unsigned __int128 Unsigned128;

// A decimal column's definition holds its precision, then its scale; libmdb
// 1.0 fills `col_scale` from the first and `col_prec` from the second (its
// own tools swap them back), so the names are read crosswise here.
int DecimalPrecision(const MdbColumn* column) {
    return column->col_scale;
}
int DecimalScale(const MdbColumn* column) {
    return column->col_prec;
}

QString DeclaredType(const MdbColumn* column, bool jet4) {
    switch (column->col_type) {
    case MDB_BOOL:
        return QStringLiteral("BOOLEAN");
    case MDB_BYTE:
        return QStringLiteral("TINYINT");
    case MDB_INT:
        return QStringLiteral("SMALLINT");
    case MDB_LONGINT:
        return QStringLiteral("INTEGER");
    case MDB_MONEY:
        return QStringLiteral("DECIMAL(19,4)");
    case MDB_FLOAT:
        return QStringLiteral("REAL");
    case MDB_DOUBLE:
        return QStringLiteral("DOUBLE");
    case MDB_NUMERIC:
        return QStringLiteral("DECIMAL(%1,%2)")
            .arg(DecimalPrecision(column))
            .arg(DecimalScale(column));
    case MDB_DATETIME:
        return QStringLiteral("DATETIME");
    case MDB_TEXT:
        return QStringLiteral("VARCHAR(%1)").arg(jet4 ? column->col_size / 2 : column->col_size);
    case MDB_MEMO:
        return QStringLiteral("TEXT");
    default:
        return QStringLiteral("BLOB");
    }
}

std::uint64_t LittleEndian(const unsigned char* bytes, int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return value;
}

// An exact decimal (sign, digits of the whole number of units, scale): an
// integer when it has no fraction and fits, else the double nearest to it.
void DecimalCell(LegacyReportWriter& out, bool negative, Unsigned128 units, int scale) {
    Unsigned128 divisor = 1;
    for (int i = 0; i < scale; ++i)
        divisor *= 10;
    if (units % divisor == 0) {
        const Unsigned128 whole = units / divisor;
        if (whole <= static_cast<Unsigned128>(INT64_MAX)) {
            const auto value = static_cast<qint64>(whole);
            out.integerCell(negative ? -value : value);
            return;
        }
    }
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(units % 10)));
        units /= 10;
    } while (units != 0);
    std::string text = (negative ? "-" : "") + digits + "e-" + std::to_string(scale);
    // strtod rounds the decimal text correctly; it sees "C" number syntax
    // because the child never sets a locale.
    out.realCell(std::strtod(text.c_str(), nullptr));
}

bool WriteAll(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
           static_cast<std::size_t>(bytes.size());
}

} // namespace

int RunLegacyChild(const char* path) {
    unsetenv("MDBICONV");
    MdbHandle* mdb = mdb_open(path, MDB_NOFLAGS);
    if (!mdb)
        return LegacyCannotOpen;
    const bool jet4 = mdb->f->jet_version == MDB_VER_JET4;
    if (mdb->f->jet_version != MDB_VER_JET3 && !jet4) {
        std::fprintf(stderr, "not a Jet 3 or Jet 4 file\n");
        mdb_close(mdb);
        return LegacyCannotOpen;
    }
    mdb_set_bind_size(mdb, BindSize);
    mdb_set_boolean_fmt_numbers(mdb);
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        return LegacyCannotOpen;
    }
    std::string tableName = "Критерии";
    MdbTableDef* table = mdb_read_table_by_name(mdb, tableName.data(), MDB_TABLE);
    if (!table) {
        mdb_close(mdb);
        return LegacyTableMissing;
    }
    if (!mdb_read_columns(table) || table->num_cols == 0 || table->num_cols > 255) {
        mdb_free_tabledef(table);
        mdb_close(mdb);
        return LegacyUnreadableColumns;
    }
    mdb_rewind_table(table);

    const unsigned columnCount = table->num_cols;
    std::vector<std::unique_ptr<char[]>> buffers(columnCount);
    std::vector<int> lengths(columnCount, 0);
    QStringList names, types;
    for (unsigned c = 0; c < columnCount; ++c) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
        names << QString::fromUtf8(column->name);
        types << DeclaredType(column, jet4);
        // Left uninitialised: only what a value needs of it is ever touched.
        buffers[c].reset(new char[BindSize]);
        mdb_bind_column(table, static_cast<int>(c) + 1, buffers[c].get(), &lengths[c]);
    }

    LegacyReportWriter out;
    out.begin(names, types, table->num_rows);
    while (mdb_fetch_row(table)) {
        out.beginRow();
        for (unsigned c = 0; c < columnCount; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            const int length = lengths[c];
            const int rawLength = column->cur_value_len;
            // The value's place in the page, used only where it lies inside it.
            const bool fits = column->cur_value_start >= 0 && rawLength >= 0 &&
                              column->cur_value_start + rawLength <= static_cast<int>(MDB_PGSIZE);
            const unsigned char* raw = fits ? mdb->pg_buf + column->cur_value_start : nullptr;
            const auto fixed = [&](int size) { return fits && rawLength == size; };
            if (static_cast<std::size_t>(length) + 1 >= BindSize)
                return LegacyTextTooLong;
            // Numbers are taken from their stored bytes, never from the
            // library's printed text, so nothing is rounded on the way.
            switch (column->col_type) {
            case MDB_BYTE:
                fixed(1) ? out.integerCell(raw[0]) : out.nullCell();
                break;
            case MDB_INT:
                fixed(2) ? out.integerCell(static_cast<std::int16_t>(LittleEndian(raw, 2)))
                         : out.nullCell();
                break;
            case MDB_LONGINT:
                fixed(4) ? out.integerCell(static_cast<std::int32_t>(LittleEndian(raw, 4)))
                         : out.nullCell();
                break;
            case MDB_FLOAT:
                if (fixed(4)) {
                    const auto bits = static_cast<std::uint32_t>(LittleEndian(raw, 4));
                    float value = 0;
                    std::memcpy(&value, &bits, sizeof value);
                    out.realCell(value);
                } else {
                    out.nullCell();
                }
                break;
            case MDB_DOUBLE:
                if (fixed(8)) {
                    const std::uint64_t bits = LittleEndian(raw, 8);
                    double value = 0;
                    std::memcpy(&value, &bits, sizeof value);
                    out.realCell(value);
                } else {
                    out.nullCell();
                }
                break;
            case MDB_MONEY:
                if (fixed(8)) {
                    const auto units = static_cast<std::int64_t>(LittleEndian(raw, 8));
                    const bool negative = units < 0;
                    const Unsigned128 magnitude =
                        negative ? static_cast<Unsigned128>(-(units + 1)) + 1 : units;
                    DecimalCell(out, negative, magnitude, 4);
                } else {
                    out.nullCell();
                }
                break;
            case MDB_NUMERIC:
                if (fixed(17) && DecimalScale(column) >= 0 && DecimalScale(column) <= 28) {
                    // A sign byte, then the 96-bit (in a 128-bit field) whole
                    // number of units as four 32-bit words, the most
                    // significant first, each little-endian.
                    Unsigned128 units = 0;
                    for (int word = 0; word < 4; ++word)
                        units = (units << 32) | LittleEndian(raw + 1 + 4 * word, 4);
                    DecimalCell(out, (raw[0] & 0x80) != 0, units, DecimalScale(column));
                } else {
                    out.nullCell();
                }
                break;
            case MDB_BOOL:
                out.integerCell(length > 0 && buffers[c][0] == '1' ? 1 : 0);
                break;
            default:
                if (length > 0)
                    out.textCell(QByteArray(buffers[c].get(), length));
                else
                    out.nullCell();
                break;
            }
        }
        if (!WriteAll(out.take()))
            return 1;
    }
    out.end();
    const bool written = WriteAll(out.take()) && std::fflush(stdout) == 0;
    mdb_free_tabledef(table);
    mdb_close(mdb);
    return written ? 0 : 1;
}
