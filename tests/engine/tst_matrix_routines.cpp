// The matrix routines: the elimination determinant with its row exchange and
// zeroing, the cofactor inverse, the solve, and the error state with its
// messages.

#include "engine/matrix_routines.h"

#include <QtTest>

#include <cstring>
#include <random>

Q_DECLARE_METATYPE(TMatrix)

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class TestMatrixRoutines : public QObject {
    Q_OBJECT

private slots:
    void determinant_data() {
        QTest::addColumn<TMatrix>("matrix");
        QTest::addColumn<double>("expected");
        QTest::newRow("exchange flips the sign") << TMatrix{{0, 1}, {1, 0}} << -1.0;
        QTest::newRow("no non-zero leading element") << TMatrix{{0, 0}, {0, 5}} << 0.0;
        QTest::newRow("remainder below 1e-10 is zero") << TMatrix{{1, 1}, {1, 1 + 1e-12}} << 0.0;
        QTest::newRow("remainder above 1e-10 stays") << TMatrix{{1, 1}, {1, 1 + 1e-9}} << 1e-9;
        QTest::newRow("order 1") << TMatrix{{-7}} << -7.0;
        QTest::newRow("order 3, exchange at depth")
            << TMatrix{{2, 1, 3}, {4, 2, 1}, {1, 5, 2}} << 45.0;
        QTest::newRow("exchange with the first suitable row, not the largest")
            << TMatrix{{0, 1, 0}, {1, 0, 0}, {9, 0, 1}} << -1.0;
    }

    void determinant() {
        QFETCH(TMatrix, matrix);
        QFETCH(double, expected);
        const TMatrix before = matrix;
        const double det = DetMatrix(matrix);
        QVERIFY(!MatrixError());
        // 1e-9 needs a tolerance: the remainder 1 + 1e-9 - 1 is not exactly 1e-9.
        QVERIFY2(qAbs(det - expected) <= 1e-15 * qMax(1.0, qAbs(expected)),
                 qPrintable(QString::number(det, 'g', 17)));
        QCOMPARE(matrix, before); // the routine works on its own copy
    }

    void errorMessages_data() {
        QTest::addColumn<QString>("routine");
        QTest::addColumn<TMatrix>("matrix");
        QTest::addColumn<QString>("message");
        const TMatrix twoByThree{{1, 2, 3}, {4, 5, 6}};
        QTest::newRow("D1") << "DetMatrix" << TMatrix{} << "Функция DetMatrix :\rНе задана матрица";
        QTest::newRow("D2") << "DetMatrix" << twoByThree
                            << "Функция DetMatrix \rматрица не квадратная,\rее размерность 2 x 3";
        QTest::newRow("R1") << "ReversMatrix" << TMatrix{}
                            << "Функция ReversMatrix :\rНе задана матрица";
        QTest::newRow("R2") << "ReversMatrix" << twoByThree
                            << "Функция DetMatrix :\rматрица не квадратная,\rее размерность 2 x 3";
        QTest::newRow("R3") << "ReversMatrix" << TMatrix{{1, 1}, {1, 1 + 1e-12}}
                            << "Функция DetMatrix \rматрица особенная";
        QTest::newRow("L1") << "LSystem" << TMatrix{} << "Функция LSystem :\rНе задана матрица";
        QTest::newRow("M1") << "MultMatrixVector" << TMatrix{}
                            << "Функция MultMatrixVector :\rНе задана матрица";
        QTest::newRow("M2") << "MultMatrixVector" << TMatrix{{1, 2}, {3, 4}, {5, 6}}
                            << "Функция MultMatrixVector :\rЧисло столбцов  матрицы (2)\r"
                               "не совпадает с размерностью векора (3)";
    }

    void errorMessages() {
        QFETCH(QString, routine);
        QFETCH(TMatrix, matrix);
        QFETCH(QString, message);
        const TMatrix untouched{{42}};
        const TVector untouchedVector{42};
        TMatrix outMatrix = untouched;
        TVector outVector = untouchedVector;
        if (routine == "DetMatrix") {
            QCOMPARE(DetMatrix(matrix), 0.0);
        } else if (routine == "ReversMatrix") {
            ReversMatrix(matrix, outMatrix);
        } else if (routine == "LSystem") {
            LSystem(matrix, {1}, outVector);
        } else {
            MultMatrixVector(matrix, {1, 2, 3}, outVector);
        }
        QVERIFY(MatrixError());
        QCOMPARE(Text(MatrixErrorText()), message);
        QCOMPARE(outMatrix, untouched);
        QCOMPARE(outVector, untouchedVector);
    }

    void errorTextOutlivesTheFlag() {
        DetMatrix(TMatrix{});
        QVERIFY(MatrixError());
        QCOMPARE(DetMatrix(TMatrix{{2}}), 2.0);
        QVERIFY(!MatrixError());
        QCOMPARE(Text(MatrixErrorText()), QString("Функция DetMatrix :\rНе задана матрица"));
    }

    void singularSolveLeavesTheResult() {
        TMatrix singular;
        InitMatrix(8, 8, singular);
        for (int i = 0; i < 8; ++i) {
            for (int j = 0; j < 8; ++j)
                singular[i][j] = i < 7 ? (i == j ? 1.0 : 0.0) : singular[0][j] + singular[1][j];
        }
        TVector x{7, 7};
        LSystem(singular, TVector(8, 1.0), x);
        QCOMPARE(x, (TVector{7, 7}));
        QVERIFY(MatrixError());
        QCOMPARE(Text(MatrixErrorText()), QString("Функция MultMatrixVector :\rНе задана матрица"));
    }

    void inverse_data() {
        QTest::addColumn<TMatrix>("matrix");
        QTest::addColumn<TMatrix>("expected");
        TMatrix identity;
        InitMatrix(8, 8, identity);
        for (int i = 0; i < 8; ++i)
            identity[i][i] = 1.0;
        QTest::newRow("identity of order 8") << identity << identity;
        QTest::newRow("diagonal") << TMatrix{{2, 0}, {0, 4}} << TMatrix{{0.5, 0}, {0, 0.25}};
        QTest::newRow("cofactors land transposed")
            << TMatrix{{1, 2}, {3, 4}} << TMatrix{{-2, 1}, {1.5, -0.5}};
        QTest::newRow("order 1") << TMatrix{{4}} << TMatrix{{0.25}};
    }

    void inverse() {
        QFETCH(TMatrix, matrix);
        QFETCH(TMatrix, expected);
        TMatrix result;
        ReversMatrix(matrix, result);
        QVERIFY(!MatrixError());
        QCOMPARE(result, expected);
    }

    // The inverse is the adjugate over the determinant, each cofactor the
    // DetMatrix of its minor: bit for bit, whatever shortcuts it takes. Zeros
    // in the inputs force row exchanges at various stages.
    void inverseFollowsTheCofactorPath() {
        // Small integers cancel to exact zeros in the middle of the
        // elimination, so exchanges happen at later stages too.
        std::mt19937 random(7);
        std::uniform_int_distribution<int> digit(-9, 9);
        std::uniform_int_distribution<int> small(-2, 2);
        std::uniform_int_distribution<int> zeroChance(0, 3);
        for (int trial = 0; trial < 600; ++trial) {
            const int n = 2 + trial % 7;
            TMatrix a;
            InitMatrix(n, n, a);
            for (TVector& row : a) {
                for (double& entry : row) {
                    if (trial % 2 == 0)
                        entry = zeroChance(random) == 0 ? 0.0 : digit(random) / 7.0;
                    else
                        entry = small(random);
                }
            }
            const double d = DetMatrix(a);
            TMatrix inverse;
            ReversMatrix(a, inverse);
            if (d == 0.0) {
                QVERIFY(MatrixError());
                continue;
            }
            QVERIFY(!MatrixError());
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    TMatrix minor;
                    for (int r = 0; r < n; ++r) {
                        if (r == i)
                            continue;
                        TVector line;
                        for (int c = 0; c < n; ++c) {
                            if (c != j)
                                line.push_back(a[r][c]);
                        }
                        minor.push_back(line);
                    }
                    double cofactor = DetMatrix(minor);
                    if ((i + j) % 2 == 1)
                        cofactor = -cofactor;
                    const double expected =
                        static_cast<double>(static_cast<long double>(cofactor) / d);
                    // Bits, not QCOMPARE's fuzzy equality.
                    QVERIFY2(std::memcmp(&inverse[j][i], &expected, sizeof expected) == 0,
                             qPrintable(QString("%1 against %2")
                                            .arg(inverse[j][i], 0, 'g', 17)
                                            .arg(expected, 0, 'g', 17)));
                }
            }
        }
    }

    void solveAndProduct() {
        TVector x;
        LSystem(TMatrix{{1, 1}, {0, 2}}, {3, 4}, x);
        QVERIFY(!MatrixError());
        QCOMPARE(x, (TVector{1, 2}));
        TVector r;
        MultMatrixVector(TMatrix{{1, 2}, {3, 4}, {5, 6}}, {1, -1}, r);
        QCOMPARE(r, (TVector{-1, -1, -1}));
    }

    void initKeepsExistingEntries() {
        TVector v{5};
        InitVector(3, v);
        QCOMPARE(v, (TVector{5, 0, 0}));
        TMatrix m{{1, 2}};
        InitMatrix(2, 3, m);
        QCOMPARE(m, (TMatrix{{1, 2, 0}, {0, 0, 0}}));
    }

    // Only row 0's length is examined; a shorter later row must not be read
    // past its end. Its missing entries count as zeros.
    void raggedRowsReadAsZeros() {
        const TMatrix ragged{{2, 1}, {3}};
        QCOMPARE(DetMatrix(ragged), -3.0);
        TVector r;
        MultMatrixVector(ragged, {1, 1}, r);
        QCOMPARE(r, (TVector{3, 3}));
    }
};

QTEST_APPLESS_MAIN(TestMatrixRoutines)
#include "tst_matrix_routines.moc"
