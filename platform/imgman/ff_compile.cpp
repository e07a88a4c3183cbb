// The formula compiler: text → tokens → one register program for all channels of a filter.
//
// Parsing and code generation are one pass: each parse step emits the instructions of its
// sub-expression at once, in the order the language evaluates them (left to right, operands before
// the operation), so instructions with effects (put, rnd, rst) and get keep their order. Constant
// operands are folded on the spot; an instruction without effects that was already emitted with
// the same operands is reused, also across the channels' formulas.

#include "platform/imgman/ff_code.hpp"

#include <map>
#include <string>
#include <unordered_map>

namespace imgman::ff {

namespace {

// Why a formula is not one of the language, in words for the formula's author.
struct CompileError {
    std::string why;
};

[[noreturn]] void fail(std::string why = "it is not a formula of the language") {
    throw CompileError{std::move(why)};
}

// A token as the author typed it, for the messages.
std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// --- tokens ---------------------------------------------------------------------------------------------

struct Token {
    enum Kind { End, Number, Name, Symbol } kind = End;
    std::string_view text;
    int32_t value = 0;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) { advance(); }
    const Token& peek() const { return token_; }
    Token take() {
        Token t = token_;
        advance();
        return t;
    }
    bool accept(std::string_view symbol) {
        if (token_.kind != Token::Symbol || token_.text != symbol) return false;
        advance();
        return true;
    }
    void expect(std::string_view symbol) {
        if (accept(symbol)) return;
        if (token_.kind == Token::End) fail(quoted(symbol) + " is missing at the end");
        fail(quoted(symbol) + " expected before " + quoted(token_.text));
    }

private:
    static bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
    static bool is_digit(char c) { return c >= '0' && c <= '9'; }
    static int hex_digit(char c) {
        if (is_digit(c)) return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void skip_blanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    void advance() {
        skip_blanks();
        token_ = Token{};
        if (pos_ >= text_.size()) return;
        const std::size_t start = pos_;
        const char c = text_[pos_];
        if (is_digit(c)) {
            // Literals wrap modulo 2^32, as the 32-bit arithmetic does.
            uint32_t v = 0;
            if (c == '0' && pos_ + 1 < text_.size() && (text_[pos_ + 1] == 'x' || text_[pos_ + 1] == 'X')) {
                pos_ += 2;
                if (pos_ >= text_.size() || hex_digit(text_[pos_]) < 0) fail("a hexadecimal number without digits");
                while (pos_ < text_.size() && hex_digit(text_[pos_]) >= 0)
                    v = v * 16u + static_cast<uint32_t>(hex_digit(text_[pos_++]));
            } else {
                while (pos_ < text_.size() && is_digit(text_[pos_]))
                    v = v * 10u + static_cast<uint32_t>(text_[pos_++] - '0');
            }
            token_ = {Token::Number, text_.substr(start, pos_ - start), wrap(v)};
            return;
        }
        if (is_letter(c)) {
            while (pos_ < text_.size() && (is_letter(text_[pos_]) || is_digit(text_[pos_])))
                ++pos_;
            token_ = {Token::Name, text_.substr(start, pos_ - start), 0};
            return;
        }
        static constexpr std::string_view Pairs[] = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
        for (std::string_view p : Pairs) {
            if (text_.substr(pos_, 2) == p) {
                pos_ += 2;
                token_ = {Token::Symbol, p, 0};
                return;
            }
        }
        if (std::string_view("+-*/%<>&^|!~(),?:").find(c) == std::string_view::npos)
            fail("the character " + quoted(text_.substr(pos_, 1)) + " is not part of the language");
        ++pos_;
        token_ = {Token::Symbol, text_.substr(start, 1), 0};
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    Token token_;
};

// --- folding ----------------------------------------------------------------------------------------------

int32_t fold_binary(Op op, int32_t a, int32_t b) {
    switch (op) {
#define VEXOLAN_FF_FOLD(name, fn)                                                                                      \
    case Op::name:                                                                                                     \
        return fn(a, b);
        VEXOLAN_FF_BINARY_OPS(VEXOLAN_FF_FOLD)
#undef VEXOLAN_FF_FOLD
    default:
        fail();
    }
}

int32_t fold_unary(Op op, int32_t a) {
    switch (op) {
#define VEXOLAN_FF_FOLD(name, fn)                                                                                      \
    case Op::name:                                                                                                     \
        return fn(a);
        VEXOLAN_FF_UNARY_OPS(VEXOLAN_FF_FOLD)
#undef VEXOLAN_FF_FOLD
    default:
        fail();
    }
}

int32_t fold_ternary(Op op, int32_t a, int32_t b, int32_t c) {
    switch (op) {
#define VEXOLAN_FF_FOLD(name, fn)                                                                                      \
    case Op::name:                                                                                                     \
        return fn(a, b, c);
        VEXOLAN_FF_TERNARY_OPS(VEXOLAN_FF_FOLD)
#undef VEXOLAN_FF_FOLD
    default:
        fail();
    }
}

bool is_binary(Op op) {
    return op <= Op::R2y;
}
bool is_unary(Op op) {
    return op >= Op::Neg && op <= Op::Sqr;
}

// Operand counts of the instructions that take theirs from the extra list.
int extra_count(Op op) {
    switch (op) {
    case Op::Mix:
        return 4;
    case Op::Scl:
        return 5;
    case Op::Cnv:
        return 10;
    default:
        return 0;
    }
}

// Calls f(register&) for every register an instruction reads.
template <typename F> void for_each_operand(Instruction& in, std::vector<int32_t>& extra, F f) {
    const Op op = in.op;
    if (is_binary(op)) {
        if (in.form != Form::KR) f(in.a);
        if (in.form != Form::RK) f(in.b);
        return;
    }
    if (const int n = extra_count(op)) {
        for (int i = 0; i < n; ++i)
            f(extra[static_cast<std::size_t>(in.k + i)]);
        return;
    }
    switch (op) {
    case Op::Channel:
    case Op::X:
    case Op::Y:
    case Op::Grey:
    case Op::ColourU:
    case Op::ColourV:
    case Op::Angle:
    case Op::Distance:
    case Op::Const:
    case Op::CnvK:
    case Op::SrcShift:
        return;
    case Op::Ctl:
    case Op::MapK:
    case Op::Get:
    case Op::Rst:
        f(in.a);
        return;
    case Op::Map:
    case Op::SrcK:
    case Op::RadK:
    case Op::Put:
    case Op::Rnd:
        f(in.a);
        f(in.b);
        return;
    default: // the unary and ternary instructions, Val, Src, Rad
        f(in.a);
        if (is_unary(op)) return;
        f(in.b);
        f(in.c);
        return;
    }
}

bool has_state(Op op) {
    return op == Op::Get || op == Op::Put || op == Op::Rnd || op == Op::Rst;
}
// Instructions whose effect must happen even when their value is not used.
bool has_effect(Op op) {
    return op == Op::Put || op == Op::Rnd || op == Op::Rst;
}

// --- code generation ------------------------------------------------------------------------------------

struct Value {
    bool constant = false;
    int32_t k = 0; // the constant
    int32_t reg = -1;
};

Value constant(int32_t k) {
    return {true, k, -1};
}

class Generator {
public:
    Generator(Program& p) : p_(p) {}

    Value emit(Instruction in, std::vector<int32_t> operands = {}) {
        const bool reusable = !has_state(in.op);
        std::vector<int32_t> key;
        if (reusable) {
            key = {static_cast<int32_t>(in.op), static_cast<int32_t>(in.form), in.a, in.b, in.c, in.k};
            key.insert(key.end(), operands.begin(), operands.end());
            auto it = seen_.find(key);
            if (it != seen_.end()) return {false, 0, it->second};
        }
        if (!operands.empty()) {
            in.k = static_cast<int32_t>(p_.extra.size());
            p_.extra.insert(p_.extra.end(), operands.begin(), operands.end());
        }
        in.dst = static_cast<int32_t>(code.size());
        code.push_back(in);
        if (reusable) seen_.emplace(std::move(key), in.dst);
        return {false, 0, in.dst};
    }

    int32_t reg(Value v) {
        if (!v.constant) return v.reg;
        Instruction in{Op::Const};
        in.k = v.k;
        return emit(in).reg;
    }

    Value load(Op op, int32_t k = 0) {
        Instruction in{op};
        in.k = k;
        return emit(in);
    }

    Value binary(Op op, Value l, Value r) {
        if (l.constant && r.constant) return constant(fold_binary(op, l.k, r.k));
        Instruction in{op};
        if (r.constant) {
            in.form = Form::RK;
            in.a = l.reg;
            in.k = r.k;
        } else if (l.constant) {
            in.form = Form::KR;
            in.b = r.reg;
            in.k = l.k;
        } else {
            in.a = l.reg;
            in.b = r.reg;
        }
        return emit(in);
    }

    Value unary(Op op, Value v) {
        if (v.constant) return constant(fold_unary(op, v.k));
        Instruction in{op};
        in.a = v.reg;
        return emit(in);
    }

    Value ternary(Op op, Value a, Value b, Value c) {
        if (a.constant && b.constant && c.constant) return constant(fold_ternary(op, a.k, b.k, c.k));
        // Both branches have been computed already; a constant condition just picks one.
        if (op == Op::Select && a.constant) return a.k != 0 ? b : c;
        return three(op, a, b, c);
    }

    Value three(Op op, Value a, Value b, Value c, int32_t k = 0) {
        Instruction in{op};
        in.a = reg(a);
        in.b = reg(b);
        in.c = reg(c);
        in.k = k;
        return emit(in);
    }

    Value two(Op op, Value a, Value b, int32_t k = 0) {
        Instruction in{op};
        in.a = reg(a);
        in.b = reg(b);
        in.k = k;
        return emit(in);
    }

    Value one(Op op, Value a, int32_t k = 0) {
        Instruction in{op};
        in.a = reg(a);
        in.k = k;
        return emit(in);
    }

    Value list(Op op, const std::vector<Value>& args, int32_t c = 0) {
        std::vector<int32_t> operands;
        for (const Value& v : args)
            operands.push_back(reg(v));
        Instruction in{op};
        in.c = c;
        return emit(in, std::move(operands));
    }

    std::vector<Instruction> code;
    // What the cells whose number is a constant hold, as far as the pixel has put or read them.
    std::map<int32_t, Value> cells;

private:
    Program& p_;
    std::map<std::vector<int32_t>, int32_t> seen_;
};

// --- the parser -------------------------------------------------------------------------------------------

class Parser {
public:
    Parser(Program& p, Generator& gen, std::string_view text, int channel)
        : p_(p), gen_(gen), lex_(text), z_(channel) {}

    Value formula() {
        Value v = sequence();
        if (lex_.peek().kind != Token::End) {
            if (lex_.peek().text == ")") fail("a \")\" without its \"(\"");
            fail("unexpected " + quoted(lex_.peek().text));
        }
        return v;
    }

private:
    // Deep nesting is refused rather than run off the stack.
    static constexpr int MaxDepth = 200;
    struct Nesting {
        explicit Nesting(int& depth) : depth_(depth) {
            if (++depth_ > MaxDepth) fail("the formula is nested too deeply");
        }
        ~Nesting() { --depth_; }
        int& depth_;
    };

    std::string_view function_;

    bool at(std::string_view symbol) const { return lex_.peek().kind == Token::Symbol && lex_.peek().text == symbol; }

    // level 1: a , b
    Value sequence() {
        Value v = conditional();
        while (lex_.accept(","))
            v = conditional();
        return v;
    }

    // level 2: c ? t : e, right to left; all three are evaluated.
    Value conditional() {
        Nesting n(depth_);
        Value c = logical();
        if (!lex_.accept("?")) return c;
        Value t = sequence();
        lex_.expect(":");
        Value e = conditional();
        return gen_.ternary(Op::Select, c, t, e);
    }

    template <typename Next> Value left_level(std::initializer_list<std::pair<std::string_view, Op>> ops, Next next) {
        Value v = (this->*next)();
        for (;;) {
            const auto* match = static_cast<const std::pair<std::string_view, Op>*>(nullptr);
            for (const auto& o : ops)
                if (at(o.first)) match = &o;
            if (!match) return v;
            lex_.take();
            Value r = (this->*next)();
            v = gen_.binary(match->second, v, r);
        }
    }

    // level 3: && || (both operands evaluated)
    Value logical() { return left_level({{"&&", Op::LogicAnd}, {"||", Op::LogicOr}}, &Parser::bitwise); }
    // level 4: & ^ |
    Value bitwise() { return left_level({{"&", Op::And}, {"^", Op::Xor}, {"|", Op::Or}}, &Parser::equality); }
    Value equality() { return left_level({{"==", Op::Eq}, {"!=", Op::Ne}}, &Parser::relation); }
    Value relation() {
        return left_level({{"<", Op::Lt}, {"<=", Op::Le}, {">", Op::Gt}, {">=", Op::Ge}}, &Parser::shift);
    }
    Value shift() { return left_level({{"<<", Op::Shl}, {">>", Op::Shr}}, &Parser::additive); }
    Value additive() { return left_level({{"+", Op::Add}, {"-", Op::Sub}}, &Parser::multiplicative); }
    Value multiplicative() { return left_level({{"*", Op::Mul}, {"/", Op::Div}, {"%", Op::Mod}}, &Parser::prefix); }

    // level 10: prefix - + ! ~
    Value prefix() {
        Nesting n(depth_);
        if (lex_.accept("-")) return gen_.unary(Op::Neg, prefix());
        if (lex_.accept("+")) return prefix();
        if (lex_.accept("!")) return gen_.unary(Op::Not, prefix());
        if (lex_.accept("~")) return gen_.unary(Op::BitNot, prefix());
        return primary();
    }

    Value primary() {
        const Token t = lex_.take();
        if (t.kind == Token::Number) return constant(t.value);
        if (t.kind == Token::Symbol && t.text == "(") {
            Value v = sequence();
            lex_.expect(")");
            return v;
        }
        if (t.kind == Token::End) fail("the formula ends where a value is expected");
        if (t.kind != Token::Name) fail("a value is expected before " + quoted(t.text));
        if (at("(")) {
            lex_.take();
            return call(t.text);
        }
        return variable(t.text);
    }

    std::vector<Value> arguments(std::size_t count) {
        const auto wrong_count = [&] {
            fail(quoted(function_) + " takes " + std::to_string(count) + (count == 1 ? " value" : " values"));
        };
        std::vector<Value> args;
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0 && !lex_.accept(",")) {
                if (at(")")) wrong_count();
                lex_.expect(",");
            }
            args.push_back(conditional());
        }
        if (!lex_.accept(")")) {
            if (at(",")) wrong_count();
            lex_.expect(")");
        }
        return args;
    }

