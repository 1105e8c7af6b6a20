#pragma once
// In-place Gauss-Jordan inversion of a small square matrix, as used by the
// flux exchanges between room surfaces.

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

namespace lumivar {

template <std::size_t N> using SquareMatrix = std::array<std::array<double, N>, N>;

// Inverts m into inverse. A pivot of magnitude below 1e-7 is replaced by the first
// row below whose entry exceeds 1e-7; rows whose entry in the pivot column is not
// above 1e-7 are left alone. Returns false, with inverse incomplete, when a
// column has no usable pivot (a singular system).
template <std::size_t N> bool GaussJordanInverse(SquareMatrix<N> m, SquareMatrix<N>& inverse)
{
    constexpr double kTiny = 1e-7;
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < N; ++j) {
            inverse[i][j] = i == j ? 1.0 : 0.0;
        }
    }
    for (std::size_t col = 0; col < N; ++col) {
        if (std::fabs(m[col][col]) < kTiny) {
            std::size_t swap = col + 1;
            while (swap < N && !(std::fabs(m[swap][col]) > kTiny)) {
                ++swap;
            }
            if (swap == N) {
                return false;
            }
            std::swap(m[col], m[swap]);
            std::swap(inverse[col], inverse[swap]);
        }
        const double pivot = m[col][col];
        for (std::size_t j = 0; j < N; ++j) {
            m[col][j] /= pivot;
            inverse[col][j] /= pivot;
        }
        for (std::size_t row = 0; row < N; ++row) {
            const double factor = m[row][col];
            if (row == col || !(std::fabs(factor) > kTiny)) {
                continue;
            }
            for (std::size_t j = 0; j < N; ++j) {
                m[row][j] -= factor * m[col][j];
                inverse[row][j] -= factor * inverse[col][j];
            }
        }
    }
    return true;
}

} // namespace lumivar
