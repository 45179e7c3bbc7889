// A dense n x n matrix of doubles, n at most View::maxDimension, laid out as a view's orientation
// (row-major, maxDimension columns per row), with what turning one orientation into another needs:
// products, the exponential, and the principal logarithm of a rotation. n is at most 8, so plain
// O(n^3) loops are all it takes.
#pragma once

#include "hypercube/View.h"

class SquareMatrix {
public:
    static constexpr int stride = View::maxDimension;

    // The zero matrix of size n.
    explicit SquareMatrix(int n = 0);
    static SquareMatrix Identity(int n);
    // The view's orientation as a matrix of its dimension, and back.
    static SquareMatrix Orientation(const View& view);
    void ToOrientation(View& view) const;

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