    Value channel(int k) {
        if (k >= p_.Z) return constant(0);
        return gen_.load(Op::Channel, k);
    }

    Value variable(std::string_view name) {
        // Names that stand for 0, 1, 255 or the area's constants.
        static const std::unordered_map<std::string_view, int32_t> Fixed{
            {"R", 255},    {"G", 255},    {"B", 255},    {"A", 255},    {"C", 255},    {"I", 255},
            {"U", 255},    {"V", 255},    {"D", 1024},   {"rmax", 255}, {"gmax", 255}, {"bmax", 255},
            {"amax", 255}, {"cmax", 255}, {"imax", 255}, {"umax", 255}, {"vmax", 255}, {"dmax", 1024},
            {"xmin", 0},   {"ymin", 0},   {"zmin", 0},   {"rmin", 0},   {"gmin", 0},   {"bmin", 0},
            {"amin", 0},   {"cmin", 0},   {"imin", 0},   {"umin", 0},   {"vmin", 0},   {"dmin", 0},
            {"mmin", 0},   {"pmin", 0},   {"t", 0},      {"tmin", 0},   {"tmax", 1},   {"total", 1},
        };
        if (auto it = Fixed.find(name); it != Fixed.end()) return constant(it->second);
        // r0 and r1 (and so on) are r.
        std::string_view base = name;
        if (base.size() == 2 && (base[1] == '0' || base[1] == '1') &&
            std::string_view("rgbacimduv").find(base[0]) != std::string_view::npos)
            base = base.substr(0, 1);
        if (base == "r") return channel(0);
        if (base == "g") return channel(1);
        if (base == "b") return channel(2);
        if (base == "a") return channel(3);
        if (base == "c") return channel(z_);
        if (base == "i") return gen_.load(Op::Grey);
        if (base == "u") return gen_.load(Op::ColourU);
        if (base == "v") return gen_.load(Op::ColourV);
        if (base == "d") return gen_.load(Op::Angle);
        if (base == "m") return gen_.load(Op::Distance);
        if (name == "x") return gen_.load(Op::X);
        if (name == "y") return gen_.load(Op::Y);
        if (name == "z" || name == "p") return constant(z_);
        if (name == "X" || name == "xmax") return constant(p_.X);
        if (name == "Y" || name == "ymax") return constant(p_.Y);
        if (name == "Z" || name == "zmax" || name == "pmax") return constant(p_.Z);
        if (name == "M" || name == "mmax") return constant(ff_M(p_.X, p_.Y));
        fail("unknown name " + quoted(name));
    }

