#pragma once
// The compiled form of a filter's formulas, shared by the compiler (ff_compile.cpp) and the
// evaluator (ff_program.cpp). Not for use outside the imaging layer.
//
// A program is a straight list of register instructions. Each register holds one 32-bit value per
// lane (one lane per pixel of the run of a row being computed). Operands that are constants are held
// in the instruction itself (the K forms of the two-operand instructions) or in constant registers
// filled once per run.

#include "platform/imgman/ff_functions.hpp"
#include "platform/imgman/ff_program.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace imgman::ff {

// Two-operand instructions: name and the function computing one lane.
#define VEXOLAN_FF_BINARY_OPS(X)                                                                                       \
    X(Add, add32)                                                                                                      \
    X(Sub, sub32)                                                                                                      \
    X(Mul, mul32)                                                                                                      \
    X(Div, div32)                                                                                                      \
    X(Mod, mod32)                                                                                                      \
    X(Shl, shl32)                                                                                                      \
    X(Shr, shr32)                                                                                                      \
    X(Lt, lt32)                                                                                                        \
    X(Le, le32)                                                                                                        \
    X(Gt, gt32)                                                                                                        \
    X(Ge, ge32)                                                                                                        \
    X(Eq, eq32)                                                                                                        \
    X(Ne, ne32)                                                                                                        \
    X(And, and32)                                                                                                      \
    X(Xor, xor32)                                                                                                      \
    X(Or, or32)                                                                                                        \
    X(LogicAnd, land32)                                                                                                \
    X(LogicOr, lor32)                                                                                                  \
    X(Min, ff_min)                                                                                                     \
    X(Max, ff_max)                                                                                                     \
    X(Dif, ff_dif)                                                                                                     \
    X(C2d, ff_c2d)                                                                                                     \
    X(C2m, ff_c2m)                                                                                                     \
    X(R2x, ff_r2x)                                                                                                     \
    X(R2y, ff_r2y)

#define VEXOLAN_FF_UNARY_OPS(X)                                                                                        \
    X(Neg, neg32)                                                                                                      \
    X(Not, not32)                                                                                                      \
    X(BitNot, bitnot32)                                                                                                \
    X(Abs, abs32)                                                                                                      \
    X(Cos, ff_cos)                                                                                                     \
    X(Sin, ff_sin)                                                                                                     \
    X(Tan, ff_tan)                                                                                                     \
    X(Sqr, ff_sqr)

#define VEXOLAN_FF_TERNARY_OPS(X)                                                                                      \
    X(Select, select32)                                                                                                \
    X(AddLimit, ff_add)                                                                                                \
    X(SubLimit, ff_sub)

inline int32_t lt32(int32_t a, int32_t b) {
    return a < b;
}
inline int32_t le32(int32_t a, int32_t b) {
    return a <= b;
}
inline int32_t gt32(int32_t a, int32_t b) {
    return a > b;
}
inline int32_t ge32(int32_t a, int32_t b) {
    return a >= b;
}
inline int32_t eq32(int32_t a, int32_t b) {
    return a == b;
}
inline int32_t ne32(int32_t a, int32_t b) {
    return a != b;
}
inline int32_t and32(int32_t a, int32_t b) {
    return a & b;
}
inline int32_t xor32(int32_t a, int32_t b) {
    return a ^ b;
}
inline int32_t or32(int32_t a, int32_t b) {
    return a | b;
}
inline int32_t land32(int32_t a, int32_t b) {
    return a != 0 && b != 0;
}
inline int32_t lor32(int32_t a, int32_t b) {
    return a != 0 || b != 0;
}
inline int32_t not32(int32_t a) {
    return a == 0;
}
inline int32_t bitnot32(int32_t a) {
    return ~a;
}
inline int32_t select32(int32_t c, int32_t t, int32_t e) {
    return c != 0 ? t : e;
}

