#include "term.h"

#include <algorithm>
#include <initializer_list>

using exact::Number;
using Binding = Term::Binding;

namespace {

QString bracketed(const Term::Written &w, std::initializer_list<Binding> bracketedBindings)
{
    for (Binding b : bracketedBindings)
        if (w.binding == b)
            return QStringLiteral("(%1)").arg(w.text);
    return w.text;
}

} // namespace

Term::Term(long long whole) : m_node(std::make_shared<Node>())
{
    m_node->whole = whole;
    m_node->value = Number(whole);
}

Term::Term(Quantity &quantity) : m_node(std::make_shared<Node>())
{
    m_node->quantity = &quantity;
    m_node->value = quantity.value;
}

Term::Term(Op op, const Term &x, const Term &y) : m_node(std::make_shared<Node>())
{
    m_node->op = op;
    m_node->operands =
        op == Op::Square || op == Op::Root ? std::vector<Term>{x} : std::vector<Term>{x, y};
    m_node->value = apply(op, x.value(), y.value());
    const bool sum = op == Op::Add || op == Op::Subtract;
    const int left = sum && x.isSum() ? x.depth() : 1 + x.depth();
    m_node->depth = std::max(left, 1 + y.depth());
}

bool Term::isSum() const
{
    return !m_node->operands.empty() && (m_node->op == Op::Add || m_node->op == Op::Subtract);
}

Number Term::apply(Op op, const Number &x, const Number &y)
{
    switch (op) {
    case Op::Add:
        return x + y;
    case Op::Subtract:
        return x - y;
    case Op::Multiply:
        return x * y;
    case Op::Divide:
        return x / y;
    case Op::Square:
        return x * x;
    case Op::Root:
        return exact::sqrt(x);
    }
    return x;
}

void Term::roundedQuantities(std::vector<Quantity *> &found) const
{
    if (m_node->quantity && !m_node->quantity->exactForm)
        found.push_back(m_node->quantity);
    for (const Term &operand : m_node->operands)
        operand.roundedQuantities(found);
}

bool Term::approximate() const
{
    if (m_node->quantity && m_node->quantity->approximate)
        return true;
    return std::ranges::any_of(m_node->operands, &Term::approximate);
}

Number Term::shownValue(const StepNotation &notation, bool closely) const
{
    const Node &n = *m_node;
    if (n.quantity) {
        const Number shown = notation.shownValue(*n.quantity);
        return closely && !shown.isRational() ? Number::fromDecimal(shown.rounded(60)) : shown;
    }
    if (n.operands.empty())
        return n.value;
    const Number x = n.operands.front().shownValue(notation, closely);
    const Number y = n.operands.size() > 1 ? n.operands.back().shownValue(notation, closely) : x;
    return apply(n.op, x, y);
}

Binding Term::bindingOf(const QString &text)
{
    bool product = false;
    bool quotient = false;
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        if (depth > 0)
            continue;
        if (c == u' ' && i + 1 < text.size() && (text[i + 1] == u'+' || text[i + 1] == u'−'))
            return Binding::Sum;
        quotient = quotient || c == u'/';
        product = product || c == u'·' || (c == u'√' && i > 0 && text[i - 1].isDigit());
    }
    if (text.startsWith(u'−'))
        return Binding::Negative;
    return quotient ? Binding::Quotient : product ? Binding::Scaled : Binding::Atom;
}

std::optional<Term::Written> Term::written(int level, const StepNotation &notation) const
{
    const Node &n = *m_node;
    if (n.quantity) {
        const QString text = notation.shown(*n.quantity);
        return Written{text, bindingOf(text)};
    }
    if (n.operands.empty())
        return Written{QString::number(n.whole), Binding::Atom};
    if (n.depth <= level) {
        const auto text = notation.shortForm(n.value);
        if (!text)
            return std::nullopt;
        return Written{*text, bindingOf(*text)};
    }
    const auto x = n.operands.front().written(level, notation);
    const auto y = n.operands.back().written(level, notation);
    if (!x || !y)
        return std::nullopt;
    using enum Binding;
    switch (n.op) {
    case Op::Add:
        return Written{x->text + QStringLiteral(" + ") + bracketed(*y, {Sum, Negative}), Sum};
    case Op::Subtract:
        return Written{x->text + QStringLiteral(" − ") + bracketed(*y, {Sum, Negative}), Sum};
    case Op::Multiply:
        return Written{bracketed(*x, {Sum, Quotient, Negative, Scaled}) + u'·'
                           + bracketed(*y, {Sum, Quotient, Negative, Product, Scaled}),
                       Product};
    case Op::Divide:
        return Written{bracketed(*x, {Sum, Quotient, Negative}) + QStringLiteral(" / ")
                           + bracketed(*y, {Sum, Quotient, Negative, Product, Scaled}),
                       Quotient};
    case Op::Square: {
        // √2² would read as √(2²).
        const bool bare = x->binding == Atom && !x->text.startsWith(u'√');
        return Written{(bare ? x->text : QStringLiteral("(%1)").arg(x->text)) + u'²', Atom};
    }
    case Op::Root: {
        const bool plain = x->binding == Atom && !x->text.contains(u'√')
            && !x->text.contains(u'²') && !x->text.startsWith(u'(');
        return Written{u'√' + (plain ? x->text : QStringLiteral("(%1)").arg(x->text)), Atom};
    }
    }
    return std::nullopt;
}
