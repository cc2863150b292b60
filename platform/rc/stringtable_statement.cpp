// STRINGTABLE [memory options] [LANGUAGE/CHARACTERISTICS/VERSION] BEGIN id [,] "text" ... END
#include "literal.h"
#include "parser.h"

namespace rc {

void ParseStringTable(ScriptParser& p, const Token& keyword) {
  p.SkipMemoryOptions();
  p.SkipOptionalStatements();
  p.ExpectBegin(keyword);
  while (!p.AtBlockEnd(keyword)) {
    const Token& start = *p.Peek();
    if (start.kind == TokenKind::String)
      throw Error(start.where, "expected a string id before the string (adjacent strings are not joined)");
    if (!StartsExpression(start)) throw Error(start.where, "expected a string id, found '" + start.text + "'");
    const Location where = start.where;
    const int64_t id = p.Expression();
    if (id < 0 || id > 0xFFFF) throw Error(where, "string id " + std::to_string(id) + " is out of range 0..65535");
    if (p.Peek() && p.Peek()->IsPunct(",")) p.Next();
    const Token* text = p.Peek();
    if (!text || text->kind != TokenKind::String)
      throw Error(text ? text->where : where, "expected a string after string id " + std::to_string(id));
    p.Strings().Add(static_cast<uint16_t>(id), DecodeTextToUtf16(p.Next()), where);
  }
  p.Next();  // END
}

}  // namespace rc
