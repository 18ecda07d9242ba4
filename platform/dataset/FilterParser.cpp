#include "platform/dataset/FilterParser.h"

#include "platform/dataset/DataSetError.h"
#include "platform/text/Ansi.h"

namespace {

using TKind = TFilterExpression::TKind;
using TNode = TFilterExpression::TNode;
using TOperand = TFilterExpression::TOperand;

constexpr int MaxDepth = 200;

bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

} // namespace

TFilterParser::TFilterParser(TFilterExpression& expression, const QString& text)
    : e_(expression), text_(text) {}

void TFilterParser::Fail(const QString& why) const
{
    throw EDataSetError(QStringLiteral("Invalid filter \"%1\": %2 at position %3").arg(text_, why).arg(tokenStart_ + 1));
}

void TFilterParser::Parse()
{
    Next();
    e_.root_ = ParseOr(0);
    if (token_ != TToken::End)
        Fail(QStringLiteral("unexpected '%1'").arg(value_));
}

void TFilterParser::Next()
{
    while (pos_ < text_.size() && text_[pos_].isSpace())
        ++pos_;
    tokenStart_ = pos_;
    value_.clear();
    if (pos_ >= text_.size()) {
        token_ = TToken::End;
        return;
    }
    const QChar c = text_[pos_];
    if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
        token_ = c == QLatin1Char('(') ? TToken::LParen : TToken::RParen;
        value_ = c;
        ++pos_;
    } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
        token_ = TToken::Op;
        value_ = c;
        ++pos_;
        if (pos_ < text_.size() && c != QLatin1Char('=')
            && (text_[pos_] == QLatin1Char('=') || (c == QLatin1Char('<') && text_[pos_] == QLatin1Char('>'))))
            value_ += text_[pos_++];
    } else if (c == QLatin1Char('\'')) {
        token_ = TToken::String;
        for (++pos_;; ++pos_) {
            if (pos_ >= text_.size())
                Fail(QStringLiteral("unterminated string"));
            if (text_[pos_] == QLatin1Char('\'')) {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == QLatin1Char('\'')) {
                    value_ += QLatin1Char('\'');
                    ++pos_;
                    continue;
                }
                ++pos_;
                break;
            }
            value_ += text_[pos_];
        }
    } else if (c == QLatin1Char('[')) {
        token_ = TToken::Name;
        const qsizetype end = text_.indexOf(QLatin1Char(']'), pos_);
        if (end < 0)
            Fail(QStringLiteral("unterminated field name"));
        value_ = text_.mid(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
    } else if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')) {
        token_ = TToken::Number;
        value_ = c;
        for (++pos_; pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == QLatin1Char('.')); ++pos_)
            value_ += text_[pos_];
    } else if (IsNameChar(c)) {
        while (pos_ < text_.size() && IsNameChar(text_[pos_]))
            value_ += text_[pos_++];
        const auto is = [&](const char* k) { return value_.compare(QLatin1String(k), Qt::CaseInsensitive) == 0; };
        token_ = is("and") ? TToken::And : is("or") ? TToken::Or : is("not") ? TToken::Not : TToken::Name;
    } else {
        Fail(QStringLiteral("unexpected character '%1'").arg(c));
    }
}

int TFilterParser::Add(TNode node)
{
    e_.nodes_.push_back(std::move(node));
    return static_cast<int>(e_.nodes_.size()) - 1;
}

int TFilterParser::ParseOr(int depth)
{
    const int first = ParseAnd(depth);
    if (token_ != TToken::Or)
        return first;
    TNode n;
    n.Type = TNode::Or;
    n.Children.push_back(first);
    while (token_ == TToken::Or) {
        Next();
        n.Children.push_back(ParseAnd(depth));
    }
    return Add(std::move(n));
}

int TFilterParser::ParseAnd(int depth)
{
    const int first = ParseUnary(depth);
    if (token_ != TToken::And)
        return first;
    TNode n;
    n.Type = TNode::And;
    n.Children.push_back(first);
    while (token_ == TToken::And) {
        Next();
        n.Children.push_back(ParseUnary(depth));
    }
    return Add(std::move(n));
}

int TFilterParser::ParseUnary(int depth)
{
    if (depth > MaxDepth)
        Fail(QStringLiteral("nested too deeply"));
    if (token_ == TToken::Not) {
        Next();
        TNode n;
        n.Type = TNode::Not;
        n.Operand = ParseUnary(depth + 1);
        return Add(std::move(n));
    }
    if (token_ == TToken::LParen) {
        Next();
        const int inner = ParseOr(depth + 1);
        if (token_ != TToken::RParen)
            Fail(token_ == TToken::End ? QStringLiteral("missing ')'") : QStringLiteral("expected ')'"));
        Next();
        return inner;
    }
    return ParseComparison();
}