    Value call(std::string_view name) {
        // The function whose values are being read, for the messages of arguments().
        struct Naming {
            std::string_view& current;
            std::string_view saved;
            Naming(std::string_view& c, std::string_view name) : current(c), saved(c) { current = name; }
            ~Naming() { current = saved; }
        } naming{function_, name};
        if (name == "cnv0" || name == "cnv1") name = "cnv";
        if (name == "src0" || name == "src1") name = "src";
        if (name == "rad0" || name == "rad1") name = "rad";

        static const std::unordered_map<std::string_view, Op> Unary{
            {"abs", Op::Abs}, {"cos", Op::Cos}, {"sin", Op::Sin}, {"tan", Op::Tan}, {"sqr", Op::Sqr}};
        static const std::unordered_map<std::string_view, Op> Binary{
            {"min", Op::Min}, {"max", Op::Max}, {"dif", Op::Dif}, {"c2d", Op::C2d},
            {"c2m", Op::C2m}, {"r2x", Op::R2x}, {"r2y", Op::R2y}};
        if (auto it = Unary.find(name); it != Unary.end()) return gen_.unary(it->second, arguments(1)[0]);
        if (auto it = Binary.find(name); it != Binary.end()) {
            const auto args = arguments(2);
            return gen_.binary(it->second, args[0], args[1]);
        }
        if (name == "add" || name == "sub") {
            const auto args = arguments(3);
            return gen_.ternary(name == "add" ? Op::AddLimit : Op::SubLimit, args[0], args[1], args[2]);
        }
        if (name == "ctl") {
            const Value i = arguments(1)[0];
            if (i.constant) return constant(ff_ctl(p_.sliders, i.k));
            return gen_.one(Op::Ctl, i);
        }
        if (name == "val") {
            const auto args = arguments(3);
            if (args[0].constant && (args[0].k < 0 || args[0].k > 7)) return constant(0);
            if (args[0].constant && args[1].constant && args[2].constant)
                return constant(ff_val(p_.sliders, args[0].k, args[1].k, args[2].k));
            return gen_.three(Op::Val, args[0], args[1], args[2]);
        }
        if (name == "map") {
            const auto args = arguments(2);
            if (!args[0].constant) return gen_.two(Op::Map, args[0], args[1]);
            const int32_t pair = args[0].k;
            if (pair < 0 || pair > 3) return constant(0);
            if (args[1].constant)
                return constant(
                    p_.maps[static_cast<std::size_t>(pair)][static_cast<std::size_t>(clamp_int(args[1].k, 0, 255))]);
            return gen_.one(Op::MapK, args[1], pair);
        }
        if (name == "src" || name == "rad") {
            const auto args = arguments(3);
            const bool src = name == "src";
            if (!args[2].constant) return gen_.three(src ? Op::Src : Op::Rad, args[0], args[1], args[2]);
            if (args[2].k < 0 || args[2].k >= p_.Z) return constant(0);
            if (src) {
                const auto dx = offset_from(args[0], Op::X, p_.X), dy = offset_from(args[1], Op::Y, p_.Y);
                if (dx && dy) {
                    Instruction in{Op::SrcShift};
                    in.a = *dx;
                    in.b = *dy;
                    in.k = args[2].k;
                    return gen_.emit(in);
                }
            }
            return gen_.two(src ? Op::SrcK : Op::RadK, args[0], args[1], args[2].k);
        }
        if (name == "cnv") {
            const auto args = arguments(10);
            bool all_constant = true;
            for (const Value& v : args)
                all_constant = all_constant && v.constant;
            if (!all_constant) return gen_.list(Op::Cnv, args, z_);
            if (args[9].k == 0) return constant(0);
            std::array<int32_t, 10> kernel{};
            for (std::size_t i = 0; i < 10; ++i)
                kernel[i] = args[i].k;
            return cnv_kernel(kernel);
        }
        if (name == "mix" || name == "scl") {
            const bool mix = name == "mix";
            const auto args = arguments(mix ? 4 : 5);
            bool all_constant = true;
            for (const Value& v : args)
                all_constant = all_constant && v.constant;
            if (all_constant)
                return constant(mix ? ff_mix(args[0].k, args[1].k, args[2].k, args[3].k)
                                    : ff_scl(args[0].k, args[1].k, args[2].k, args[3].k, args[4].k));
            return gen_.list(mix ? Op::Mix : Op::Scl, args);
        }
        if (name == "get") {
            const Value i = arguments(1)[0];
            if (i.constant && (i.k < 0 || i.k > 255)) return constant(i.k);
            // A cell this pixel has put already holds that value: no need to read it back, and the
            // pixel no longer depends on the one before it through this cell. A cell read already
            // and not put since holds what was read.
            if (i.constant) {
                if (auto it = gen_.cells.find(i.k); it != gen_.cells.end()) return it->second;
                // Until the next put, the cell holds what this get reads.
                const Value v = gen_.one(Op::Get, i);
                gen_.cells[i.k] = v;
                return v;
            }
            return gen_.one(Op::Get, i);
        }
        if (name == "put") {
            const auto args = arguments(2);
            // A cell outside 0..255 stores nothing; put gives its value either way.
            if (args[1].constant && (args[1].k < 0 || args[1].k > 255)) return args[0];
            gen_.two(Op::Put, args[0], args[1]);
            // A cell chosen per pixel may be any of them.
            if (args[1].constant)
                gen_.cells[args[1].k] = args[0];
            else
                gen_.cells.clear();
            return args[0];
        }
        if (name == "rnd") {
            const auto args = arguments(2);
            return gen_.two(Op::Rnd, args[0], args[1]);
        }
        if (name == "rst") {
            gen_.one(Op::Rst, arguments(1)[0]);
            return constant(0);
        }
        fail("unknown function " + quoted(name));
    }

