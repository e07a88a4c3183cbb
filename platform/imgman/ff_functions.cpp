#include "platform/imgman/ff_functions.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace imgman::ff {

namespace {

// Filter Factory builds its tables with its own rounding; these entries come out one higher than the
// plain floor of the exact value.
constexpr std::array<int, 27> CosineRaised{40,  72,  106, 113, 134, 136, 144, 145, 148, 152, 158, 159, 166, 170,
                                           171, 175, 183, 192, 213, 216, 223, 229, 234, 238, 239, 240, 248};
constexpr std::array<int, 167> ArctangentRaised{
    0,    1,    83,   118,  211,  214,  218,  238,  275,  324,  333,  352,  370,  374,  380,  392,  398,  402,  408,
    409,  417,  418,  419,  422,  430,  446,  457,  461,  470,  474,  485,  500,  513,  519,  532,  556,  572,  575,
    581,  596,  607,  618,  631,  635,  644,  648,  656,  660,  669,  686,  693,  700,  704,  711,  718,  731,  735,
    749,  757,  760,  775,  783,  786,  798,  804,  806,  808,  811,  816,  817,  821,  822,  827,  832,  834,  837,
    840,  841,  851,  852,  855,  858,  860,  862,  865,  869,  878,  879,  883,  891,  893,  894,  897,  898,  899,
    905,  906,  907,  911,  914,  916,  918,  921,  924,  929,  930,  931,  932,  933,  938,  939,  941,  942,  944,
    946,  948,  950,  951,  953,  954,  959,  960,  961,  962,  963,  967,  968,  969,  971,  972,  974,  976,  978,
    980,  981,  983,  984,  988,  989,  990,  991,  992,  993,  994,  995,  996,  999,  1000, 1002, 1003, 1005, 1006,
    1007, 1008, 1009, 1011, 1012, 1013, 1014, 1015, 1017, 1018, 1019, 1020, 1021, 1022, 1023};

Tables build_tables() {
    Tables t{};
    std::array<int32_t, 256> quarter{};
    for (int k = 0; k < 256; ++k)
        quarter[k] = static_cast<int32_t>(std::floor(16384.0 * std::cos(2.0 * std::numbers::pi * k / 1024.0)));
    for (int k : CosineRaised)
        ++quarter[k];
    for (int i = 0; i < 1024; ++i) {
        if (i < 256)
            t.cosine[i] = quarter[i];
        else if (i < 512)
            t.cosine[i] = -quarter[511 - i];
        else if (i < 768)
            t.cosine[i] = -quarter[i - 512];
        else
            t.cosine[i] = quarter[1023 - i];
    }
    for (int k = 0; k < 1024; ++k) {
        t.arctangent[k] = static_cast<int32_t>(std::floor(65536.0 * std::atan((k + 1) / 1024.0)));
        const double q = k / 1024.0;
        t.hypotenuse[k] = static_cast<int32_t>(std::floor(65536.0 * (std::sqrt(1.0 + q * q) - 1.0))) + 32;
    }
    for (int k : ArctangentRaised)
        ++t.arctangent[k];
    return t;
}

// An arithmetic shift right (rounding toward minus infinity), keeping the low 32 bits.
inline int32_t floor_shift(int64_t v, int bits) {
    return wrap(static_cast<uint32_t>(static_cast<uint64_t>(v >> bits)));
}

} // namespace

const Tables& tables() {
    static const Tables t = build_tables();
    return t;
}

int32_t ff_cos(int32_t x) {
    return floor_shift(tables().cosine[magnitude(x) & 1023u], 5);
}

int32_t ff_sin(int32_t x) {
    return ff_cos(sub32(x, 256));
}

int32_t ff_tan(int32_t x) {
    const int32_t c = tables().cosine[magnitude(x) & 1023u];
    const int32_t s = tables().cosine[magnitude(sub32(x, 256)) & 1023u];
    return s * 1024 / c; // the table has no zero entry
}

int32_t ff_sqr(int32_t x) {
    if (x <= 1) return x;
    uint32_t r = static_cast<uint32_t>(std::sqrt(static_cast<double>(x)));
    while (static_cast<uint64_t>(r) * r > static_cast<uint64_t>(x))
        --r;
    while (static_cast<uint64_t>(r + 1) * (r + 1) <= static_cast<uint64_t>(x))
        ++r;
    return static_cast<int32_t>(r);
}

int32_t ff_r2x(int32_t d, int32_t m) {
    const int64_t product = static_cast<int64_t>(m) * tables().cosine[static_cast<uint32_t>(d) & 1023u];
    return floor_shift(product + 8191, 14);
}

int32_t ff_r2y(int32_t d, int32_t m) {
    return ff_r2x(sub32(d, 256), m);
}