int TFilterParser::ParseComparison()
{
    TNode n;
    n.A = ParseOperand();
    if (token_ != TToken::Op)
        Fail(token_ == TToken::End ? QStringLiteral("missing comparison") : QStringLiteral("expected a comparison"));
    const QString op = value_;
    n.Op = op == QLatin1String("=") ? TFilterExpression::TOp::Eq
         : op == QLatin1String("<>") ? TFilterExpression::TOp::Ne
         : op == QLatin1String("<") ? TFilterExpression::TOp::Lt
         : op == QLatin1String(">") ? TFilterExpression::TOp::Gt
         : op == QLatin1String("<=") ? TFilterExpression::TOp::Le
                                     : TFilterExpression::TOp::Ge;
    Next();
    n.B = ParseOperand();
    Type(n);
    return Add(std::move(n));
}

TOperand TFilterParser::ParseOperand()
{
    TOperand o;
    switch (token_) {
    case TToken::Name: {
        o.Field = e_.defs_.IndexOf(value_);
        if (o.Field < 0)
            Fail(QStringLiteral("unknown field '%1'").arg(value_));
        const TFieldDef& def = e_.defs_[o.Field];
        switch (def.Codec) {
        case TValueCodec::SignedInt:
        case TValueCodec::UnsignedInt:
        case TValueCodec::Boolean: o.Kind = TKind::Int; break;
        case TValueCodec::AnsiString:
        case TValueCodec::WideString: o.Kind = TKind::Text; break;
        case TValueCodec::Blob:
            if (def.DataType == ftMemo || def.DataType == ftFmtMemo || def.DataType == ftWideMemo) {
                o.Kind = TKind::Text;
                break;
            }
            Fail(QStringLiteral("field '%1' cannot be compared").arg(value_));
        case TValueCodec::FixedBytes:
        case TValueCodec::VarBytes: Fail(QStringLiteral("field '%1' cannot be compared").arg(value_));
        default: o.Kind = TKind::Number; break;
        }
        break;
    }
    case TToken::Number: {
        bool ok = false;
        if (!value_.contains(QLatin1Char('.'))) {
            o.Int = value_.toLongLong(&ok);
            o.Kind = TKind::Int;
        }
        if (!ok) {
            o.Number = value_.toDouble(&ok);
            o.Kind = TKind::Number;
        }
        if (!ok)
            Fail(QStringLiteral("invalid number '%1'").arg(value_));
        o.Number = o.Kind == TKind::Int ? static_cast<double>(o.Int) : o.Number;
        break;
    }
    case TToken::String:
        o.Kind = TKind::Text;
        o.Text = value_;
        o.Bytes = EncodeAnsi(value_, e_.codePage_);
        o.BytesExact = DecodeAnsi(o.Bytes, e_.codePage_) == value_;
        break;
    case TToken::End: Fail(QStringLiteral("missing operand"));
    default: Fail(QStringLiteral("unexpected '%1'").arg(value_));
    }
    Next();
    return o;
}

// Decides how the two sides compare; a quoted number next to a numeric field is a number.
void TFilterParser::Type(TNode& n)
{
    const auto toNumber = [&](TOperand& literal) {
        bool ok = false;
        literal.Int = literal.Text.trimmed().toLongLong(&ok);
        literal.Kind = TKind::Int;
        if (!ok) {
            literal.Number = literal.Text.trimmed().toDouble(&ok);
            literal.Kind = TKind::Number;
        } else {
            literal.Number = static_cast<double>(literal.Int);
        }
        if (!ok)
            Fail(QStringLiteral("'%1' is not a number").arg(literal.Text));
    };
    const bool textA = n.A.Kind == TKind::Text, textB = n.B.Kind == TKind::Text;
    if (textA != textB) {
        TOperand& text = textA ? n.A : n.B;
        if (text.Field >= 0) {
            text.TextAsNumber = true;
            text.Kind = TKind::Number;
        } else {
            toNumber(text);
        }
    }
    if (n.A.Kind == TKind::Text)
        n.Kind = TKind::Text;
    else if (n.A.Kind == TKind::Int && n.B.Kind == TKind::Int)
        n.Kind = TKind::Int;
    else
        n.Kind = TKind::Number;
}
