// The generated source: one aligned byte array per resource (8-byte aligned, so callers may read
// WORDs and DWORDs in place as they do on the platform), the table, and the registration object.
#include <cstdio>
#include <sstream>

#include "compiler.h"

namespace rc {
namespace {

std::string CppString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    }
  }
  return out + "\"";
}

void EmitId(std::ostringstream& out, const ResourceId& id) {
  if (id.IsNumber())
    out << id.number << ", nullptr";
  else
    out << "0, " << CppString(id.name);
}

}  // namespace

std::string GenerateCpp(const CompiledScript& script, const std::string& scriptName) {
  std::ostringstream out;
  out << "// Resources of " << scriptName << ", compiled by llvm-rc and rc. Do not edit.\n"
      << "#include \"standin_resources.h\"\n\nnamespace {\n\n";
  for (size_t i = 0; i < script.resources.size(); ++i) {
    const Resource& r = script.resources[i];
    out << "// type " << r.type.Describe() << ", name " << r.name.Describe() << "\n"
        << "alignas(8) const unsigned char kData" << i << "[] = {";
    for (size_t b = 0; b < r.data.size(); ++b) {
      if (b % 16 == 0) out << "\n   ";
      out << ' ' << static_cast<unsigned>(r.data[b]) << ',';
    }
    if (r.data.empty()) out << "0";  // an array cannot be empty; the size below stays 0
    out << "\n};\n\n";
  }
  out << "const StandinResource kResources[] = {\n";
  for (size_t i = 0; i < script.resources.size(); ++i) {
    const Resource& r = script.resources[i];
    out << "    {";
    EmitId(out, r.type);
    out << ", ";
    EmitId(out, r.name);
    out << ", kData" << i << ", " << r.data.size() << "},\n";
  }
  if (script.resources.empty()) out << "    {0, nullptr, 0, nullptr, nullptr, 0},\n";
  out << "};\n\n"
      // Registered before the module's other static objects are made and unregistered after they
      // are gone, as a module's resources are there for its whole life on the platform (a static
      // object may load a bitmap in its constructor).
      << "struct Registration {\n"
      << "  Registration() { StandinRegisterResources(kResources, kResources, " << script.resources.size() << "); }\n"
      << "  ~Registration() { StandinUnregisterResources(kResources, kResources); }\n"
      << "};\n"
      << "Registration registration __attribute__((init_priority(101)));\n\n"
      << "}  // namespace\n";
  return out.str();
}

}  // namespace rc
