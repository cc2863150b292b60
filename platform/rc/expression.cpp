// Precedence climbing over C's binary operators, with unary - + ~ ! and parentheses.
#include "expression.h"

#include <string_view>

namespace rc {

const Token& TokenCursor::Next() {
  if (AtEnd()) throw Error(end_, "unexpected end of file");
  return tokens_[pos_++];
}

namespace {

struct BinaryOp {
  std::string_view op;
  int precedence;
};

constexpr BinaryOp kBinaryOps[] = {
    {"||", 1}, {"&&", 2}, {"|", 3},  {"^", 4},  {"&", 5},  {"==", 6}, {"!=", 6}, {"<", 7},  {">", 7},
    {"<=", 7}, {">=", 7}, {"<<", 8}, {">>", 8}, {"+", 9},  {"-", 9},  {"*", 10}, {"/", 10}, {"%", 10},
};

int PrecedenceOf(const Token* t) {
  if (!t || t->kind != TokenKind::Punct) return 0;
  for (const auto& b : kBinaryOps)
    if (t->text == b.op) return b.precedence;
  return 0;
}

class Evaluator {
 public:
  Evaluator(TokenCursor& cursor, UndefinedSymbols undefined) : c_(cursor), undefined_(undefined) {}

  int64_t Expression(int minPrecedence = 1) {
    int64_t left = Unary();
    while (true) {
      const Token* op = c_.Peek();
      const int precedence = PrecedenceOf(op);
      if (precedence < minPrecedence || precedence == 0) return left;
      const Token opToken = c_.Next();
      const int64_t right = Expression(precedence + 1);
      left = Apply(opToken, left, right);
    }
  }

 private:
  int64_t Unary() {
    const Token* t = c_.Peek();
    if (!t) throw Error(c_.Here(), "expected an expression");
    if (t->kind == TokenKind::Punct && (t->text == "-" || t->text == "+" || t->text == "~" || t->text == "!")) {
      const std::string op = c_.Next().text;
      const int64_t v = Unary();
      int64_t negated = 0;
      if (op == "-" && __builtin_sub_overflow(int64_t{0}, v, &negated)) throw Error(c_.Here(), "arithmetic overflow");
      return op == "-" ? negated : op == "+" ? v : op == "~" ? ~v : !v;
    }
    return Primary();
  }

  int64_t Primary() {
    const Token& t = c_.Next();
    switch (t.kind) {
      case TokenKind::Number:
        return t.number;
      case TokenKind::Identifier:
        if (undefined_ == UndefinedSymbols::AreZero) return 0;
        throw Error(t.where, "undefined symbol " + t.text);
      case TokenKind::Punct:
        if (t.text == "(") {
          const int64_t v = Expression();
          const Token* close = c_.Peek();
          if (!close || !close->IsPunct(")")) throw Error(c_.Here(), "expected ')'");
          c_.Next();
          return v;
        }
        [[fallthrough]];
      default:
        throw Error(t.where, "expected an expression, found " + Describe(t));
    }
  }

  static std::string Describe(const Token& t) {
    return t.kind == TokenKind::String ? "a string" : "'" + t.text + "'";
  }

  static int64_t Apply(const Token& op, int64_t a, int64_t b) {
    const std::string_view o = op.text;
    if ((o == "/" || o == "%") && b == 0) throw Error(op.where, "division by zero");
    if (o == "||") return a || b;
    if (o == "&&") return a && b;
    if (o == "|") return a | b;
    if (o == "^") return a ^ b;
    if (o == "&") return a & b;
    if (o == "==") return a == b;
    if (o == "!=") return a != b;
    if (o == "<") return a < b;
    if (o == ">") return a > b;
    if (o == "<=") return a <= b;
    if (o == ">=") return a >= b;
    if (o == "<<" || o == ">>") {
      if (b < 0 || b > 62) throw Error(op.where, "shift count out of range");
      return o == "<<" ? a << b : a >> b;
    }
    int64_t r = 0;
    bool overflow = false;
    if (o == "+") overflow = __builtin_add_overflow(a, b, &r);
    else if (o == "-") overflow = __builtin_sub_overflow(a, b, &r);
    else if (o == "*") overflow = __builtin_mul_overflow(a, b, &r);
    else if (b == -1) overflow = __builtin_sub_overflow(int64_t{0}, o == "/" ? a : 0, &r);
    else r = o == "/" ? a / b : a % b;
    if (overflow) throw Error(op.where, "arithmetic overflow");
    return r;
  }

  TokenCursor& c_;
  UndefinedSymbols undefined_;
};

}  // namespace

bool StartsExpression(const Token& t) {
  return t.kind == TokenKind::Number || t.kind == TokenKind::Identifier ||
         (t.kind == TokenKind::Punct && (t.text == "(" || t.text == "-" || t.text == "+" || t.text == "~" || t.text == "!"));
}

int64_t EvaluateExpression(TokenCursor& cursor, UndefinedSymbols undefined) {
  return Evaluator(cursor, undefined).Expression();
}

}  // namespace rc