    // When `v` is the coordinate `axis` (x or y, below `size`) plus or minus constants, the sum of
    // those constants. Only offsets small enough that no sum on the way can wrap around: then the
    // position is the coordinate plus the offset, exactly as the instructions would compute it.
    std::optional<int32_t> offset_from(const Value& v, Op axis, int size) const {
        constexpr int64_t Far = int64_t{1} << 28;
        if (v.constant || v.reg < 0 || size > Far) return std::nullopt;
        int64_t offset = 0;
        int32_t reg = v.reg;
        for (;;) {
            const Instruction& in = gen_.code[static_cast<std::size_t>(reg)];
            if (in.op == axis) return static_cast<int32_t>(offset);
            int64_t k = in.k;
            if (in.op == Op::Add && in.form == Form::RK) {
                reg = in.a;
            } else if (in.op == Op::Add && in.form == Form::KR) {
                reg = in.b;
            } else if (in.op == Op::Sub && in.form == Form::RK) {
                reg = in.a;
                k = -k;
            } else {
                return std::nullopt;
            }
            offset += k;
            if (k > Far || k < -Far || offset > Far || offset < -Far) return std::nullopt;
        }
    }

    Value cnv_kernel(const std::array<int32_t, 10>& kernel) {
        std::size_t index = 0;
        while (index < p_.kernels.size() && p_.kernels[index] != kernel)
            ++index;
        if (index == p_.kernels.size()) p_.kernels.push_back(kernel);
        Instruction in{Op::CnvK};
        in.k = static_cast<int32_t>(index);
        in.c = z_;
        return gen_.emit(in);
    }

