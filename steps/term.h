#ifndef TERM_H
#define TERM_H

#include "stepnotation.h"

#include <memory>
#include <optional>
#include <vector>

// A formula of a step over the quantities of a worked solution, as it is
// written on the blackboard and worked out: 2·r·(a + b + c), √(a² + b²). Its
// exact value is worked out as it is built, so that building 1 / 0 throws
// std::domain_error there.
//
// Written at a level, every operation whose operands are at most that many
// operations deep is replaced by its value, so that the levels one after
// another are the lines of a worked example: √(1² + 1²) = √(1 + 1) = √2. A
// run of sums and differences counts as one operation, as a student adds
// 3 + 4 − 5 in one go.
class Term
{
public:
    // How a written expression binds, for the brackets around it where it
    // is put into another. Scaled is a single value written as a product,
    // "2,5·10⁻⁷" or "5√2", which a further factor keeps apart: 2·(2,5·10⁻⁷).
    enum class Binding { Atom, Scaled, Product, Quotient, Sum, Negative };

    struct Written
    {
        QString text;
        Binding binding = Binding::Atom;
    };

    Term(long long whole);
    Term(Quantity &quantity);

    const exact::Number &value() const { return m_node->value; }
    // The number of levels at which the formula is written before its value.
    int depth() const { return m_node->depth; }

    friend Term operator+(const Term &x, const Term &y) { return {Op::Add, x, y}; }
    friend Term operator-(const Term &x, const Term &y) { return {Op::Subtract, x, y}; }
    friend Term operator*(const Term &x, const Term &y) { return {Op::Multiply, x, y}; }
    friend Term operator/(const Term &x, const Term &y) { return {Op::Divide, x, y}; }
    friend Term squared(const Term &x) { return {Op::Square, x, x}; }
    friend Term root(const Term &x) { return {Op::Root, x, x}; }

    // The quantities that the formula shows as decimals, not exactly.
    void roundedQuantities(std::vector<Quantity *> &found) const;
    // Whether a quantity in it is known only approximately.
    bool approximate() const;

    // The value that the formula gives with its quantities as shown. Where
    // an exact form shown has a root that the formula cannot combine with
    // the others (a root of it, another root), `closely` works with each
    // exact form's decimal to 60 digits instead, far more than any step
    // shows.
    exact::Number shownValue(const StepNotation &notation, bool closely = false) const;

    // The formula written with the operations up to `level` deep worked
    // out; nothing where such a value has no short exact form.
    std::optional<Written> written(int level, const StepNotation &notation) const;

    static Binding bindingOf(const QString &text);

private:
    enum class Op { Add, Subtract, Multiply, Divide, Square, Root };

    struct Node
    {
        Op op = Op::Add;
        std::vector<Term> operands;
        Quantity *quantity = nullptr;
        long long whole = 0;
        exact::Number value;
        int depth = 0;
    };

    Term(Op op, const Term &x, const Term &y);

    static exact::Number apply(Op op, const exact::Number &x, const exact::Number &y);
    bool isSum() const;

    std::shared_ptr<Node> m_node;
};

#endif // TERM_H
