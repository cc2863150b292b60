// Integer expressions as C writes them: resource ids such as (IDS_BASE + 1), and the conditions
// of #if. Macros are expanded before; an identifier left over is undefined.
#pragma once

#include <cstdint>
#include <vector>

#include "lexer.h"

namespace rc {

// A read position in a token list.
class TokenCursor {
 public:
  TokenCursor(const std::vector<Token>& tokens, Location end) : tokens_(tokens), end_(std::move(end)) {}
  bool AtEnd() const { return pos_ >= tokens_.size(); }
  const Token* Peek(size_t ahead = 0) const {
    return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
  }
  const Token& Next();  // throws Error at the end
  // Where the next token is, or the end of the input.
  const Location& Here() const { return AtEnd() ? end_ : tokens_[pos_].where; }

 private:
  const std::vector<Token>& tokens_;
  Location end_;
  size_t pos_ = 0;
};

enum class UndefinedSymbols { Refuse, AreZero };

bool StartsExpression(const Token& token);
// Reads the longest expression at the cursor. Undefined identifiers are an error, or 0 as in #if.
int64_t EvaluateExpression(TokenCursor& cursor, UndefinedSymbols undefined);

}  // namespace rc