    Program& p_;
    Generator& gen_;
    Lexer lex_;
    int z_;
    int depth_ = 0;
};

// --- after parsing: leave out what is not needed, then give out the registers --------------------------

void finish(Program& p, std::vector<Instruction> code, std::array<Value, 4> results) {
    // A result that is a source channel as it stands is copied from the source: no register for it.
    // So is a source channel at a position moved by constants.
    std::array<int32_t, 4> copies{-1, -1, -1, -1};
    std::array<const Instruction*, 4> shifted{};
    for (std::size_t z = 0; z < 4; ++z) {
        Value& v = results[z];
        if (v.constant || v.reg < 0) continue;
        const Instruction& in = code[static_cast<std::size_t>(v.reg)];
        if (in.op == Op::Channel) {
            copies[z] = in.k;
            v.reg = -1;
        } else if (in.op == Op::SrcShift) {
            shifted[z] = &in;
            v.reg = -1;
        }
    }
    std::vector<bool> live(code.size(), false);
    for (const Value& v : results)
        if (!v.constant && v.reg >= 0) live[static_cast<std::size_t>(v.reg)] = true;
    for (std::size_t i = code.size(); i-- > 0;) {
        if (has_effect(code[i].op)) live[i] = true;
        if (!live[i]) continue;
        for_each_operand(code[i], p.extra, [&](int32_t& r) { live[static_cast<std::size_t>(r)] = true; });
    }

    // The order the code runs in: what does not depend on get or rnd first (whole runs of a row at
    // once), then get, rnd, put and what they need from each other (pixel by pixel), then the rest.
    // Without get and rnd no result depends on the pixels before, and all of it is in the first part.
    std::vector<bool> after_state(code.size(), false), in_order(code.size(), false);
    bool ordered = false;
    for (std::size_t i = 0; i < code.size(); ++i)
        if (live[i] && (code[i].op == Op::Get || code[i].op == Op::Rnd)) ordered = true;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (!live[i]) continue;
        const Op op = code[i].op;
        after_state[i] = op == Op::Get || op == Op::Rnd;
        for_each_operand(code[i], p.extra, [&](int32_t& r) {
            after_state[i] = after_state[i] || after_state[static_cast<std::size_t>(r)];
        });
        in_order[i] = ordered && (op == Op::Get || op == Op::Rnd || op == Op::Put);
    }
    for (std::size_t i = code.size(); i-- > 0;) {
        if (!in_order[i]) continue;
        for_each_operand(code[i], p.extra, [&](int32_t& r) {
            const std::size_t v = static_cast<std::size_t>(r);
            if (after_state[v]) in_order[v] = true;
        });
    }
    std::vector<std::size_t> order;
    for (int part = 0; part < 3; ++part) {
        for (std::size_t i = 0; i < code.size(); ++i) {
            if (!live[i] || code[i].op == Op::Const) continue;
            const int mine = in_order[i] ? 1 : (after_state[i] ? 2 : 0);
            if (mine == part) order.push_back(i);
        }
        if (part == 0) p.ordered_begin = order.size();
        if (part == 1) p.ordered_end = order.size();
    }
    p.stamp_span = static_cast<int64_t>(code.size()) + 1;

