#pragma once
// The parser of filter text into the nodes of a TFilterExpression.

#include "platform/dataset/FilterExpression.h"

class TFilterParser {
public:
    TFilterParser(TFilterExpression& expression, const QString& text);
    void Parse();

private:
    enum class TToken { End, Name, Number, String, Op, LParen, RParen, And, Or, Not };

    void Next();
    int ParseOr(int depth);
    int ParseAnd(int depth);
    int ParseUnary(int depth);
    int ParseComparison();
    TFilterExpression::TOperand ParseOperand();
    void Type(TFilterExpression::TNode& node);
    int Add(TFilterExpression::TNode node);
    [[noreturn]] void Fail(const QString& why) const;

    TFilterExpression& e_;
    const QString& text_;
    qsizetype pos_ = 0;
    qsizetype tokenStart_ = 0;
    TToken token_ = TToken::End;
    QString value_;
};
