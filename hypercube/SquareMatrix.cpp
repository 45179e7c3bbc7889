#include "hypercube/SquareMatrix.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int maxSize = SquareMatrix::stride;

// The eigenvalues of a symmetric matrix, ascending, and its eigenvectors as the columns of
// *vectors, by cyclic Jacobi rotations: accurate and orthogonal even for equal eigenvalues.
void SymmetricEigen(const SquareMatrix& symmetric, double values[maxSize], SquareMatrix* vectors) {
    const int n = symmetric.Size();
    SquareMatrix a = symmetric;
    SquareMatrix v = SquareMatrix::Identity(n);
    for (int sweep = 0; sweep < 64; ++sweep) {
        double off = 0.0, total = 0.0;
        for (int p = 0; p < n; ++p)
            for (int q = 0; q < n; ++q)
                (p == q ? total : off) += a(p, q) * a(p, q);
        if (off <= 1e-34 * (total + off))
            break;
        for (int p = 0; p < n; ++p)
            for (int q = p + 1; q < n; ++q) {
                if (a(p, q) == 0.0)
                    continue;
                const double theta = (a(q, q) - a(p, p)) / (2.0 * a(p, q));
                const double t = std::copysign(1.0, theta) / (std::fabs(theta) + std::hypot(theta, 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
                for (int k = 0; k < n; ++k) {
                    const double kp = a(k, p), kq = a(k, q);
                    a(k, p) = c * kp - s * kq;
                    a(k, q) = s * kp + c * kq;
                }
                for (int k = 0; k < n; ++k) {
                    const double pk = a(p, k), qk = a(q, k);
                    a(p, k) = c * pk - s * qk;
                    a(q, k) = s * pk + c * qk;
                }
                for (int k = 0; k < n; ++k) {
                    const double kp = v(k, p), kq = v(k, q);
                    v(k, p) = c * kp - s * kq;
                    v(k, q) = s * kp + c * kq;
                }
            }
    }
    // Ascending by insertion: at most eight.
    int order[maxSize];
    for (int i = 0; i < n; ++i) {
        int k = i;
        for (; k > 0 && a(order[k - 1], order[k - 1]) > a(i, i); --k)
            order[k] = order[k - 1];
        order[k] = i;
    }
    *vectors = SquareMatrix(n);
    for (int i = 0; i < n; ++i) {
        values[i] = a(order[i], order[i]);
        for (int k = 0; k < n; ++k)
            (*vectors)(k, i) = v(k, order[i]);
    }
}

// The rotation's square root with angles halved, for a rotation without a half turn: the
// orthogonal polar factor of I + x, by Newton's iteration x <- (x + x^-T) / 2.
SquareMatrix HalfTurnOf(const SquareMatrix& x) {
    SquareMatrix root = SquareMatrix::Identity(x.Size()) + x;
    for (int step = 0; step < 40; ++step) {
        const SquareMatrix next = (root + root.Inverse().Transposed()) * 0.5;
        const double change = (next - root).Norm();
        root = next;
        if (change < 1e-14)
            break;
    }
    return root;
}

// The logarithm of a rotation whose angles stay clear of a half turn (cos of each above -0.95):
// square roots until it is within a few degrees of I, then the series of 2 atanh of its Cayley
// transform z = (x - I)(x + I)^-1, which is skew-symmetric, so every term keeps the result so.
SquareMatrix LogClearOfHalfTurn(SquareMatrix x) {
    const SquareMatrix identity = SquareMatrix::Identity(x.Size());
    double scale = 2.0;
    for (int root = 0; root < 16 && (x - identity).Norm() > 0.25; ++root) {
        x = HalfTurnOf(x);
        scale *= 2.0;
    }
    const SquareMatrix z = (x - identity) * (x + identity).Inverse();
    const SquareMatrix z2 = z * z;
    SquareMatrix term = z, sum = z;
    for (int k = 3; k < 80; k += 2) {
        term = term * z2;
        const SquareMatrix added = term * (1.0 / k);
        sum = sum + added;
        if (added.Norm() < 1e-18)
            break;
    }
    return sum * scale;
}

// Gauss-Jordan elimination with partial pivoting of `a`, applied alike to *inverse when it is not
// null (which then goes from I to the inverse); returns the determinant, the pivots' product with
// the sign of the row swaps.
double Eliminate(SquareMatrix a, SquareMatrix* inverse) {
    const int n = a.Size();
    double determinant = 1.0;
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(a(r, c)) > std::fabs(a(pivot, c)))
                pivot = r;
        if (pivot != c) {
            determinant = -determinant;
            for (int k = 0; k < n; ++k) {
                std::swap(a(c, k), a(pivot, k));
                if (inverse)
                    std::swap((*inverse)(c, k), (*inverse)(pivot, k));
            }
        }
        determinant *= a(c, c);
        const double scale = 1.0 / a(c, c);
        for (int k = 0; k < n; ++k) {
            a(c, k) *= scale;
            if (inverse)
                (*inverse)(c, k) *= scale;
        }
        for (int r = 0; r < n; ++r) {
            if (r == c || a(r, c) == 0.0)
                continue;
            const double f = a(r, c);
            for (int k = 0; k < n; ++k) {
                a(r, k) -= f * a(c, k);
                if (inverse)
                    (*inverse)(r, k) -= f * (*inverse)(c, k);
            }
        }
    }
    return determinant;
}

