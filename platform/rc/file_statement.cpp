// name TYPE [memory options] "file": the file's bytes become the resource, unchanged. This is
// the form of user-defined types (TEMPLATE, REGISTRY, TYPELIB, ...) and of RCDATA/HTML files.
#include "literal.h"
#include "parser.h"

namespace rc {

void ParseFileResource(ScriptParser& p, const ResourceId& name, const ResourceId& type, const Token& typeToken) {
  p.SkipMemoryOptions();
  const Token* t = p.Peek();
  if (t && (t->IsKeyword("BEGIN") || t->IsPunct("{")))
    throw Error(t->where, "inline data for " + type.Describe() + " resources is not supported yet; name a file");
  if (!t || t->kind != TokenKind::String)
    throw Error(t ? t->where : typeToken.where, "expected a file name for resource " + name.Describe());
  const Token& literal = p.Next();
  const std::string fileName = DecodeFileName(literal);
  std::optional<OpenedFile> file = p.Files().Open(fileName, literal.where.file, /*besideFirst=*/true);
  if (!file) throw Error(literal.where, "cannot open file '" + fileName + "' for resource " + name.Describe());
  Resource r;
  r.type = type;
  r.name = name;
  r.data.assign(file->bytes.begin(), file->bytes.end());
  r.where = typeToken.where;
  p.Add(std::move(r));
}

}  // namespace rc
