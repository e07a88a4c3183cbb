// The evaluator: runs a compiled program over runs of up to Lanes pixels of a row at once, one
// instruction at a time over all lanes, so that the cost of choosing the instruction is shared by
// the lanes and the simple operations compile to vector code. A program with cells or random numbers
// runs over one pixel at a time instead, so that its effects happen in scan order.

#include "platform/imgman/ff_code.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

namespace imgman::ff {

namespace {

constexpr int Lanes = 256;

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

void execute(Program& p, const Step& st, int32_t* regs, int stride) {
    const int n = st.n;
    const SourceView& s = *st.source;
    const uint8_t* row = s.pixels + st.y * s.stride + static_cast<std::ptrdiff_t>(st.x0) * 4;
    for (const Instruction& in : p.code) {
        int32_t* __restrict d = regs + in.dst * stride;
        const int32_t* a = regs + in.a * stride;
        const int32_t* b = regs + in.b * stride;
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
                d[i] = a[i] >= 0 && a[i] <= 255 ? p.cells[static_cast<std::size_t>(a[i])] : a[i];
            break;
        case Op::Put:
            for (int i = 0; i < n; ++i) {
                if (b[i] >= 0 && b[i] <= 255) p.cells[static_cast<std::size_t>(b[i])] = a[i];
                d[i] = a[i];
            }
            break;
        case Op::Rnd:
            for (int i = 0; i < n; ++i)
                d[i] = p.random.rnd(a[i], b[i]);
            break;
        case Op::Rst:
            for (int i = 0; i < n; ++i) {
                p.seed = a[i];
                d[i] = 0;
            }
            break;
        }
    }
}

// Writes the results of a step into the target row.
void store(const Program& p, const Step& st, const int32_t* regs, int stride, const TargetView& target) {
    const SourceView& s = *st.source;
    const uint8_t* in = s.pixels + st.y * s.stride + static_cast<std::ptrdiff_t>(st.x0) * 4;
    uint8_t* out = target.pixels + st.y * target.stride + static_cast<std::ptrdiff_t>(st.x0) * 4;
    for (int z = 0; z < 4; ++z) {
        const Output& o = p.outputs[static_cast<std::size_t>(z)];
        switch (o.kind) {
        case Output::None:
            // Without alpha the picture keeps its own alpha bytes.
            for (int i = 0; i < st.n; ++i)
                out[i * 4 + z] = in[i * 4 + z];
            break;
        case Output::Constant: {
            const uint8_t v = clamp_byte(o.value);
            for (int i = 0; i < st.n; ++i)
                out[i * 4 + z] = v;
            break;
        }
        case Output::Copy:
            for (int i = 0; i < st.n; ++i)
                out[i * 4 + z] = in[i * 4 + o.value];
            break;
        case Output::Register: {
            const int32_t* r = regs + o.value * stride;
            for (int i = 0; i < st.n; ++i)
                out[i * 4 + z] = clamp_byte(r[i]);
            break;
        }
        }
    }
}

std::vector<int32_t> registers_for(const Program& p, int stride) {
    std::vector<int32_t> regs(static_cast<std::size_t>(std::max(p.registers, 1)) * static_cast<std::size_t>(stride));
    for (const Instruction& in : p.constants)
        std::fill_n(regs.begin() + in.dst * stride, stride, in.k);
    return regs;
}

bool is_identity(const Program& p) {
    for (int z = 0; z < p.Z; ++z) {
        const Output& o = p.outputs[static_cast<std::size_t>(z)];
        if (o.kind != Output::Copy || o.value != z) return false;
    }
    return true;
}

} // namespace

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
    program_->seed = stored_seed;
    program_->random.seed_with(stored_seed);
    return true;
}

void FilterRun::scan(const SourceView& source, const TargetView& target) {
    if (!program_ || source.width <= 0 || source.height <= 0) return;
    Program& p = *program_;
    if (is_identity(p)) {
        for (int y = 0; y < source.height; ++y)
            std::memcpy(target.pixels + y * target.stride, source.pixels + y * source.stride,
                        static_cast<std::size_t>(source.width) * 4);
        return;
    }
    const int stride = p.stateful ? 1 : Lanes;
    std::vector<int32_t> regs = registers_for(p, stride);
    for (int y = 0; y < source.height; ++y) {
        for (int x0 = 0; x0 < source.width; x0 += stride) {
            const Step st{&source, x0, y, std::min(stride, source.width - x0)};
            execute(p, st, regs.data(), stride);
            store(p, st, regs.data(), stride, target);
        }
    }
}

std::array<int32_t, 4> FilterRun::pixel(const SourceView& source, int x, int y) {
    std::array<int32_t, 4> values{};
    if (!program_) return values;
    Program& p = *program_;
    std::vector<int32_t> regs = registers_for(p, 1);
    const Step st{&source, x, y, 1};
    execute(p, st, regs.data(), 1);
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
        case Output::Register:
            values[z] = regs[static_cast<std::size_t>(o.value)];
            break;
        }
    }
    return values;
}

int32_t FilterRun::stored_seed() const {
    return program_ ? program_->seed : 0;
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
