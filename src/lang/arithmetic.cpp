#include "lang/program.h"

namespace talvex::lang {

int32_t Wrap(int64_t value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFFu));
}

int32_t ApplyUnary(Op op, int32_t value)
{
    switch (op) {
    case Op::Neg:
        return Wrap(-static_cast<int64_t>(value));
    case Op::Not:
        return value == 0 ? 1 : 0;
    case Op::BitNot:
        return Wrap(~static_cast<int64_t>(value));
    default:
        return Wrap(value);
    }
}

int32_t ApplyBinary(Op op, int32_t left, int32_t right)
{
    const int64_t a = left;
    const int64_t b = right;
    switch (op) {
    case Op::Mul:
        return Wrap(a * b);
    case Op::Div:
        return b == 0 ? 0 : Wrap(a / b);
    case Op::Mod:
        return b == 0 ? 0 : Wrap(a % b);
    case Op::Add:
        return Wrap(a + b);
    case Op::Sub:
        return Wrap(a - b);
    case Op::Shl:
        return b < 0 || b > 15 ? 0 : Wrap(a << b);
    case Op::Shr:
        return b < 0 || b > 15 ? (a < 0 ? -1 : 0) : Wrap(a >> b);
    case Op::Lt:
        return a < b;
    case Op::Le:
        return a <= b;
    case Op::Gt:
        return a > b;
    case Op::Ge:
        return a >= b;
    case Op::Eq:
        return a == b;
    case Op::Ne:
        return a != b;
    case Op::BitAnd:
        return Wrap(a & b);
    case Op::BitXor:
        return Wrap(a ^ b);
    case Op::BitOr:
        return Wrap(a | b);
    case Op::And:
        return a != 0 && b != 0;
    case Op::Or:
        return a != 0 || b != 0;
    default:
        return 0;
    }
}

} // namespace talvex::lang