// The candidate direction (a column of `candidates` or of I) that stands out most from the first
// `count` columns of `chosen`, orthonormalised into column `count`: the first column of
// `candidates`, in order, with at least half of its length left, or else the one with most left.
void ChooseNext(const SquareMatrix& candidates, SquareMatrix& chosen, int count) {
    const int n = candidates.Size();
    double best[maxSize] = {}, bestLength = -1.0;
    for (int c = 0; c < 2 * n; ++c) {
        double v[maxSize];
        for (int i = 0; i < n; ++i)
            v[i] = c < n ? candidates(i, c) : (i == c - n ? 1.0 : 0.0);
        const double length = chosen.Orthogonalise(v, count);
        if (length > bestLength) {
            bestLength = length;
            std::copy(v, v + n, best);
        }
        if (c < n && length >= 0.5)
            break;
    }
    for (int i = 0; i < n; ++i)
        chosen(i, count) = best[i] / bestLength;
}

// For a skew-symmetric m of even size, a J with J^T = -J and J^2 = -I that turns each plane m
// turns in by a right angle the way m turns it (so J commutes with m); in planes m leaves alone
// any pairing will do, and the one taken follows the eigenvectors of m^T m.
SquareMatrix RightAngles(const SquareMatrix& m) {
    const int n = m.Size();
    double values[maxSize];
    SquareMatrix vectors(n);
    SymmetricEigen(m.Transposed() * m, values, &vectors);
    SquareMatrix descending(n);
    for (int c = 0; c < n; ++c)
        for (int i = 0; i < n; ++i)
            descending(i, c) = vectors(i, n - 1 - c);

    const double noise = 1e-14 * (1.0 + m.Norm());
    SquareMatrix planes(n), j(n);
    for (int count = 0; count + 1 < n; count += 2) {
        ChooseNext(descending, planes, count);
        double turned[maxSize] = {};
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < n; ++k)
                turned[i] += m(i, k) * planes(k, count);
        const double length = planes.Orthogonalise(turned, count + 1);
        if (length > noise)
            for (int i = 0; i < n; ++i)
                planes(i, count + 1) = turned[i] / length;
        else
            ChooseNext(descending, planes, count + 1);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                j(r, c) += planes(r, count + 1) * planes(c, count) - planes(r, count) * planes(c, count + 1);
    }
    return j;
}

// Columns first .. first + count of `basis`, as the matrix of x restricted to their span.
SquareMatrix Restricted(const SquareMatrix& x, const SquareMatrix& basis, int first, int count) {
    const SquareMatrix moved = x * basis;
    SquareMatrix block(count);
    for (int a = 0; a < count; ++a)
        for (int b = 0; b < count; ++b)
            for (int i = 0; i < x.Size(); ++i)
                block(a, b) += basis(i, first + a) * moved(i, first + b);
    return block;
}

// Adds `block`, a matrix on the span of columns first .. first + count of `basis`, to *x.
void AddBack(SquareMatrix* x, const SquareMatrix& block, const SquareMatrix& basis, int first) {
    const int n = x->Size(), count = block.Size();
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            double sum = 0.0;
            for (int a = 0; a < count; ++a)
                for (int b = 0; b < count; ++b)
                    sum += basis(r, first + a) * block(a, b) * basis(c, first + b);
            (*x)(r, c) += sum;
        }
}

} // namespace

SquareMatrix::SquareMatrix(int size) : n(size) {}

SquareMatrix SquareMatrix::Identity(int size) {
    SquareMatrix identity(size);
    for (int i = 0; i < size; ++i)
        identity(i, i) = 1.0;
    return identity;
}

SquareMatrix SquareMatrix::Transposed() const {
    SquareMatrix t(n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            t(c, r) = (*this)(r, c);
    return t;
}

SquareMatrix SquareMatrix::operator*(const SquareMatrix& other) const {
    SquareMatrix product(n);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < n; ++k)
            for (int c = 0; c < n; ++c)
                product(r, c) += (*this)(r, k) * other(k, c);
    return product;
}