enum class Op : uint8_t {
#define VEXOLAN_FF_NAME(name, fn) name,
    VEXOLAN_FF_BINARY_OPS(VEXOLAN_FF_NAME) VEXOLAN_FF_UNARY_OPS(VEXOLAN_FF_NAME) VEXOLAN_FF_TERNARY_OPS(VEXOLAN_FF_NAME)
#undef VEXOLAN_FF_NAME
    // Pixel variables: a source channel (k), the position, grey and colour differences, polar position.
    Channel,
    X,
    Y,
    Grey,
    ColourU,
    ColourV,
    Angle,
    Distance,
    Const, // k, filled once per run
    Ctl,   // a
    Val,   // a, b, c
    Map,   // a = pair, b = n
    MapK,  // a = n, k = pair
    Src,   // a, b, c
    SrcK,  // a, b; k = channel
    SrcShift, // src(x + a, y + b, k): the position moved by constants of the run
    Rad,   // a, b, c
    RadK,  // a, b; k = channel
    Mix,   // operands extra[k..k+3]
    Scl,   // operands extra[k..k+4]
    Cnv,   // operands extra[k..k+9]; c = channel
    CnvK,  // kernel kernels[k]; c = channel
    // With state: they run in program order.
    Get, // a
    Put, // a = value, b = cell; k = its place in the formulas' order
    Rnd, // a, b
    Rst, // a; k = its place in the formulas' order
};

// Forms of a two-operand instruction: both registers, the right a constant (k), the left a constant.
enum class Form : uint8_t { RR, RK, KR };

struct Instruction {
    Op op{};
    Form form = Form::RR;
    int32_t dst = 0, a = 0, b = 0, c = 0;
    int32_t k = 0;
};

// What a formula's result is.
struct Output {
    enum Kind : uint8_t { None, Constant, Copy, Register, Shifted } kind = None;
    int32_t value = 0; // the constant, the source channel copied, or the register
    int32_t dx = 0, dy = 0; // Shifted: channel `value` of the source pixel at (x + dx, y + dy)
};

// What put, get, rnd and rst act on. Put and rst stamp each write with the position in scan order
// of the pixel and instruction that made it (`order`), so that runs done out of order, or on several
// threads, keep for every cell the write the scan order would have left last.
struct State {
    std::array<int32_t, 256> cells{};
    std::array<int64_t, 256> written{}; // the stamp of each cell's value; -1: none in this scan
    Random random;
    int32_t seed = 0;
    int64_t seed_written = -1;

    void forget_stamps() {
        written.fill(-1);
        seed_written = -1;
    }
    // Takes every write of `other` that comes later in scan order than this state's own.
    void merge(const State& other) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (other.written[i] > written[i]) {
                cells[i] = other.cells[i];
                written[i] = other.written[i];
            }
        if (other.seed_written > seed_written) {
            seed = other.seed;
            seed_written = other.seed_written;
        }
    }
};

struct Program {
    std::vector<Instruction> constants; // Const instructions, run once per run
    std::vector<Instruction> code;
    std::vector<int32_t> extra;                   // operand lists of Mix, Scl and Cnv
    std::vector<std::array<int32_t, 10>> kernels; // constant cnv kernels and divisors
    std::array<Output, 4> outputs{};
    int registers = 0;
    bool stateful = false; // put, get, rnd or rst
    // The code in three parts: [0, ordered_begin) and [ordered_end, end) compute whole runs of a row,
    // [ordered_begin, ordered_end) — get, rnd, put and what they need from each other — runs pixel by
    // pixel in scan order between them. Empty when no result depends on the order of the pixels:
    // then the rows are independent and may be computed in any order.
    std::size_t ordered_begin = 0, ordered_end = 0;
    // The stamps of put and rst: instruction k of pixel (x, y) writes at ((y·X + x)·stamp_span + k).
    int64_t stamp_span = 1;

    // The run's constants.
    int X = 0, Y = 0, Z = 3;
    std::array<uint8_t, 8> sliders{};
    std::array<std::array<uint8_t, 256>, 4> maps{};

    // The run's state.
    State state;
};

// Compiles the formulas of channels 0..channels-1 for an area of X × Y pixels; nothing when one of
// them is not a formula, and then `problem` (when given) says why in words.
std::optional<Program> compile_program(const std::array<std::string, 4>& formulas,
                                       const std::array<uint8_t, 8>& sliders, int X, int Y, int channels,
                                       std::string* problem = nullptr);

} // namespace imgman::ff
