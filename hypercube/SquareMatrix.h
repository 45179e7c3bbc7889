// A dense n x n matrix of doubles, n at most 8, row-major with 8 columns per row whatever n is,
// with the linear algebra of rotations: products, the inverse and the determinant, orthonormal
// columns, the exponential, and the principal logarithm of a rotation. n is at most 8, so plain
// O(n^3) loops are all it takes. It knows nothing of the viewer: a view's orientation is laid out
// the same way and converts itself.
#pragma once

class SquareMatrix {
public:
    static constexpr int largestSize = 8;
    static constexpr int stride = largestSize;

    // The zero matrix of size n.
    explicit SquareMatrix(int n = 0);
    static SquareMatrix Identity(int n);

    int Size() const { return n; }
    double& operator()(int row, int column) { return entries[row * stride + column]; }
    double operator()(int row, int column) const { return entries[row * stride + column]; }

    SquareMatrix Transposed() const;
    SquareMatrix operator*(const SquareMatrix& other) const;
    SquareMatrix operator+(const SquareMatrix& other) const;
    SquareMatrix operator-(const SquareMatrix& other) const;
    SquareMatrix operator*(double factor) const;
    // The Frobenius norm: the square root of the sum of the squared entries.
    double Norm() const;
    // Gauss-Jordan elimination with partial pivoting, for a matrix well away from singular.
    SquareMatrix Inverse() const;
    // By the same elimination; its sign tells a rotation from a reflection.
    double Determinant() const;
    // Gram-Schmidt on the columns in order, each orthogonalised twice for accuracy: the nearest
    // rotation or reflection to a matrix already close to one. Columns must be independent.
    SquareMatrix OrthonormalColumns() const;
    // Takes from `v` (n entries) its parts along the first `count` columns, which must be
    // orthonormal, twice for accuracy; returns the length left.
    double Orthogonalise(double (&v)[largestSize], int count) const;

    // exp of the matrix, by scaling and squaring with a Taylor series.
    SquareMatrix Exp() const;
    // The principal logarithm of a rotation: the skew-symmetric L with exp(L) equal to it whose
    // angles of turn all lie in [0, pi]. A half turn has two such logarithms in its plane, turning
    // either way; this takes one of them, the same one every time.
    SquareMatrix RotationLog() const;

private:
    int n;
    double entries[stride * stride] = {};
};
