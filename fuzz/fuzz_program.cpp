// The program parser must take any bytes: every finding points into the text,
// and the tree's indices stay inside its arrays.
#include "lang/program.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace talvex::lang;
    const Program program = ParseProgram(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const Finding& finding : program.findings) {
        Require(finding.line >= 1 && finding.line <= std::max(program.lineCount, 1));
        Require(finding.column >= 1 && !finding.message.empty());
    }
    const auto statements = static_cast<StmtId>(program.statements.size());
    const auto exprs = static_cast<ExprId>(program.exprs.size());
    auto validExpr = [&](ExprId id) { return id == kNone || (id >= 0 && id < exprs); };
    for (ExprId i = 0; i < exprs; ++i) {
        const Expr& e = program.exprs[i];
        Require(e.first >= 0 && e.first <= i);
        Require(e.lhs < i && e.rhs < i && validExpr(e.lhs) && validExpr(e.rhs));
    }
    for (const Statement& s : program.statements) {
        Require(validExpr(s.value));
        for (ExprId arg : s.args)
            Require(arg >= 0 && arg < exprs);
        for (const Branch& branch : s.branches) {
            Require(validExpr(branch.expr));
            for (StmtId child : branch.body)
                Require(child >= 0 && child < statements);
        }
    }
    return 0;
}