int32_t ff_c2m(int32_t x, int32_t y) {
    const uint32_t a = magnitude(x), b = magnitude(y);
    const uint32_t lo = std::min(a, b), hi = std::max(a, b);
    uint64_t k = 27146;
    if (a != b) k = static_cast<uint64_t>(tables().hypotenuse[(lo * 1024u) / hi]);
    return wrap(static_cast<uint32_t>(((k * hi) >> 16) + hi));
}

int32_t ff_c2d(int32_t x, int32_t y) {
    int flags = 0;
    uint32_t ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
    if (y < 0) {
        uy = 0u - uy;
        flags |= 4;
    }
    if (x < 0) {
        ux = 0u - ux;
        flags |= 3;
    }
    if (uy > ux) flags ^= 1;
    const uint32_t s = std::min(ux, uy), l = std::max(ux, uy);
    int32_t e = 0;
    if (s != 0) {
        const uint32_t q = (s * 1024u) / l;
        // When s·1024 is smaller than l the angle is too small to show.
        if (q != 0) e = tables().arctangent[q - 1] * 512 / 205888;
    }
    if (flags & 1) e = 256 - e;
    if (flags & 2) e += 256;
    if (flags & 4) e = -e;
    return e;
}

int32_t ff_min(int32_t a, int32_t b) {
    return a < b ? a : b;
}
int32_t ff_max(int32_t a, int32_t b) {
    return a > b ? a : b;
}
int32_t ff_add(int32_t a, int32_t b, int32_t c) {
    return ff_min(add32(a, b), c);
}
int32_t ff_sub(int32_t a, int32_t b, int32_t c) {
    return ff_max(sub32(a, b), c);
}
int32_t ff_dif(int32_t a, int32_t b) {
    return abs32(sub32(a, b));
}

int32_t ff_mix(int32_t a, int32_t b, int32_t n, int32_t d) {
    if (d == 0) return 0;
    const int64_t first = static_cast<int64_t>(a) * n / d;
    const int64_t second = static_cast<int64_t>(b) * sub32(d, n) / d;
    return wrap(static_cast<uint32_t>(static_cast<uint64_t>(first) + static_cast<uint64_t>(second)));
}

int32_t ff_scl(int32_t a, int32_t il, int32_t ih, int32_t ol, int32_t oh) {
    if (ih == il) return 0;
    const int64_t scaled = static_cast<int64_t>(sub32(oh, ol)) * sub32(a, il) / sub32(ih, il);
    return add32(ol, wrap(static_cast<uint32_t>(static_cast<uint64_t>(scaled))));
}

int32_t ff_ctl(const std::array<uint8_t, 8>& sliders, int32_t i) {
    return i >= 0 && i <= 7 ? sliders[static_cast<size_t>(i)] : 0;
}

int32_t ff_val(const std::array<uint8_t, 8>& sliders, int32_t i, int32_t a, int32_t b) {
    if (i < 0 || i > 7) return 0;
    return add32(mul32(ff_ctl(sliders, i), sub32(b, a)) / 255, a);
}

std::array<uint8_t, 256> map_table(const std::array<uint8_t, 8>& sliders, int pair) {
    const int H = sliders[static_cast<size_t>(2 * pair)], L = sliders[static_cast<size_t>(2 * pair + 1)];
    std::array<uint8_t, 256> table{};
    for (int n = 0; n < 256; ++n) {
        int v;
        if (H > L)
            v = n <= L ? 0 : (n >= H ? 255 : (n - L) * 255 / (H - L));
        else if (H < L)
            v = n <= H ? 255 : (n >= L ? 0 : 255 - (n - H) * 255 / (L - H));
        else
            v = n < H ? 0 : 255;
        table[static_cast<size_t>(n)] = static_cast<uint8_t>(v);
    }
    return table;
}

void Random::seed_with(int32_t seed) {
    uint32_t mj = 161803398u - (static_cast<uint32_t>(seed) & 32767u);
    t_[55] = mj;
    uint32_t mk = 1;
    int ii = 0;
    for (int i = 1; i <= 54; ++i) {
        ii = (ii + 21) % 55;
        t_[static_cast<size_t>(ii)] = mk;
        mk = mj - mk;
        mj = t_[static_cast<size_t>(ii)];
    }
    for (int round = 0; round < 4; ++round)
        for (int i = 1; i <= 55; ++i)
            t_[static_cast<size_t>(i)] -= t_[static_cast<size_t>(1 + (i + 30) % 55)];
    p_ = 0;
    q_ = 31;
}

uint32_t Random::draw() {
    if (++p_ == 56) p_ = 1;
    if (++q_ == 56) q_ = 1;
    const uint32_t v = t_[static_cast<size_t>(p_)] - t_[static_cast<size_t>(q_)];
    t_[static_cast<size_t>(p_)] = v;
    return v;
}

int32_t Random::rnd(int32_t a, int32_t b) {
    const uint32_t v = draw();
    const int32_t span = sub32(b, a);
    if (span < 0) return 0;
    return add32(a, wrap(v % (static_cast<uint32_t>(span) + 1u)));
}

} // namespace imgman::ff