SquareMatrix SquareMatrix::operator+(const SquareMatrix& other) const {
    SquareMatrix sum = *this;
    for (int i = 0; i < stride * stride; ++i)
        sum.entries[i] += other.entries[i];
    return sum;
}

SquareMatrix SquareMatrix::operator-(const SquareMatrix& other) const {
    return *this + other * -1.0;
}

SquareMatrix SquareMatrix::operator*(double factor) const {
    SquareMatrix scaled = *this;
    for (double& e : scaled.entries)
        e *= factor;
    return scaled;
}

double SquareMatrix::Norm() const {
    double sum = 0.0;
    for (double e : entries)
        sum += e * e;
    return std::sqrt(sum);
}

SquareMatrix SquareMatrix::Inverse() const {
    SquareMatrix inverse = Identity(n);
    Eliminate(*this, &inverse);
    return inverse;
}

double SquareMatrix::Determinant() const {
    return Eliminate(*this, nullptr);
}

double SquareMatrix::Orthogonalise(double (&v)[largestSize], int count) const {
    for (int pass = 0; pass < 2; ++pass)
        for (int c = 0; c < count; ++c) {
            double dot = 0.0;
            for (int i = 0; i < n; ++i)
                dot += v[i] * (*this)(i, c);
            for (int i = 0; i < n; ++i)
                v[i] -= dot * (*this)(i, c);
        }
    double length = 0.0;
    for (int i = 0; i < n; ++i)
        length += v[i] * v[i];
    return std::sqrt(length);
}

SquareMatrix SquareMatrix::OrthonormalColumns() const {
    SquareMatrix q(n);
    for (int c = 0; c < n; ++c) {
        double v[largestSize];
        for (int i = 0; i < n; ++i)
            v[i] = (*this)(i, c);
        const double length = q.Orthogonalise(v, c);
        for (int i = 0; i < n; ++i)
            q(i, c) = v[i] / length;
    }
    return q;
}

SquareMatrix SquareMatrix::Exp() const {
    int squarings = 0;
    double scale = 1.0;
    while (Norm() * scale > 0.25 && squarings < 64) {
        scale *= 0.5;
        ++squarings;
    }
    const SquareMatrix a = *this * scale;
    SquareMatrix sum = Identity(n), term = Identity(n);
    for (int k = 1; k < 40; ++k) {
        term = term * a * (1.0 / k);
        sum = sum + term;
        if (term.Norm() < 1e-18)
            break;
    }
    for (int i = 0; i < squarings; ++i)
        sum = sum * sum;
    return sum;
}

SquareMatrix SquareMatrix::RotationLog() const {
    // The eigenvalues of the symmetric part are the cosines of the angles of turn. The planes
    // turned by more than a right angle are split off at the widest gap between cosines in
    // (-0.95, 0) (there is one of at least 0.1), so that each part is well apart from the other:
    // below, those turned nearly half way round, whose own logarithm is ill-conditioned, and above,
    // the rest, whose square roots stay clear of a half turn.
    const SquareMatrix symmetric = (*this + Transposed()) * 0.5;
    double cosines[maxSize];
    SquareMatrix basis(n);
    SymmetricEigen(symmetric, cosines, &basis);
    int split = 0;
    double widest = -1.0;
    for (int m = 0; m <= n; ++m) {
        const double below = m > 0 ? cosines[m - 1] : -1.0, above = m < n ? cosines[m] : 1.0;
        if ((m > 0 && below >= 0.0) || (m < n && above <= -0.95))
            continue;
        if (above - below > widest) {
            widest = above - below;
            split = m;
        }
    }

    SquareMatrix log(n);
    if (split < n)
        AddBack(&log, LogClearOfHalfTurn(Restricted(*this, basis, split, n - split)), basis, split);
    if (split > 0) {
        // Turned by more than a right angle: minus the block turns each plane by pi minus its angle,
        // less than a right angle, with the well-conditioned logarithm m. The block is then
        // exp(m) exp(-pi J) for the J that turns m's planes by a right angle, and m - pi J is its
        // logarithm with every angle in (pi/2, pi]. In a plane turned exactly half way round J is
        // free, and exp(-pi J) = -I whichever is taken.
        const SquareMatrix m = LogClearOfHalfTurn(Restricted(*this, basis, 0, split) * -1.0);
        AddBack(&log, m - RightAngles(m) * std::numbers::pi, basis, 0);
    }
    return (log - log.Transposed()) * 0.5;
}
