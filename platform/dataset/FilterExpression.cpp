#include "platform/dataset/FilterExpression.h"

#include "platform/dataset/FieldValue.h"
#include "platform/dataset/FilterParser.h"

namespace {

template <class T>
bool Holds(TFilterExpression::TOp op, const T& a, const T& b)
{
    switch (op) {
    case TFilterExpression::TOp::Eq: return a == b;
    case TFilterExpression::TOp::Ne: return a != b;
    case TFilterExpression::TOp::Lt: return a < b;
    case TFilterExpression::TOp::Gt: return a > b;
    case TFilterExpression::TOp::Le: return a <= b;
    case TFilterExpression::TOp::Ge: return a >= b;
    }
    return false;
}

} // namespace

TFilterExpression::TFilterExpression(const QString& text, const TFieldDefs& defs, int codePage)
    : defs_(defs), codePage_(codePage)
{
    TFilterParser(*this, text).Parse();
}

bool TFilterExpression::Matches(TRecordStore& store, int id) const
{
    return Eval(root_, store, id);
}

bool TFilterExpression::Eval(int node, TRecordStore& store, int id) const
{
    const TNode& n = nodes_[static_cast<std::size_t>(node)];
    switch (n.Type) {
    case TNode::And:
        for (int child : n.Children)
            if (!Eval(child, store, id))
                return false;
        return true;
    case TNode::Or:
        for (int child : n.Children)
            if (Eval(child, store, id))
                return true;
        return false;
    case TNode::Not: return !Eval(n.Operand, store, id);
    case TNode::Compare: return Compare(n, store, id);
    }
    return false;
}

// The number a field operand holds; false for text that is not a number.
bool TFilterExpression::NumberOf(const TOperand& o, TRecordStore& store, int id, double& value) const
{
    const TFieldValue field{store, defs_[o.Field], id, o.Field, codePage_};
    if (!o.TextAsNumber) {
        value = field.AsNumber();
        return true;
    }
    bool ok = false;
    value = field.AsText().trimmed().toDouble(&ok);
    return ok;
}

bool TFilterExpression::Compare(const TNode& n, TRecordStore& store, int id) const
{
    const auto field = [&](const TOperand& o) { return TFieldValue{store, defs_[o.Field], id, o.Field, codePage_}; };
    if ((n.A.Field >= 0 && store.IsNull(id, n.A.Field)) || (n.B.Field >= 0 && store.IsNull(id, n.B.Field)))
        return false;
    switch (n.Kind) {
    case TKind::Int: {
        const std::int64_t a = n.A.Field >= 0 ? field(n.A).AsLargeInt() : n.A.Int;
        const std::int64_t b = n.B.Field >= 0 ? field(n.B).AsLargeInt() : n.B.Int;
        return Holds(n.Op, a, b);
    }
    case TKind::Number: {
        double a = n.A.Number, b = n.B.Number;
        if ((n.A.Field >= 0 && !NumberOf(n.A, store, id, a)) || (n.B.Field >= 0 && !NumberOf(n.B, store, id, b)))
            return false;
        return Holds(n.Op, a, b);
    }
    case TKind::Text:
        break;
    }
    // Equality of an ANSI field with a literal compares the stored bytes directly.
    const bool eq = n.Op == TOp::Eq || n.Op == TOp::Ne;
    if (eq && n.A.Field >= 0 && n.B.Field < 0 && n.B.BytesExact
        && defs_[n.A.Field].Codec == TValueCodec::AnsiString)
        return (store.Bytes(id, n.A.Field) == n.B.Bytes) == (n.Op == TOp::Eq);
    if (eq && n.B.Field >= 0 && n.A.Field < 0 && n.A.BytesExact
        && defs_[n.B.Field].Codec == TValueCodec::AnsiString)
        return (store.Bytes(id, n.B.Field) == n.A.Bytes) == (n.Op == TOp::Eq);
    const QString a = n.A.Field >= 0 ? field(n.A).AsText() : n.A.Text;
    const QString b = n.B.Field >= 0 ? field(n.B).AsText() : n.B.Text;
    return Holds(n.Op, a.compare(b), 0);
}
