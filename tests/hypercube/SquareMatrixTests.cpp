// The linear algebra the views are checked and turned with, on matrices whose answers are known.
#include "hypercube/SquareMatrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A rotation by `angle` in the plane (a, b) of the n x n identity, optionally with axis `flip`
// reversed (a reflection), and every entry nudged by `noise` times a fixed pattern.
SquareMatrix Turned(int n, int a, int b, double angle, int flip = -1, double noise = 0.0) {
    SquareMatrix x = SquareMatrix::Identity(n);
    x(a, a) = std::cos(angle);
    x(a, b) = -std::sin(angle);
    x(b, a) = std::sin(angle);
    x(b, b) = std::cos(angle);
    if (flip >= 0)
        for (int c = 0; c < n; ++c)
            x(flip, c) = -x(flip, c);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            x(r, c) += noise * std::sin(1.0 + 3 * r + 7 * c);
    return x;
}

double DistanceFromIdentity(const SquareMatrix& x) {
    return (x - SquareMatrix::Identity(x.Size())).Norm();
}

} // namespace

TEST(SquareMatrixAlgebra, DeterminantIsOneForARotationAndMinusOneForAReflection) {
    for (int n = 3; n <= SquareMatrix::largestSize; ++n) {
        EXPECT_NEAR(Turned(n, 0, n - 1, 0.8).Determinant(), 1.0, 1e-12) << "rotation of size " << n;
        EXPECT_NEAR(Turned(n, 0, n - 1, 0.8, 1).Determinant(), -1.0, 1e-12) << "reflection of size " << n;
    }
    // A row swap the pivoting makes: [[0, 2], [3, 0]] has determinant -6.
    SquareMatrix swapped(2);
    swapped(0, 1) = 2.0;
    swapped(1, 0) = 3.0;
    EXPECT_NEAR(swapped.Determinant(), -6.0, 1e-12);
}

TEST(SquareMatrixAlgebra, TheInverseTimesTheMatrixIsTheIdentity) {
    const SquareMatrix x = Turned(7, 2, 5, 1.1, -1, 0.05);
    EXPECT_LT(DistanceFromIdentity(x.Inverse() * x), 1e-12);
    EXPECT_LT(DistanceFromIdentity(x * x.Inverse()), 1e-12);
}

TEST(SquareMatrixAlgebra, OrthonormalColumnsStraightenANearRotationAndKeepItsSign) {
    const SquareMatrix nearRotation = Turned(8, 1, 6, 2.0, -1, 1e-4);
    const SquareMatrix straight = nearRotation.OrthonormalColumns();
    EXPECT_LT(DistanceFromIdentity(straight.Transposed() * straight), 1e-14);
    EXPECT_LT((straight - nearRotation).Norm(), 1e-3) << "moved further than the noise";
    EXPECT_NEAR(straight.Determinant(), 1.0, 1e-12);
    EXPECT_NEAR(Turned(8, 1, 6, 2.0, 3, 1e-4).OrthonormalColumns().Determinant(), -1.0, 1e-12);
}
