// Statement dispatch and what statement parsers share.
#include "parser.h"

#include <algorithm>
#include <cctype>

namespace rc {
namespace {

struct NamelessEntry {
  std::string_view keyword;
  NamelessStatement parse;
};

constexpr NamelessEntry kNamelessStatements[] = {
    {"STRINGTABLE", ParseStringTable},
    {"LANGUAGE", ParseLanguage},
};

struct TypeEntry {
  std::string_view keyword;
  uint16_t typeId;
  ResourceStatement parse;
};

// Predefined types by keyword. The ones whose parser is not written yet are refused by name
// rather than mistaken for user-defined types.
constexpr TypeEntry kResourceTypes[] = {
    {"CURSOR", 12, RefuseNotYetSupported},      {"BITMAP", 2, RefuseNotYetSupported},
    {"ICON", 14, RefuseNotYetSupported},        {"MENU", 4, RefuseNotYetSupported},
    {"MENUEX", 4, RefuseNotYetSupported},       {"DIALOG", 5, RefuseNotYetSupported},
    {"DIALOGEX", 5, RefuseNotYetSupported},     {"FONT", 8, RefuseNotYetSupported},
    {"ACCELERATORS", 9, RefuseNotYetSupported}, {"MESSAGETABLE", 11, RefuseNotYetSupported},
    {"VERSIONINFO", 16, RefuseNotYetSupported}, {"DLGINIT", 240, RefuseNotYetSupported},
    {"TOOLBAR", 241, RefuseNotYetSupported},    {"RCDATA", 10, ParseFileResource},
    {"HTML", 23, ParseFileResource},            {"MANIFEST", 24, ParseFileResource},
};

constexpr std::string_view kMemoryOptions[] = {"PRELOAD", "LOADONCALL", "FIXED",  "MOVEABLE", "DISCARDABLE",
                                               "PURE",    "IMPURE",     "SHARED", "NONSHARED"};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

std::string Describe(const Token& t) { return t.kind == TokenKind::String ? "a string" : "'" + t.text + "'"; }

uint16_t ResourceNumber(int64_t value, const Location& where, const char* what) {
  if (value < 1 || value > 0xFFFF) throw Error(where, std::string(what) + " " + std::to_string(value) + " is out of range 1..65535");
  return static_cast<uint16_t>(value);
}

}  // namespace

ScriptParser::ScriptParser(const PreprocessedScript& script, SourceFiles& files)
    : cursor_(script.tokens, script.end), files_(files) {}

std::vector<Resource> ScriptParser::Run() {
  while (const Token* first = Peek()) {
    const auto nameless = std::find_if(std::begin(kNamelessStatements), std::end(kNamelessStatements),
                                       [&](const NamelessEntry& e) { return first->IsKeyword(e.keyword); });
    if (nameless != std::end(kNamelessStatements)) {
      nameless->parse(*this, Next());
      continue;
    }
    const Location where = first->where;
    const ResourceId name = ParseName();
    if (!Peek()) throw Error(where, "expected a resource type after " + name.Describe());
    const Token& typeToken = Next();
    if (typeToken.kind == TokenKind::Identifier) {
      const auto known = std::find_if(std::begin(kResourceTypes), std::end(kResourceTypes),
                                      [&](const TypeEntry& e) { return typeToken.IsKeyword(e.keyword); });
      if (known != std::end(kResourceTypes)) {
        known->parse(*this, name, ResourceId{known->typeId, {}}, typeToken);
      } else {
        ParseFileResource(*this, name, ResourceId{0, Upper(typeToken.text)}, typeToken);
      }
    } else if (typeToken.kind == TokenKind::Number) {
      ParseFileResource(*this, name, ResourceId{ResourceNumber(typeToken.number, typeToken.where, "resource type"), {}},
                        typeToken);
    } else {
      throw Error(typeToken.where, "expected a resource type after " + name.Describe() + ", found " + Describe(typeToken));
    }
  }
  for (Resource& bundle : strings_.Bundles()) Add(std::move(bundle));
  return std::move(resources_);
}

// A name is an identifier that no #define gave a value (a string name, stored in upper case as
// the platform's compiler stores it), or an integer expression.
ResourceId ScriptParser::ParseName() {
  const Token& first = *Peek();
  if (first.kind == TokenKind::Identifier) return ResourceId{0, Upper(Next().text)};
  if (!StartsExpression(first)) throw Error(first.where, "expected a resource statement, found " + Describe(first));
  const Location where = first.where;
  return ResourceId{ResourceNumber(Expression(), where, "resource id"), {}};
}

void ScriptParser::SkipMemoryOptions() {
  while (Peek() && std::any_of(std::begin(kMemoryOptions), std::end(kMemoryOptions),
                               [&](std::string_view o) { return Peek()->IsKeyword(o); }))
    Next();
}

void ScriptParser::SkipOptionalStatements() {
  while (const Token* t = Peek()) {
    if (t->IsKeyword("LANGUAGE")) {
      Next();
      SkipExpression();
      if (!Peek() || !Peek()->IsPunct(",")) throw Error(cursor_.Here(), "LANGUAGE expects two values");
      Next();
      SkipExpression();
    } else if (t->IsKeyword("CHARACTERISTICS") || t->IsKeyword("VERSION")) {
      Next();
      SkipExpression();
    } else {
      return;
    }
  }
}

void ScriptParser::ExpectBegin(const Token& statement) {
  const Token* t = Peek();
  if (!t || !(t->IsKeyword("BEGIN") || t->IsPunct("{")))
    throw Error(t ? t->where : statement.where, "expected BEGIN after " + Upper(statement.text));
  Next();
}

bool ScriptParser::AtBlockEnd(const Token& statement) {
  const Token* t = Peek();
  if (!t) throw Error(statement.where, Upper(statement.text) + " block is not closed with END");
  return t->IsKeyword("END") || t->IsPunct("}");
}

void ScriptParser::Add(Resource resource) {
  for (const Resource& r : resources_)
    if (r.type == resource.type && r.name == resource.name)
      throw Error(resource.where, "duplicate resource " + resource.name.Describe() + " of type " +
                                      resource.type.Describe() + " (first defined at " + r.where.file + ":" +
                                      std::to_string(r.where.line) + ")");
  resources_.push_back(std::move(resource));
}

void ParseLanguage(ScriptParser& p, const Token& keyword) {
  p.SkipExpression();
  if (!p.Peek() || !p.Peek()->IsPunct(",")) throw Error(keyword.where, "LANGUAGE expects two values");
  p.Next();
  p.SkipExpression();
}

void RefuseNotYetSupported(ScriptParser&, const ResourceId&, const ResourceId&, const Token& typeToken) {
  throw Error(typeToken.where, Upper(typeToken.text) + " resources are not supported yet");
}

}  // namespace rc
