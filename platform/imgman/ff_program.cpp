// The evaluator: runs a compiled program over runs of up to Lanes pixels of a row at once, one
// instruction at a time over all lanes, so that the cost of choosing the instruction is shared by
// the lanes and the simple operations compile to vector code. Only the part of a program that reads
// cells or draws random numbers (and what it needs from itself) runs one pixel at a time, in scan
// order, between the parts before and after it that still run over whole runs of a row.
//
// When no result depends on the pixels before it (no get, no rnd), the rows are independent: a
// whole-picture scan splits them into bands that threads of this file compute at once, and returns
// when all are done. Put and rst stamp their writes with their place in scan order, so the cells and
// the seed end as a scan in order would leave them.

#include "platform/imgman/ff_code.hpp"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace imgman::ff {

namespace {

constexpr int Lanes = 256;
// The distance from one register's lanes to the next one's: a little more than the lanes, so that
// the same lane of two registers never lies a multiple of 4 KiB apart, which the processor takes
// for the same place (a load then waits for an unrelated store to another register).
constexpr int Stride = Lanes + 16;

// Where the lanes of one step lie: `n` pixels of row `y` from column `x0`.
struct Step {
    const SourceView* source;
    int x0, y, n;
};

inline uint8_t clamp_byte(int32_t v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

inline int32_t sample(const Program& p, const SourceView& s, int32_t x, int32_t y, int channel) {
    const int32_t cx = clamp_int(x, 0, p.X - 1), cy = clamp_int(y, 0, p.Y - 1);
    return s.pixels[cy * s.stride + static_cast<std::ptrdiff_t>(cx) * 4 + channel];
}

template <typename F>
inline void binary(const Instruction& in, int32_t* __restrict d, const int32_t* regs, int stride, int n, F f) {
    const int32_t k = in.k;
    switch (in.form) {
    case Form::RR: {
        const int32_t* __restrict a = regs + in.a * stride;
        const int32_t* __restrict b = regs + in.b * stride;
        for (int i = 0; i < n; ++i)
            d[i] = f(a[i], b[i]);
        break;
    }
    case Form::RK: {
        const int32_t* __restrict a = regs + in.a * stride;
        for (int i = 0; i < n; ++i)
            d[i] = f(a[i], k);
        break;
    }
    case Form::KR: {
        const int32_t* __restrict b = regs + in.b * stride;
        for (int i = 0; i < n; ++i)
            d[i] = f(k, b[i]);
        break;
    }
    }
}

// Σ m·src over the 3 × 3 neighbourhood of (x, y) in `channel`, divided by the kernel's divisor.
inline int32_t convolve(const Program& p, const SourceView& s, int32_t x, int32_t y, int channel,
                        const int32_t* kernel) {
    if (kernel[9] == 0) return 0;
    uint32_t sum = 0;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            sum += static_cast<uint32_t>(kernel[row * 3 + col]) *
                   static_cast<uint32_t>(sample(p, s, x + col - 1, y + row - 1, channel));
    return div32(wrap(sum), kernel[9]);
}

// The constant-kernel convolution of a whole step: inner pixels read their neighbours directly.
void convolve_step(const Program& p, const Step& st, int channel, const std::array<int32_t, 10>& kernel,
                   int32_t* __restrict d) {
    const SourceView& s = *st.source;
    const int y0 = std::max(st.y - 1, 0), y2 = std::min(st.y + 1, p.Y - 1);
    const uint8_t* rows[3] = {s.pixels + y0 * s.stride, s.pixels + st.y * s.stride, s.pixels + y2 * s.stride};
    const int32_t divisor = kernel[9];
    const uint32_t m[9] = {
        static_cast<uint32_t>(kernel[0]), static_cast<uint32_t>(kernel[1]), static_cast<uint32_t>(kernel[2]),
        static_cast<uint32_t>(kernel[3]), static_cast<uint32_t>(kernel[4]), static_cast<uint32_t>(kernel[5]),
        static_cast<uint32_t>(kernel[6]), static_cast<uint32_t>(kernel[7]), static_cast<uint32_t>(kernel[8])};
    for (int i = 0; i < st.n; ++i) {
        const int x = st.x0 + i;
        const int xl = (x > 0 ? x - 1 : 0) * 4 + channel, xc = x * 4 + channel,
                  xr = (x + 1 < p.X ? x + 1 : x) * 4 + channel;
        uint32_t sum = 0;
        for (int row = 0; row < 3; ++row) {
            const uint8_t* r = rows[row];
            sum += m[row * 3] * r[xl] + m[row * 3 + 1] * r[xc] + m[row * 3 + 2] * r[xr];
        }
        d[i] = divisor == 1 ? wrap(sum) : div32(wrap(sum), divisor);
    }
}

// Channel `channel` of the source pixels (x0 + dx .. x0 + dx + n - 1, y + dy), positions clamped to
// the picture: the row is clamped once, the columns only where the run passes the picture's edge.
template <typename T>
inline void shifted_run(const Program& p, const SourceView& s, int x0, int y, int n, int32_t dx, int32_t dy,
                        int channel, T* __restrict d) {
    const uint8_t* row = s.pixels + clamp_int(y + dy, 0, p.Y - 1) * s.stride + channel;
    const int first = x0 + dx;
    // Lanes [0, lo) lie left of the picture, [hi, n) right of it.
    const int lo = std::clamp(-first, 0, n), hi = std::clamp(p.X - first, lo, n);
    for (int i = 0; i < lo; ++i)
        d[i] = row[0];
    const uint8_t* inner = row + static_cast<std::ptrdiff_t>(first) * 4;
    for (int i = lo; i < hi; ++i)
        d[i] = inner[i * 4];
    const uint8_t last = row[static_cast<std::ptrdiff_t>(p.X - 1) * 4];
    for (int i = hi; i < n; ++i)
        d[i] = last;
}

// Runs the instructions [first, last) over the lanes of a step. `regs` is the first lane's place in
// the registers, `stride` the distance from one register to the next. With `Fixed` 1 the step is one
// pixel and every loop below compiles to a single operation.
template <int Fixed>
void execute(const Program& p, const Instruction* first, const Instruction* last, const Step& st, int32_t* regs,
             int stride, State& state) {
    const int n = Fixed > 0 ? Fixed : st.n;
    const SourceView& s = *st.source;
    const uint8_t* row = s.pixels + st.y * s.stride + static_cast<std::ptrdiff_t>(st.x0) * 4;
    for (const Instruction* at = first; at != last; ++at) {
        const Instruction& in = *at;
        int32_t* __restrict d = regs + in.dst * stride;
        // A shifted source holds its offsets in a and b, not registers: no register is addressed by them
        // (an offset times the stride may pass the range of an int).
        const bool offsets = in.op == Op::SrcShift;
        const int32_t* a = regs + (offsets ? 0 : in.a) * stride;
        const int32_t* b = regs + (offsets ? 0 : in.b) * stride;
        const int32_t* c = regs + in.c * stride;
        switch (in.op) {
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    case Op::name:                                                                                                     \
        binary(in, d, regs, stride, n, [](int32_t u, int32_t v) { return fn(u, v); });                                 \
        break;
            VEXOLAN_FF_BINARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    case Op::name:                                                                                                     \
        for (int i = 0; i < n; ++i)                                                                                    \
            d[i] = fn(a[i]);                                                                                           \
        break;
            VEXOLAN_FF_UNARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    case Op::name:                                                                                                     \
        for (int i = 0; i < n; ++i)                                                                                    \
            d[i] = fn(a[i], b[i], c[i]);                                                                               \
        break;
            VEXOLAN_FF_TERNARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
        case Op::Channel:
            for (int i = 0; i < n; ++i)
                d[i] = row[i * 4 + in.k];
            break;
        case Op::X:
            for (int i = 0; i < n; ++i)
                d[i] = st.x0 + i;
            break;
        case Op::Y:
            for (int i = 0; i < n; ++i)
                d[i] = st.y;
            break;
        case Op::Grey:
            for (int i = 0; i < n; ++i)
                d[i] = ff_i(row[i * 4], row[i * 4 + 1], row[i * 4 + 2]);
            break;
        case Op::ColourU:
            for (int i = 0; i < n; ++i)
                d[i] = ff_u(row[i * 4], row[i * 4 + 1], row[i * 4 + 2]);
            break;
        case Op::ColourV:
            for (int i = 0; i < n; ++i)
                d[i] = ff_v(row[i * 4], row[i * 4 + 1], row[i * 4 + 2]);
            break;
        case Op::Angle:
            for (int i = 0; i < n; ++i)
                d[i] = ff_d(st.x0 + i, st.y, p.X, p.Y);
            break;
        case Op::Distance:
            for (int i = 0; i < n; ++i)
                d[i] = ff_m(st.x0 + i, st.y, p.X, p.Y);
            break;
        case Op::Const:
            break;
        case Op::Ctl:
            for (int i = 0; i < n; ++i)
                d[i] = ff_ctl(p.sliders, a[i]);
            break;
        case Op::Val:
            for (int i = 0; i < n; ++i)
                d[i] = ff_val(p.sliders, a[i], b[i], c[i]);
            break;
        case Op::Map:
            for (int i = 0; i < n; ++i)
                d[i] = a[i] >= 0 && a[i] <= 3
                           ? p.maps[static_cast<std::size_t>(a[i])][static_cast<std::size_t>(clamp_int(b[i], 0, 255))]
                           : 0;
            break;
        case Op::MapK: {
            const auto& table = p.maps[static_cast<std::size_t>(in.k)];
            for (int i = 0; i < n; ++i)
                d[i] = table[static_cast<std::size_t>(clamp_int(a[i], 0, 255))];
            break;
        }
        case Op::Src:
            for (int i = 0; i < n; ++i)
                d[i] = c[i] >= 0 && c[i] < p.Z ? sample(p, s, a[i], b[i], c[i]) : 0;
            break;
        case Op::SrcK:
            for (int i = 0; i < n; ++i)
                d[i] = sample(p, s, a[i], b[i], in.k);
            break;
        case Op::SrcShift:
            shifted_run(p, s, st.x0, st.y, n, in.a, in.b, in.k, d);
            break;
        case Op::Rad:
            for (int i = 0; i < n; ++i)
                d[i] = c[i] >= 0 && c[i] < p.Z
                           ? sample(p, s, add32(p.X / 2, ff_r2x(a[i], b[i])), add32(p.Y / 2, ff_r2y(a[i], b[i])), c[i])
                           : 0;
            break;
        case Op::RadK:
            for (int i = 0; i < n; ++i)
                d[i] = sample(p, s, add32(p.X / 2, ff_r2x(a[i], b[i])), add32(p.Y / 2, ff_r2y(a[i], b[i])), in.k);
            break;
        case Op::Mix: {
            const int32_t* e = &p.extra[static_cast<std::size_t>(in.k)];
            const int32_t *o0 = regs + e[0] * stride, *o1 = regs + e[1] * stride, *o2 = regs + e[2] * stride,
                          *o3 = regs + e[3] * stride;
            for (int i = 0; i < n; ++i)
                d[i] = ff_mix(o0[i], o1[i], o2[i], o3[i]);
            break;
        }
        case Op::Scl: {
            const int32_t* e = &p.extra[static_cast<std::size_t>(in.k)];
            const int32_t *o0 = regs + e[0] * stride, *o1 = regs + e[1] * stride, *o2 = regs + e[2] * stride,
                          *o3 = regs + e[3] * stride, *o4 = regs + e[4] * stride;
            for (int i = 0; i < n; ++i)
                d[i] = ff_scl(o0[i], o1[i], o2[i], o3[i], o4[i]);
            break;
        }
        case Op::Cnv: {
            const int32_t* e = &p.extra[static_cast<std::size_t>(in.k)];
            for (int i = 0; i < n; ++i) {
                int32_t kernel[10];
                for (int j = 0; j < 10; ++j)
                    kernel[j] = regs[e[j] * stride + i];
                d[i] = convolve(p, s, st.x0 + i, st.y, in.c, kernel);
            }
            break;
        }
        case Op::CnvK:
            convolve_step(p, st, in.c, p.kernels[static_cast<std::size_t>(in.k)], d);
            break;
        case Op::Get:
            for (int i = 0; i < n; ++i)
                d[i] = a[i] >= 0 && a[i] <= 255 ? state.cells[static_cast<std::size_t>(a[i])] : a[i];
            break;
        case Op::Put: {
            const int64_t stamp0 = (static_cast<int64_t>(st.y) * p.X + st.x0) * p.stamp_span + in.k;
            for (int i = 0; i < n; ++i) {
                if (b[i] >= 0 && b[i] <= 255) {
                    const auto cell = static_cast<std::size_t>(b[i]);
                    const int64_t stamp = stamp0 + i * p.stamp_span;
                    if (stamp > state.written[cell]) {
                        state.cells[cell] = a[i];
                        state.written[cell] = stamp;
                    }
                }
                d[i] = a[i];
            }
            break;
        }
        case Op::Rnd:
            for (int i = 0; i < n; ++i)
                d[i] = state.random.rnd(a[i], b[i]);
            break;
        case Op::Rst: {
            const int64_t stamp = (static_cast<int64_t>(st.y) * p.X + st.x0 + n - 1) * p.stamp_span + in.k;
            if (n > 0 && stamp > state.seed_written) {
                state.seed = a[n - 1];
                state.seed_written = stamp;
            }
            for (int i = 0; i < n; ++i)
                d[i] = 0;
            break;
        }
        }
    }
}

// Writes the results of a step into the target row.
void store(const Program& p, const Step& st, const int32_t* regs, int stride, const TargetView& target) {
    const SourceView& s = *st.source;
    const uint8_t* in = s.pixels + st.y * s.stride + static_cast<std::ptrdiff_t>(st.x0) * 4;
    uint8_t* __restrict out = target.pixels + st.y * target.stride + static_cast<std::ptrdiff_t>(st.x0) * 4;
    // Each channel's bytes side by side first (the clamping then runs over whole vectors), then
    // the four woven into the pixels in one pass. The loops over registers and the weaving run over
    // all the lanes, a count the compiler knows, so that they compile to vector code; only the
    // first n lanes reach the picture.
    alignas(64) uint8_t bytes[4][Lanes] = {};
    const int n = st.n;
    for (int z = 0; z < 4; ++z) {
        const Output& o = p.outputs[static_cast<std::size_t>(z)];
        uint8_t* __restrict b = bytes[z];
        switch (o.kind) {
        case Output::None:
            // Without alpha the picture keeps its own alpha bytes.
            for (int i = 0; i < n; ++i)
                b[i] = in[i * 4 + z];
            break;
        case Output::Constant:
            std::memset(b, clamp_byte(o.value), static_cast<std::size_t>(n));
            break;
        case Output::Copy:
            for (int i = 0; i < n; ++i)
                b[i] = in[i * 4 + o.value];
            break;
        case Output::Shifted:
            shifted_run(p, s, st.x0, st.y, n, o.dx, o.dy, o.value, b);
            break;
        case Output::Register: {
            const int32_t* __restrict r = regs + o.value * stride;
            for (int i = 0; i < Lanes; ++i)
                b[i] = clamp_byte(r[i]);
            break;
        }
        }
    }
    alignas(64) uint32_t pixels[Lanes];
    if constexpr (std::endian::native == std::endian::little) {
        for (int i = 0; i < Lanes; ++i)
            pixels[i] = static_cast<uint32_t>(bytes[0][i]) | static_cast<uint32_t>(bytes[1][i]) << 8 |
                        static_cast<uint32_t>(bytes[2][i]) << 16 | static_cast<uint32_t>(bytes[3][i]) << 24;
    } else {
        for (int i = 0; i < Lanes; ++i)
            pixels[i] = static_cast<uint32_t>(bytes[3][i]) | static_cast<uint32_t>(bytes[2][i]) << 8 |
                        static_cast<uint32_t>(bytes[1][i]) << 16 | static_cast<uint32_t>(bytes[0][i]) << 24;
    }
    std::memcpy(out, pixels, static_cast<std::size_t>(n) * 4);
}

std::vector<int32_t> registers_for(const Program& p, int stride) {
    std::vector<int32_t> regs(static_cast<std::size_t>(std::max(p.registers, 1)) * static_cast<std::size_t>(stride));
    for (const Instruction& in : p.constants)
        std::fill_n(regs.begin() + in.dst * stride, stride, in.k);
    return regs;
}

// A copy of the picture, with no put or rst to do on the way.
bool is_identity(const Program& p) {
    if (!p.code.empty()) return false;
    for (int z = 0; z < p.Z; ++z) {
        const Output& o = p.outputs[static_cast<std::size_t>(z)];
        if (o.kind != Output::Copy || o.value != z) return false;
    }
    return true;
}

// Below this many pixels (a thumbnail) starting threads costs more than they give.
constexpr long ThreadedPixels = 1L << 18;

// Calls rows(first, end, worker) for bands of rows covering 0..height-1, on `workers` threads that
// take the next band as they finish one (the calling thread is worker 0); returns when all are done.
// A thread the system cannot start leaves its bands to the threads that did start and the caller.
template <typename Rows> void in_bands(int height, int workers, Rows rows) {
    if (workers <= 1) {
        rows(0, height, 0);
        return;
    }
    // Bands small enough that a thread slowed by other work on the machine holds up little.
    const int band = std::clamp(height / (workers * 8), 1, 32);
    std::atomic<int> next{0};
    auto work = [&](int worker) {
        for (;;) {
            const int first = next.fetch_add(band);
            if (first >= height) return;
            rows(first, std::min(first + band, height), worker);
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(workers - 1));
    try {
        for (int w = 1; w < workers; ++w)
            threads.emplace_back(work, w);
    } catch (const std::system_error&) {
        // No more threads now: those started (each joined below) and this one do the work.
    }
    work(0);
    for (std::thread& t : threads)
        t.join();
}

// The rows [first, end) of a program whose rows are independent.
void whole_runs(const Program& p, const SourceView& source, const TargetView& target, int first, int end,
                int32_t* regs, State& state) {
    const Instruction* code = p.code.data();
    for (int y = first; y < end; ++y)
        for (int x0 = 0; x0 < source.width; x0 += Lanes) {
            const Step st{&source, x0, y, std::min(Lanes, source.width - x0)};
            execute<0>(p, code, code + p.code.size(), st, regs, Stride, state);
            store(p, st, regs, Stride, target);
        }
}

// What runs an instruction of the part in scan order: the instruction's own code (its Op), one of
// the forms below, or the end of the code.
constexpr int OpCount = static_cast<int>(Op::Rst) + 1;
enum Handler : int {
    GetCell = OpCount, // get of a constant cell: reads the cell through its pointer
    PutCell,           // put into a constant cell
    End,
    // A two-operand instruction with a constant right (RK) or left (KR) operand: Rk + its Op.
    Rk,
    Kr = Rk + OpCount,
    HandlerCount = Kr + OpCount
};

// An instruction of the part that runs in scan order, made ready for one pixel at a time: its
// registers as pointers into the lanes, a constant operand in `k`, a constant cell as a pointer to
// the cell.
struct Scalar {
    int handler = End;
    const Instruction* in = nullptr;
    int32_t* d = nullptr;
    const int32_t *a = nullptr, *b = nullptr, *c = nullptr;
    int32_t* cell = nullptr;
    int32_t k = 0;
};

// The code of [first, last) for one pixel at a time, ending with an End. `constants` are the run's
// constant registers; the cells are those of `state`.
std::vector<Scalar> scalar_code(const Instruction* first, const Instruction* last, int32_t* regs,
                                const std::vector<Instruction>& constants, State& state) {
    auto constant_cell = [&](int32_t reg) -> int32_t* {
        for (const Instruction& c : constants)
            if (c.dst == reg) return c.k >= 0 && c.k <= 255 ? &state.cells[static_cast<std::size_t>(c.k)] : nullptr;
        return nullptr;
    };
    std::vector<Scalar> out(static_cast<std::size_t>(last - first) + 1);
    for (std::size_t j = 0; j + 1 < out.size(); ++j) {
        const Instruction& in = first[j];
        Scalar& s = out[j];
        s.handler = static_cast<int>(in.op);
        s.in = &in;
        s.k = in.k;
        const bool offsets = in.op == Op::SrcShift; // a and b are offsets, as in execute
        s.d = regs + in.dst * Stride;
        s.a = regs + (offsets ? 0 : in.a) * Stride;
        s.b = regs + (offsets ? 0 : in.b) * Stride;
        s.c = regs + in.c * Stride;
        if (in.op == Op::Get && (s.cell = constant_cell(in.a))) s.handler = GetCell;
        if (in.op == Op::Put && (s.cell = constant_cell(in.b))) s.handler = PutCell;
    }
    for (Scalar& s : out) {
        if (!s.in || s.in->op > Op::R2y) continue; // only the two-operand instructions have constant forms
        if (s.in->form == Form::RK) s.handler = Rk + static_cast<int>(s.in->op);
        if (s.in->form == Form::KR) s.handler = Kr + static_cast<int>(s.in->op);
    }
    return out;
}

// The part in scan order over the pixels of a step, one pixel after the other. Each instruction's
// code jumps straight to the next one's (a jump from every instruction's own place, which the
// processor predicts far better than one shared jump).
void execute_in_order(const Program& p, const std::vector<Scalar>& code, const Step& st, int32_t* regs,
                      State& state) {
    const void* handlers[HandlerCount];
    for (const void*& h : handlers)
        h = &&other;
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    handlers[static_cast<int>(Op::name)] = &&op_##name;                                                                \
    handlers[Rk + static_cast<int>(Op::name)] = &&rk_##name;                                                           \
    handlers[Kr + static_cast<int>(Op::name)] = &&kr_##name;
    VEXOLAN_FF_BINARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
#define VEXOLAN_FF_RUN(name, fn) handlers[static_cast<int>(Op::name)] = &&op_##name;
    VEXOLAN_FF_UNARY_OPS(VEXOLAN_FF_RUN)
    VEXOLAN_FF_TERNARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
    handlers[static_cast<int>(Op::Get)] = &&get;
    handlers[static_cast<int>(Op::Put)] = &&put;
    handlers[static_cast<int>(Op::Rnd)] = &&rnd;
    handlers[GetCell] = &&get_cell;
    handlers[PutCell] = &&put_cell;
    handlers[End] = &&end;

    int i = 0;
    const Scalar* s = code.data();
    if (st.n <= 0) return;
    goto *handlers[s->handler];
#define VEXOLAN_FF_NEXT                                                                                                \
    ++s;                                                                                                               \
    goto *handlers[s->handler]
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    op_##name : s->d[i] = fn(s->a[i], s->b[i]);                                                                        \
    VEXOLAN_FF_NEXT;                                                                                                   \
    rk_##name : s->d[i] = fn(s->a[i], s->k);                                                                           \
    VEXOLAN_FF_NEXT;                                                                                                   \
    kr_##name : s->d[i] = fn(s->k, s->b[i]);                                                                           \
    VEXOLAN_FF_NEXT;
    VEXOLAN_FF_BINARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    op_##name : s->d[i] = fn(s->a[i]);                                                                                 \
    VEXOLAN_FF_NEXT;
    VEXOLAN_FF_UNARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
#define VEXOLAN_FF_RUN(name, fn)                                                                                       \
    op_##name : s->d[i] = fn(s->a[i], s->b[i], s->c[i]);                                                               \
    VEXOLAN_FF_NEXT;
    VEXOLAN_FF_TERNARY_OPS(VEXOLAN_FF_RUN)
#undef VEXOLAN_FF_RUN
get : {
    const int32_t cell = s->a[i];
    s->d[i] = cell >= 0 && cell <= 255 ? state.cells[static_cast<std::size_t>(cell)] : cell;
    VEXOLAN_FF_NEXT;
}
get_cell:
    s->d[i] = *s->cell;
    VEXOLAN_FF_NEXT;
    // In scan order every write is the latest: no stamp needed (they matter only when runs done apart
    // are put together). Nothing reads the register of a put: its value is that of its operand.
put : {
    const int32_t cell = s->b[i];
    if (cell >= 0 && cell <= 255) state.cells[static_cast<std::size_t>(cell)] = s->a[i];
    VEXOLAN_FF_NEXT;
}
put_cell:
    *s->cell = s->a[i];
    VEXOLAN_FF_NEXT;
rnd:
    s->d[i] = state.random.rnd(s->a[i], s->b[i]);
    VEXOLAN_FF_NEXT;
other:
    execute<1>(p, s->in, s->in + 1, Step{st.source, st.x0 + i, st.y, 1}, regs + i, Stride, state);
    VEXOLAN_FF_NEXT;
end:
    if (++i == st.n) return;
    s = code.data();
    goto *handlers[s->handler];
#undef VEXOLAN_FF_NEXT
}

// The whole picture for a program with a part that runs in scan order.
void ordered_runs(Program& p, const SourceView& source, const TargetView& target, int32_t* regs) {
    const Instruction* code = p.code.data();
    const Instruction *middle = code + p.ordered_begin, *after = code + p.ordered_end, *end = code + p.code.size();
    const std::vector<Scalar> in_order = scalar_code(middle, after, regs, p.constants, p.state);
    for (int y = 0; y < source.height; ++y)
        for (int x0 = 0; x0 < source.width; x0 += Lanes) {
            const Step st{&source, x0, y, std::min(Lanes, source.width - x0)};
            execute<0>(p, code, middle, st, regs, Stride, p.state);
            execute_in_order(p, in_order, st, regs, p.state);
            execute<0>(p, after, end, st, regs, Stride, p.state);
            store(p, st, regs, Stride, target);
        }
}

int workers_for(const SourceView& source) {
    if (static_cast<long>(source.width) * source.height < ThreadedPixels) return 1;
    return std::min(worker_count(), source.height);
}

} // namespace

int worker_count() {
    static const int count = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 64);
    return count;
}

bool compiles(std::string_view formula) {
    std::array<std::string, 4> formulas{"0", "0", "0", std::string(formula)};
    return compile_program(formulas, {}, 1, 1, 4).has_value();
}

std::string compile_problem(const Filter& filter, int channels) {
    static constexpr const char* Names[] = {"red", "green", "blue", "alpha"};
    for (int k = 0; k < channels && k < 4; ++k) {
        // Each formula alone, so that the message names the one at fault.
        std::array<std::string, 4> formulas{"0", "0", "0", "0"};
        formulas[static_cast<std::size_t>(k)] = filter.formulas[static_cast<std::size_t>(k)];
        std::string why;
        if (!compile_program(formulas, filter.sliders, 1, 1, 4, &why))
            return std::string("The ") + Names[k] + " formula does not compile: " + why;
    }
    return {};
}

FilterRun::FilterRun() = default;
FilterRun::~FilterRun() = default;
FilterRun::FilterRun(FilterRun&&) noexcept = default;
FilterRun& FilterRun::operator=(FilterRun&&) noexcept = default;

bool FilterRun::start(const Filter& filter, int width, int height, int channels, int32_t stored_seed) {
    program_.reset();
    auto compiled = compile_program(filter.formulas, filter.sliders, width, height, channels == 4 ? 4 : 3);
    if (!compiled) return false;
    program_ = std::make_unique<Program>(std::move(*compiled));
    program_->state.seed = stored_seed;
    program_->state.random.seed_with(stored_seed);
    return true;
}

void FilterRun::scan(const SourceView& source, const TargetView& target) {
    if (!program_ || source.width <= 0 || source.height <= 0) return;
    Program& p = *program_;
    p.state.forget_stamps();
    const int workers = workers_for(source);
    if (is_identity(p)) {
        in_bands(source.height, workers, [&](int first, int end, int) {
            for (int y = first; y < end; ++y)
                std::memcpy(target.pixels + y * target.stride, source.pixels + y * source.stride,
                            static_cast<std::size_t>(source.width) * 4);
        });
        return;
    }
    if (p.ordered_begin < p.ordered_end) {
        std::vector<int32_t> regs = registers_for(p, Stride);
        ordered_runs(p, source, target, regs.data());
        return;
    }
    std::vector<std::vector<int32_t>> regs;
    std::vector<State> states(static_cast<std::size_t>(workers), p.state);
    for (int w = 0; w < workers; ++w)
        regs.push_back(registers_for(p, Stride));
    in_bands(source.height, workers, [&](int first, int end, int worker) {
        const auto w = static_cast<std::size_t>(worker);
        whole_runs(p, source, target, first, end, regs[w].data(), states[w]);
    });
    for (const State& s : states)
        p.state.merge(s);
}

std::array<int32_t, 4> FilterRun::pixel(const SourceView& source, int x, int y) {
    std::array<int32_t, 4> values{};
    if (!program_) return values;
    Program& p = *program_;
    std::vector<int32_t> regs = registers_for(p, 1);
    const Step st{&source, x, y, 1};
    p.state.forget_stamps();
    execute<1>(p, p.code.data(), p.code.data() + p.code.size(), st, regs.data(), 1, p.state);
    const uint8_t* in = source.pixels + y * source.stride + static_cast<std::ptrdiff_t>(x) * 4;
    for (std::size_t z = 0; z < 4; ++z) {
        const Output& o = p.outputs[z];
        switch (o.kind) {
        case Output::None:
            break;
        case Output::Constant:
            values[z] = o.value;
            break;
        case Output::Copy:
            values[z] = in[o.value];
            break;
        case Output::Shifted:
            values[z] = sample(p, source, x + o.dx, y + o.dy, o.value);
            break;
        case Output::Register:
            values[z] = regs[static_cast<std::size_t>(o.value)];
            break;
        }
    }
    return values;
}

int32_t FilterRun::stored_seed() const {
    return program_ ? program_->state.seed : 0;
}

bool FilterRun::pixel_by_pixel() const {
    return program_ && program_->stateful;
}

int FilterRun::instruction_count() const {
    return program_ ? static_cast<int>(program_->code.size()) : 0;
}

bool run_filter(const Filter& filter, int channels, const SourceView& source, const TargetView& target,
                int32_t& stored_seed) {
    FilterRun run;
    if (!run.start(filter, source.width, source.height, channels, stored_seed)) return false;
    run.scan(source, target);
    stored_seed = run.stored_seed();
    return true;
}

} // namespace imgman::ff
