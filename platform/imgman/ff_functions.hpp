#pragma once
// The arithmetic of Filter Factory formulas: 32-bit two's-complement integers that wrap, and the
// built-in functions with the integer tables Filter Factory computes them from. Everything here is a
// pure function of its arguments (the generator excepted), shared by the compiler's constant folding
// and the evaluator, so a folded constant and a value computed per pixel always agree.

#include <array>
#include <cstdint>

namespace imgman::ff {

// --- wrapping arithmetic --------------------------------------------------------------------------

inline int32_t wrap(uint32_t v) {
    return static_cast<int32_t>(v);
}
inline int32_t add32(int32_t a, int32_t b) {
    return wrap(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub32(int32_t a, int32_t b) {
    return wrap(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t mul32(int32_t a, int32_t b) {
    return wrap(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
inline int32_t neg32(int32_t a) {
    return wrap(0u - static_cast<uint32_t>(a));
}
// Division by 0 gives 0; INT_MIN / -1, which the hardware cannot do, gives INT_MIN.
inline int32_t div32(int32_t a, int32_t b) {
    if (b == 0) return 0;
    if (b == -1) return neg32(a);
    return a / b;
}
inline int32_t mod32(int32_t a, int32_t b) {
    if (b == 0 || b == -1) return 0;
    return a % b;
}
// Shifts use the low five bits of the count; >> is a logical shift.
inline int32_t shl32(int32_t a, int32_t b) {
    return wrap(static_cast<uint32_t>(a) << (static_cast<uint32_t>(b) & 31u));
}
inline int32_t shr32(int32_t a, int32_t b) {
    return wrap(static_cast<uint32_t>(a) >> (static_cast<uint32_t>(b) & 31u));
}
inline int32_t abs32(int32_t a) {
    return a < 0 ? neg32(a) : a;
}
inline uint32_t magnitude(int32_t a) {
    return a < 0 ? 0u - static_cast<uint32_t>(a) : static_cast<uint32_t>(a);
}
inline int32_t clamp_int(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// --- the tables -------------------------------------------------------------------------------------

struct Tables {
    std::array<int32_t, 1024> cosine;     // scale 16384, a whole turn in 1024 steps
    std::array<int32_t, 1024> arctangent; // 65536·atan((k+1)/1024)
    std::array<int32_t, 1024> hypotenuse; // 65536·(√(1+(k/1024)²) − 1) + 32
};
const Tables& tables();

// --- the functions ------------------------------------------------------------------------------------

int32_t ff_cos(int32_t x);
int32_t ff_sin(int32_t x);
int32_t ff_tan(int32_t x);
int32_t ff_sqr(int32_t x);
int32_t ff_r2x(int32_t d, int32_t m);
int32_t ff_r2y(int32_t d, int32_t m);
int32_t ff_c2d(int32_t x, int32_t y);
int32_t ff_c2m(int32_t x, int32_t y);
int32_t ff_min(int32_t a, int32_t b);
int32_t ff_max(int32_t a, int32_t b);
int32_t ff_add(int32_t a, int32_t b, int32_t c);
int32_t ff_sub(int32_t a, int32_t b, int32_t c);
int32_t ff_dif(int32_t a, int32_t b);
int32_t ff_mix(int32_t a, int32_t b, int32_t n, int32_t d);
int32_t ff_scl(int32_t a, int32_t il, int32_t ih, int32_t ol, int32_t oh);
// ctl(i) for the eight slider values.
int32_t ff_ctl(const std::array<uint8_t, 8>& sliders, int32_t i);
int32_t ff_val(const std::array<uint8_t, 8>& sliders, int32_t i, int32_t a, int32_t b);
// The map table of pair i (0..3) from its two sliders: 256 entries, 0..255.
std::array<uint8_t, 256> map_table(const std::array<uint8_t, 8>& sliders, int pair);

// The pixel variables: grey, the two colour differences, and the polar coordinates of (x, y) in a
// filtered area of X × Y pixels.
inline int32_t ff_i(int32_t r, int32_t g, int32_t b) {
    return (76 * r + 150 * g + 29 * b) / 256;
}
inline int32_t ff_u(int32_t r, int32_t g, int32_t b) {
    return (-19 * r - 37 * g + 56 * b) / 256;
}
inline int32_t ff_v(int32_t r, int32_t g, int32_t b) {
    return (78 * r - 65 * g - 13 * b) / 256;
}
inline int32_t ff_d(int32_t x, int32_t y, int32_t X, int32_t Y) {
    return ff_c2d(x - X / 2, y - Y / 2);
}
inline int32_t ff_m(int32_t x, int32_t y, int32_t X, int32_t Y) {
    return ff_c2m(x - (X + 1) / 2, y - (Y + 1) / 2);
}
inline int32_t ff_M(int32_t X, int32_t Y) {
    return ff_c2m(X / 2, Y / 2);
}

// The random generator: a subtractive generator over 55 numbers, seeded at the start of every run.
class Random {
public:
    explicit Random(int32_t seed = 0) { seed_with(seed); }
    void seed_with(int32_t seed);
    uint32_t draw();
    // rnd(a, b): always draws; 0 when the range is empty.
    int32_t rnd(int32_t a, int32_t b);

private:
    std::array<uint32_t, 56> t_{};
    int p_ = 0, q_ = 31;
};

} // namespace imgman::ff
