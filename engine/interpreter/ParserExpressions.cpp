// Parser: expressions, from assignment (lowest precedence) down to the
// primaries, and the resolution of names to local or global slots.
#include "Parser.h"

namespace loom {

namespace {

bool IsAssignment(TokenKind k)
{
    return k == TokenKind::Assign || k == TokenKind::PlusAssign || k == TokenKind::MinusAssign ||
           k == TokenKind::StarAssign || k == TokenKind::SlashAssign;
}

bool IsLvalue(const Expr& e)
{
    return e.IsVariable() || e.kind == ExprKind::Index || e.kind == ExprKind::Member;
}

}  // namespace

// --- expressions -----------------------------------------------------------

ExprPtr Parser::NewExpr(ExprKind kind, const Token& at)
{
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->line = at.line;
    e->column = at.column;
    return e;
}

ExprPtr Parser::MakeBinary(BinaryOp op, const Token& at, ExprPtr left, ExprPtr right)
{
    ExprPtr e = NewExpr(ExprKind::Binary, at);
    e->op = op;
    e->sideEffects = left->sideEffects || right->sideEffects;
    e->left = std::move(left);
    e->right = std::move(right);
    return e;
}

ExprPtr Parser::ParseExpr() { return ParseAssignment(); }

ExprPtr Parser::ParseAssignment()
{
    DepthGuard guard(*this);
    ExprPtr target = ParseOr();
    if (!IsAssignment(m_Current.kind)) return target;
    const Token op = Take();
    if (!IsLvalue(*target)) Fail(op, "cannot assign to this expression");
    ExprPtr e = NewExpr(ExprKind::Assign, op);
    switch (op.kind) {
    case TokenKind::PlusAssign: e->compound = true; e->op = BinaryOp::Add; break;
    case TokenKind::MinusAssign: e->compound = true; e->op = BinaryOp::Sub; break;
    case TokenKind::StarAssign: e->compound = true; e->op = BinaryOp::Mul; break;
    case TokenKind::SlashAssign: e->compound = true; e->op = BinaryOp::Div; break;
    default: break;
    }
    e->left = std::move(target);
    e->right = ParseAssignment();
    e->sideEffects = true;
    return e;
}

ExprPtr Parser::ParseOr()
{
    ExprPtr left = ParseAnd();
    while (Check(TokenKind::PipePipe)) {
        const Token op = Take();
        ExprPtr e = NewExpr(ExprKind::Or, op);
        e->right = ParseAnd();
        e->sideEffects = left->sideEffects || e->right->sideEffects;
        e->left = std::move(left);
        left = std::move(e);
    }
    return left;
}

ExprPtr Parser::ParseAnd()
{
    ExprPtr left = ParseBitOr();
    while (Check(TokenKind::AmpAmp)) {
        const Token op = Take();
        ExprPtr e = NewExpr(ExprKind::And, op);
        e->right = ParseBitOr();
        e->sideEffects = left->sideEffects || e->right->sideEffects;
        e->left = std::move(left);
        left = std::move(e);
    }
    return left;
}

ExprPtr Parser::ParseBitOr()
{
    ExprPtr left = ParseBitAnd();
    while (Check(TokenKind::Pipe)) {
        const Token op = Take();
        left = MakeBinary(BinaryOp::BitOr, op, std::move(left), ParseBitAnd());
    }
    return left;
}

ExprPtr Parser::ParseBitAnd()
{
    ExprPtr left = ParseEquality();
    while (Check(TokenKind::Amp)) {
        const Token op = Take();
        left = MakeBinary(BinaryOp::BitAnd, op, std::move(left), ParseEquality());
    }
    return left;
}

ExprPtr Parser::ParseEquality()
{
    ExprPtr left = ParseRelational();
    while (Check(TokenKind::Equal) || Check(TokenKind::NotEqual)) {
        const Token op = Take();
        left = MakeBinary(op.kind == TokenKind::Equal ? BinaryOp::Equal : BinaryOp::NotEqual, op, std::move(left),
                          ParseRelational());
    }
    return left;
}

ExprPtr Parser::ParseRelational()
{
    ExprPtr left = ParseAdditive();
    for (;;) {
        BinaryOp bop;
        switch (m_Current.kind) {
        case TokenKind::Less: bop = BinaryOp::Less; break;
        case TokenKind::LessEqual: bop = BinaryOp::LessEqual; break;
        case TokenKind::Greater: bop = BinaryOp::Greater; break;
        case TokenKind::GreaterEqual: bop = BinaryOp::GreaterEqual; break;
        default: return left;
        }
        const Token op = Take();
        left = MakeBinary(bop, op, std::move(left), ParseAdditive());
    }
}

ExprPtr Parser::ParseAdditive()
{
    ExprPtr left = ParseMultiplicative();
    while (Check(TokenKind::Plus) || Check(TokenKind::Minus)) {
        const Token op = Take();
        left = MakeBinary(op.kind == TokenKind::Plus ? BinaryOp::Add : BinaryOp::Sub, op, std::move(left),
                          ParseMultiplicative());
    }
    return left;
}

ExprPtr Parser::ParseMultiplicative()
{
    ExprPtr left = ParseUnary();
    for (;;) {
        BinaryOp bop;
        switch (m_Current.kind) {
        case TokenKind::Star: bop = BinaryOp::Mul; break;
        case TokenKind::Slash: bop = BinaryOp::Div; break;
        case TokenKind::Percent: bop = BinaryOp::Mod; break;
        default: return left;
        }
        const Token op = Take();
        left = MakeBinary(bop, op, std::move(left), ParseUnary());
    }
}

ExprPtr Parser::ParseUnary()
{
    DepthGuard guard(*this);
    if (Check(TokenKind::Minus) || Check(TokenKind::Bang)) {
        const Token op = Take();
        ExprPtr e = NewExpr(op.kind == TokenKind::Minus ? ExprKind::Negate : ExprKind::Not, op);
        e->left = ParseUnary();
        e->sideEffects = e->left->sideEffects;
        return e;
    }
    if (Check(TokenKind::PlusPlus) || Check(TokenKind::MinusMinus)) {
        const Token op = Take();
        ExprPtr e = NewExpr(ExprKind::Step, op);
        e->prefix = true;
        e->increment = op.kind == TokenKind::PlusPlus;
        e->left = ParseUnary();
        if (!IsLvalue(*e->left)) Fail(op, std::string(DescribeToken(op.kind)) + " needs a variable");
        e->sideEffects = true;
        return e;
    }
    return ParsePower();
}

ExprPtr Parser::ParsePower()
{
    ExprPtr base = ParsePostfix();
    if (!Check(TokenKind::Caret)) return base;
    const Token op = Take();
    // Right-associative and above unary minus: -2^2 is -4, 2^3^2 is 2^9.
    return MakeBinary(BinaryOp::Pow, op, std::move(base), ParseUnary());
}

ExprPtr Parser::ParsePostfix()
{
    ExprPtr e = ParsePrimary();
    for (;;) {
        if (Check(TokenKind::LeftBracket)) {
            const Token open = Take();
            if (e->kind != ExprKind::Index) {
                ExprPtr index = NewExpr(ExprKind::Index, open);
                index->sideEffects = e->sideEffects;
                index->left = std::move(e);
                e = std::move(index);
            }
            do {
                ExprPtr i = ParseExpr();
                e->sideEffects = e->sideEffects || i->sideEffects;
                e->args.push_back(std::move(i));
            } while (Match(TokenKind::Comma));
            ExpectClosing(TokenKind::RightBracket, open);
        } else if (Check(TokenKind::Dot)) {
            Take();
            const Token name = Expect(TokenKind::Identifier, "a member name after '.'");
            if (Check(TokenKind::LeftParen)) {
                const Token open = Take();
                ExprPtr call = NewExpr(ExprKind::MemberCall, name);
                call->name = name.text;
                call->left = std::move(e);
                ParseArguments(open, call->args);
                call->sideEffects = true;
                e = std::move(call);
            } else {
                ExprPtr member = NewExpr(ExprKind::Member, name);
                member->name = name.text;
                member->sideEffects = e->sideEffects;
                member->left = std::move(e);
                e = std::move(member);
            }
        } else if (Check(TokenKind::PlusPlus) || Check(TokenKind::MinusMinus)) {
            const Token op = Take();
            if (!IsLvalue(*e)) Fail(op, std::string(DescribeToken(op.kind)) + " needs a variable");
            ExprPtr step = NewExpr(ExprKind::Step, op);
            step->increment = op.kind == TokenKind::PlusPlus;
            step->left = std::move(e);
            step->sideEffects = true;
            e = std::move(step);
        } else {
            return e;
        }
    }
}

void Parser::ParseArguments(const Token& opener, std::vector<ExprPtr>& args)
{
    if (!Check(TokenKind::RightParen)) {
        do {
            args.push_back(ParseExpr());
        } while (Match(TokenKind::Comma));
    }
    ExpectClosing(TokenKind::RightParen, opener);
}

ExprPtr Parser::ResolveName(const Token& name)
{
    for (auto scope = m_Scopes.rbegin(); scope != m_Scopes.rend(); ++scope) {
        auto it = scope->find(name.text);
        if (it != scope->end()) {
            ExprPtr e = NewExpr(ExprKind::Local, name);
            e->slot = it->second;
            e->name = name.text;
            return e;
        }
    }
    ExprPtr e = NewExpr(ExprKind::Global, name);
    e->slot = m_Globals.Intern(name.text);
    e->name = name.text;
    return e;
}

ExprPtr Parser::ParsePrimary()
{
    DepthGuard guard(*this);
    const Token& t = m_Current;
    switch (t.kind) {
    case TokenKind::IntLiteral: {
        ExprPtr e = NewExpr(ExprKind::Constant, t);
        e->constant = Value::FromInt(t.intValue);
        Take();
        return e;
    }
    case TokenKind::RealLiteral: {
        ExprPtr e = NewExpr(ExprKind::Constant, t);
        e->constant = Value::FromReal(t.realValue);
        Take();
        return e;
    }
    case TokenKind::StringLiteral: {
        ExprPtr e = NewExpr(ExprKind::Constant, t);
        e->constant = Value::Own(new CDataString(String(t.text)));
        Take();
        return e;
    }
    case TokenKind::True:
    case TokenKind::False: {
        ExprPtr e = NewExpr(ExprKind::Constant, t);
        e->constant = Value::FromBool(t.kind == TokenKind::True);
        Take();
        return e;
    }
    case TokenKind::Identifier: {
        const Token name = Take();
        if (Check(TokenKind::LeftParen)) {
            const Token open = Take();
            ExprPtr call = NewExpr(ExprKind::Call, name);
            call->name = name.text;
            ParseArguments(open, call->args);
            call->sideEffects = true;
            return call;
        }
        return ResolveName(name);
    }
    case TokenKind::LeftParen: {
        const Token open = Take();
        ExprPtr inner = ParseExpr();
        ExpectClosing(TokenKind::RightParen, open);
        return inner;
    }
    default: break;
    }
    FailExpected("an expression");
}

}  // namespace loom
