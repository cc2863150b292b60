// The statements of a resource script. Each statement kind has its own parser, found in one of
// two tables: statements that name no resource (STRINGTABLE, LANGUAGE), and resource statements
// `name TYPE ...` keyed by the type keyword. A type that is no keyword is a user-defined type
// (TEMPLATE, REGISTRY, TYPELIB, ...) and takes the generic form `name TYPE "file"`.
#pragma once

#include <string_view>
#include <vector>

#include "expression.h"
#include "preprocessor.h"
#include "script.h"
#include "source_files.h"
#include "string_table.h"

namespace rc {

class ScriptParser {
 public:
  ScriptParser(const PreprocessedScript& script, SourceFiles& files);
  std::vector<Resource> Run();

  // What statement parsers use.
  TokenCursor& Cursor() { return cursor_; }
  const Token& Next() { return cursor_.Next(); }
  const Token* Peek() const { return cursor_.Peek(); }
  // An integer expression of the script; undefined symbols are refused.
  int64_t Expression() { return EvaluateExpression(cursor_, UndefinedSymbols::Refuse); }
  // An expression whose value is not used (LANGUAGE arguments): unknown symbols are fine.
  void SkipExpression() { EvaluateExpression(cursor_, UndefinedSymbols::AreZero); }
  void SkipMemoryOptions();
  // LANGUAGE, CHARACTERISTICS and VERSION before a block's BEGIN; accepted and ignored.
  void SkipOptionalStatements();
  void ExpectBegin(const Token& statement);
  // END or }; `statement` is named when the file ends first.
  bool AtBlockEnd(const Token& statement);
  void Add(Resource resource);
  StringTableBuilder& Strings() { return strings_; }
  SourceFiles& Files() { return files_; }

 private:
  ResourceId ParseName();

  TokenCursor cursor_;
  SourceFiles& files_;
  StringTableBuilder strings_;
  std::vector<Resource> resources_;
};

// Statement parsers (one file each kind).
using NamelessStatement = void (*)(ScriptParser&, const Token& keyword);
using ResourceStatement = void (*)(ScriptParser&, const ResourceId& name, const ResourceId& type, const Token& typeToken);

void ParseStringTable(ScriptParser&, const Token& keyword);
void ParseLanguage(ScriptParser&, const Token& keyword);
void ParseFileResource(ScriptParser&, const ResourceId& name, const ResourceId& type, const Token& typeToken);
void RefuseNotYetSupported(ScriptParser&, const ResourceId& name, const ResourceId& type, const Token& typeToken);

}  // namespace rc