    // Where in that order each register is read last; the results are read after the end.
    constexpr std::size_t Forever = static_cast<std::size_t>(-1);
    std::vector<std::size_t> last_use(code.size(), 0);
    for (std::size_t at = 0; at < order.size(); ++at) {
        const std::size_t i = order[at];
        last_use[i] = at;
        for_each_operand(code[i], p.extra, [&](int32_t& r) { last_use[static_cast<std::size_t>(r)] = at; });
    }
    for (const Value& v : results)
        if (!v.constant && v.reg >= 0) last_use[static_cast<std::size_t>(v.reg)] = Forever;

    std::vector<int32_t> physical(code.size(), -1);
    int count = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (live[i] && code[i].op == Op::Const) {
            physical[i] = count++;
            Instruction in = code[i];
            in.dst = physical[i];
            p.constants.push_back(in);
        }
    }
    std::vector<int32_t> free_list;
    for (std::size_t at = 0; at < order.size(); ++at) {
        const std::size_t i = order[at];
        Instruction in = code[i];
        if (in.op == Op::Put || in.op == Op::Rst) in.k = static_cast<int32_t>(i);
        int32_t dst;
        if (!free_list.empty()) {
            dst = free_list.back();
            free_list.pop_back();
        } else {
            dst = count++;
        }
        physical[i] = dst;
        in.dst = dst;
        std::vector<int32_t> released;
        for_each_operand(in, p.extra, [&](int32_t& r) {
            const std::size_t v = static_cast<std::size_t>(r);
            if (last_use[v] == at && code[v].op != Op::Const) released.push_back(physical[v]);
            r = physical[v];
        });
        // An operand read twice is released once.
        for (std::size_t j = 0; j < released.size(); ++j) {
            bool again = false;
            for (std::size_t k = 0; k < j; ++k)
                again = again || released[k] == released[j];
            if (!again) free_list.push_back(released[j]);
        }
        if (last_use[i] == at) free_list.push_back(dst); // an effect whose value nobody reads
        p.stateful = p.stateful || has_state(in.op);
        p.code.push_back(in);
    }
    p.registers = count;

    for (std::size_t z = 0; z < 4; ++z) {
        const Value& v = results[z];
        Output& out = p.outputs[z];
        if (copies[z] >= 0) {
            out = {Output::Copy, copies[z]};
        } else if (shifted[z]) {
            out = {Output::Shifted, shifted[z]->k, shifted[z]->a, shifted[z]->b};
        } else if (v.constant) {
            out = {Output::Constant, v.k};
        } else if (v.reg < 0) {
            out = {};
        } else {
            out = {Output::Register, physical[static_cast<std::size_t>(v.reg)]};
        }
    }
}

} // namespace

std::optional<Program> compile_program(const std::array<std::string, 4>& formulas,
                                       const std::array<uint8_t, 8>& sliders, int X, int Y, int channels,
                                       std::string* problem) {
    Program p;
    p.X = X;
    p.Y = Y;
    p.Z = channels;
    p.sliders = sliders;
    for (int pair = 0; pair < 4; ++pair)
        p.maps[static_cast<std::size_t>(pair)] = map_table(sliders, pair);
    Generator gen(p);
    std::array<Value, 4> results{};
    try {
        for (int z = 0; z < channels && z < 4; ++z) {
            Parser parser(p, gen, formulas[static_cast<std::size_t>(z)], z);
            results[static_cast<std::size_t>(z)] = parser.formula();
        }
    } catch (const CompileError& e) {
        if (problem) *problem = e.why;
        return std::nullopt;
    }
    finish(p, std::move(gen.code), results);
    return p;
}

} // namespace imgman::ff
