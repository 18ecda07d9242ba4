#pragma once
// A dataset filter: comparisons (= <> < > <= >=) between fields, integers, decimal numbers
// and quoted strings ('' inside the quotes is one quote), combined with and, or, not and
// parentheses; keywords in any case. A comparison with a NULL field is false. Strings
// compare case-sensitively; a text field compared with a number compares its text read as
// a number, and is false where the text is not one. Text that does not parse, or names a field that does not
// exist, raises EDataSetError quoting the filter.

#include "platform/dataset/FieldDefs.h"
#include "platform/dataset/RecordStore.h"

#include <QByteArray>
#include <QString>
#include <vector>

class TFilterExpression {
public:
    TFilterExpression(const QString& text, const TFieldDefs& defs, int codePage);
    bool Matches(TRecordStore& store, int id) const;

    enum class TOp { Eq, Ne, Lt, Gt, Le, Ge };
    enum class TKind { Int, Number, Text };
    struct TOperand {
        int Field = -1; // -1: a literal
        TKind Kind = TKind::Int;
        std::int64_t Int = 0;
        double Number = 0;
        QString Text;
        QByteArray Bytes;       // the literal in the code page, for comparing ANSI fields
        bool BytesExact = false; // the literal survives the code page unchanged
        bool TextAsNumber = false; // a text field compared with a number: its text read as one
    };
    struct TNode {
        enum { And, Or, Not, Compare } Type = Compare;
        std::vector<int> Children; // of And and Or: a flat list, so chains need no recursion
        int Operand = -1;          // of Not
        TOp Op = TOp::Eq;
        TOperand A, B;
        TKind Kind = TKind::Int; // how the two sides are compared
    };

private:
    bool Eval(int node, TRecordStore& store, int id) const;
    bool Compare(const TNode& n, TRecordStore& store, int id) const;
    bool NumberOf(const TOperand& o, TRecordStore& store, int id, double& value) const;

    const TFieldDefs& defs_;
    int codePage_;
    std::vector<TNode> nodes_;
    int root_ = -1;

    friend class TFilterParser;
};
