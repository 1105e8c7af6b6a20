#include "views/BSpline.h"

#include <algorithm>
#include <cmath>

namespace lumivar {

BSpline::BSpline(std::span<const TPontoMundo> points)
{
    const std::size_t n = points.size();
    if (n == 0)
        return;
    m_control.assign(n + 2, Vec{});
    // m_control[i + 1] is C(i). The curve at knot i is (C(i-1) + 4 C(i) + C(i+1)) / 6 and must
    // equal point i. Natural ends give C(0) = P(0), C(n-1) = P(n-1) and mirror C(-1), C(n)
    // about them; the inner de Boor points solve a tridiagonal system (1, 4, 1).
    Vec* c = m_control.data() + 1;
    c[0] = {points[0].X, points[0].Y};
    c[n - 1] = {points[n - 1].X, points[n - 1].Y};
    if (n > 2) {
        // Thomas algorithm over the unknowns C(1)..C(n-2).
        const std::size_t m = n - 2;
        std::vector<double> upper(m);
        std::vector<Vec> rhs(m);
        for (std::size_t k = 0; k < m; ++k) {
            const TPontoMundo& p = points[k + 1];
            rhs[k] = {6.0 * p.X, 6.0 * p.Y};
        }
        rhs[0].X -= c[0].X;
        rhs[0].Y -= c[0].Y;
        rhs[m - 1].X -= c[n - 1].X;
        rhs[m - 1].Y -= c[n - 1].Y;
        double diag = 4.0;
        upper[0] = 1.0 / diag;
        rhs[0] = {rhs[0].X / diag, rhs[0].Y / diag};
        for (std::size_t k = 1; k < m; ++k) {
            diag = 4.0 - upper[k - 1];
            upper[k] = 1.0 / diag;
            rhs[k] = {(rhs[k].X - rhs[k - 1].X) / diag, (rhs[k].Y - rhs[k - 1].Y) / diag};
        }
        for (std::size_t k = m - 1; k > 0; --k)
            rhs[k - 1] = {rhs[k - 1].X - upper[k - 1] * rhs[k].X, rhs[k - 1].Y - upper[k - 1] * rhs[k].Y};
        for (std::size_t k = 0; k < m; ++k)
            c[k + 1] = rhs[k];
    }
    if (n == 1) {
        c[-1] = c[0];
        c[1] = c[0];
        return;
    }
    c[-1] = {2 * c[0].X - c[1].X, 2 * c[0].Y - c[1].Y};
    c[n] = {2 * c[n - 1].X - c[n - 2].X, 2 * c[n - 1].Y - c[n - 2].Y};
}

TPontoMundo BSpline::At(double t) const
{
    if (m_control.empty())
        return {};
    const std::size_t n = m_control.size() - 2;
    if (n == 1)
        return {static_cast<float>(m_control[1].X), static_cast<float>(m_control[1].Y)};
    if (!(t > 0))
        t = 0;
    if (t > 1)
        t = 1;
    const double u = t * static_cast<double>(n - 1);
    const std::size_t seg = std::min(static_cast<std::size_t>(u), n - 2);
    const double s = u - static_cast<double>(seg);
    // Uniform cubic basis over C(seg-1)..C(seg+2), which sit at m_control[seg..seg+3].
    const double s2 = s * s;
    const double s3 = s2 * s;
    const double b0 = (1 - 3 * s + 3 * s2 - s3) / 6;
    const double b1 = (4 - 6 * s2 + 3 * s3) / 6;
    const double b2 = (1 + 3 * s + 3 * s2 - 3 * s3) / 6;
    const double b3 = s3 / 6;
    const Vec* c = m_control.data() + seg;
    return {static_cast<float>(b0 * c[0].X + b1 * c[1].X + b2 * c[2].X + b3 * c[3].X),
            static_cast<float>(b0 * c[0].Y + b1 * c[1].Y + b2 * c[2].Y + b3 * c[3].Y)};
}

void BSpline::Sample(std::span<TPontoMundo> out) const
{
    const std::size_t count = out.size();
    for (std::size_t i = 0; i < count; ++i)
        out[i] = At(count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 0.0);
}

} // namespace lumivar
