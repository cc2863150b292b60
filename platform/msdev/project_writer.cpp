// The New Project dialog's project and workspace files (project_writer.h).
#include "project_writer.h"

#include <windows.h>

#include <algorithm>
#include <map>

namespace msdev {
namespace {

using mfcapwz::ProjectKind;

const char kEol[] = "\r\n";

bool SameText(const std::string& a, const std::string& b) { return lstrcmpi(a.c_str(), b.c_str()) == 0; }

// Options that take the next word as their argument ("/D "NDEBUG"", "/l 0x409").
bool TakesArgument(const std::string& option) {
  static const char* const kOptions[] = {"/D", "/U", "/I", "/FI", "/d", "/i", "/l", "/u", "/x"};
  for (const char* o : kOptions)
    if (option == o) return true;
  return false;
}

// A settings text as its options: words split at blanks outside double quotes, an option that
// takes an argument kept with it.
std::vector<std::string> Options(const std::string& settings) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  for (char c : settings) {
    if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (!word.empty()) words.push_back(word);
      word.clear();
      continue;
    }
    if (c == '"') quoted = !quoted;
    word.push_back(c);
  }
  if (!word.empty()) words.push_back(word);
  std::vector<std::string> options;
  for (size_t i = 0; i < words.size(); ++i) {
    if (TakesArgument(words[i]) && i + 1 < words.size()) {
      options.push_back(words[i] + " " + words[i + 1]);
      ++i;
    } else {
      options.push_back(words[i]);
    }
  }
  return options;
}

std::string Join(const std::vector<std::string>& options) {
  std::string text;
  for (const std::string& o : options) text += (text.empty() ? "" : " ") + o;
  return text;
}

// One tool's lines in a configuration: "# ADD BASE <key> ..." and "# ADD <key> ...".
struct Tool {
  std::string key;      // CPP, MTL, RSC, BSC32, LINK32, LIB32
  std::string program;  // the tool's program as the automation names it
  std::string assign;   // the "KEY=program" line written before its lines inside the block, or ""
  std::vector<std::string> base;
  std::vector<std::string> add;
};

struct Configuration {
  std::string name;  // "<name> - Win32 Release"
  bool debug = false;
  int useMfc = 0;
  std::vector<Tool> tools;
  std::vector<std::string> buildSteps;  // rendered blocks
};

std::string Defines(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += " /D \"" + n + "\"";
  return text;
}

const char kWin32Libraries[] =
    "kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib shell32.lib ole32.lib oleaut32.lib "
    "uuid.lib odbc32.lib odbccp32.lib";

const char* TargetType(ProjectKind kind) {
  switch (kind) {
    case ProjectKind::kApplication:
      return "\"Win32 (x86) Application\" 0x0101";
    case ProjectKind::kDynamicLibrary:
    case ProjectKind::kMfcDll:
      return "\"Win32 (x86) Dynamic-Link Library\" 0x0102";
    case ProjectKind::kConsole:
      return "\"Win32 (x86) Console Application\" 0x0103";
    case ProjectKind::kStaticLibrary:
      return "\"Win32 (x86) Static Library\" 0x0104";
  }
  return "";
}

const char* TargetExtension(ProjectKind kind) {
  switch (kind) {
    case ProjectKind::kDynamicLibrary:
    case ProjectKind::kMfcDll:
      return "dll";
    case ProjectKind::kStaticLibrary:
      return "lib";
    default:
      return "exe";
  }
}

// The settings the IDE gives a new project of the kind, per configuration.
Configuration MakeConfiguration(const NewProjectSpec& p, bool debug) {
  Configuration c;
  c.debug = debug;
  c.name = p.name + (debug ? " - Win32 Debug" : " - Win32 Release");
  const std::string ndebug = debug ? "_DEBUG" : "NDEBUG";
  const std::string compile = debug ? "/nologo /W3 /Gm /GX /ZI /Od" : "/nologo /W3 /GX /O2";
  const std::string compileTail = debug ? " /FD /GZ /c" : " /FD /c";
  const std::string linkTail = debug ? " /debug /machine:I386 /pdbtype:sept" : " /machine:I386";
  const std::string mtl = "/nologo /D \"" + ndebug + "\" /mktyplib203 /win32";
  auto tool = [](std::string key, std::string program, std::string assign, const std::string& base,
                 const std::string& add) {
    return Tool{std::move(key), std::move(program), std::move(assign), Options(base), Options(add)};
  };
  switch (p.kind) {
    case ProjectKind::kMfcDll: {
      c.useMfc = 6;
      const std::string runtime = debug ? " /MDd" : " /MD";
      const std::string cppBase = (debug ? "/nologo" + runtime + " /W3 /Gm /GX /ZI /Od" : "/nologo" + runtime + " /W3 /GX /O2") +
                                  Defines({"WIN32", ndebug, "_WINDOWS", "_WINDLL", "_AFXDLL"});
      const std::string kind = p.mfcExtension ? "_AFXEXT" : "_USRDLL";
      const std::string pch = " /Yu\"stdafx.h\"";
      c.tools.push_back(tool("CPP", "cl.exe", "", cppBase + pch + compileTail, cppBase + Defines({kind}) + pch + compileTail));
      c.tools.push_back(tool("MTL", "midl.exe", "", mtl, mtl));
      const std::string rsc = "/l 0x409 /d \"" + ndebug + "\" /d \"_AFXDLL\"";
      c.tools.push_back(tool("RSC", "rc.exe", "", rsc, rsc));
      c.tools.push_back(tool("BSC32", "bscmake.exe", "BSC32=bscmake.exe", "/nologo", "/nologo"));
      const std::string link = std::string("/nologo /subsystem:windows /dll") + linkTail;
      c.tools.push_back(tool("LINK32", "link.exe", "LINK32=link.exe", link, link));
      break;
    }
    case ProjectKind::kApplication:
    case ProjectKind::kDynamicLibrary:
    case ProjectKind::kConsole: {
      std::vector<std::string> defines = {"WIN32", ndebug,
                                          p.kind == ProjectKind::kConsole ? "_CONSOLE" : "_WINDOWS", "_MBCS"};
      std::string runtime;
      if (p.kind == ProjectKind::kDynamicLibrary) {
        defines.push_back("_USRDLL");
        defines.push_back(p.safeName + "_EXPORTS");
        runtime = debug ? " /MTd" : " /MT";
      }
      const std::string cpp = "/nologo" + runtime + compile.substr(7) + Defines(defines) + " /YX" + compileTail;
      c.tools.push_back(tool("CPP", "cl.exe", "", cpp, cpp));
      if (p.kind != ProjectKind::kConsole) c.tools.push_back(tool("MTL", "midl.exe", "", mtl, mtl));
      const std::string rsc = "/l 0x409 /d \"" + ndebug + "\"";
      c.tools.push_back(tool("RSC", "rc.exe", "", rsc, rsc));
      c.tools.push_back(tool("BSC32", "bscmake.exe", "BSC32=bscmake.exe", "/nologo", "/nologo"));
      const char* subsystem = p.kind == ProjectKind::kConsole ? " /nologo /subsystem:console"
                              : p.kind == ProjectKind::kDynamicLibrary ? " /nologo /dll"
                                                                        : " /nologo /subsystem:windows";
      const std::string link = kWin32Libraries + std::string(subsystem) + linkTail;
      c.tools.push_back(tool("LINK32", "link.exe", "LINK32=link.exe", link, link));
      break;
    }
    case ProjectKind::kStaticLibrary: {
      const std::string cpp = compile + Defines({"WIN32", ndebug, "_MBCS", "_LIB"}) + " /YX" + compileTail;
      c.tools.push_back(tool("CPP", "cl.exe", "", cpp, cpp));
      const std::string rsc = "/l 0x409 /d \"" + ndebug + "\"";
      c.tools.push_back(tool("RSC", "rc.exe", "", rsc, rsc));
      c.tools.push_back(tool("BSC32", "bscmake.exe", "BSC32=bscmake.exe", "/nologo", "/nologo"));
      c.tools.push_back(tool("LIB32", "lib.exe", "LIB32=link.exe -lib", "/nologo", "/nologo"));
      break;
    }
  }
  return c;
}

Tool* FindTool(Configuration& c, const std::string& program) {
  std::string wanted = program;
  if (SameText(wanted, "mktyplib.exe")) wanted = "midl.exe";
  for (Tool& t : c.tools)
    if (SameText(t.program, wanted)) return &t;
  return nullptr;
}

void AddOptions(std::vector<std::string>& line, const std::string& settings) {
  for (const std::string& option : Options(settings))
    if (std::find(line.begin(), line.end(), option) == line.end()) line.push_back(option);
}

void RemoveOptions(std::vector<std::string>& line, const std::string& settings) {
  for (const std::string& option : Options(settings)) line.erase(std::remove(line.begin(), line.end(), option), line.end());
}

std::string CustomBuild(const std::vector<std::string>& preamble, const std::string& command, const std::string& output,
                        const std::string& description) {
  std::string text = "# Begin Custom Build";
  if (!description.empty()) text += " - " + description;
  text += kEol;
  for (const std::string& line : preamble) text += line + kEol;
  text += std::string(kEol) + "\"" + output + "\" : $(SOURCE) \"$(INTDIR)\" \"$(OUTDIR)\"" + kEol;
  text += "\t" + command + kEol;
  text += std::string(kEol) + "# End Custom Build" + kEol;
  return text;
}

// A project file: where it is written (".\name" inside the folder, else as given) and its group.
struct ProjectFile {
  std::string source;
  std::string fullPath;
  int group;  // 0 source, 1 header, 2 resource, 3 none
  // Per configuration: its settings lines and custom build blocks.
  std::map<size_t, std::vector<std::string>> lines;
};

int GroupOf(const std::string& path, bool resource) {
  if (resource) return 2;
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('\\');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 3;
  const std::string ext = path.substr(dot + 1);
  static const char* const kGroups[3] = {"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat", "h;hpp;hxx;hm;inl",
                                         "ico;cur;bmp;dlg;rc2;rct;bin;rgs;gif;jpg;jpeg;jpe"};
  for (int g = 0; g < 3; ++g) {
    const std::string list = kGroups[g];
    for (size_t at = 0; at <= list.size();) {
      const size_t end = std::min(list.find(';', at), list.size());
      if (SameText(list.substr(at, end - at), ext)) return g;
      at = end + 1;
    }
  }
  return 3;
}

std::string Relative(const std::string& folder, const std::string& path) {
  const std::string prefix = folder + "\\";
  if (path.size() > prefix.size() && SameText(path.substr(0, prefix.size()), prefix))
    return ".\\" + path.substr(prefix.size());
  return path;
}

}  // namespace

std::vector<std::string> NewProjectConfigurations(const std::string& name) {
  return {name + " - Win32 Release", name + " - Win32 Debug"};
}

std::string ProjectFileText(const NewProjectSpec& p) {
  std::vector<Configuration> configurations = {MakeConfiguration(p, false), MakeConfiguration(p, true)};

  // The files: generated ones, then added ones, each once.
  std::vector<ProjectFile> files;
  auto addFile = [&](const std::string& given, bool resource) {
    const bool absolute = given.size() > 1 && (given[1] == ':' || given[0] == '\\');
    const std::string full = absolute ? given : p.folder + "\\" + given;
    for (const ProjectFile& f : files)
      if (SameText(f.fullPath, full)) return;
    files.push_back({Relative(p.folder, full), full, GroupOf(full, resource), {}});
  };
  for (const NewProjectSpec::File& f : p.files) addFile(f.path, f.resource);
  for (const std::string& f : p.addedFiles) addFile(f, false);
  auto findFile = [&](const std::string& given) -> ProjectFile* {
    const bool absolute = given.size() > 1 && (given[1] == ':' || given[0] == '\\');
    const std::string full = absolute ? given : p.folder + "\\" + (given.rfind(".\\", 0) == 0 ? given.substr(2) : given);
    for (ProjectFile& f : files)
      if (SameText(f.fullPath, full)) return &f;
    return nullptr;
  };

  for (const sandbox::msdev::SettingChange& change : p.changes) {
    size_t index = configurations.size();
    for (size_t i = 0; i < configurations.size(); ++i)
      if (configurations[i].name == change.configuration) index = i;
    if (index == configurations.size()) continue;
    Configuration& c = configurations[index];
    const auto& a = change.arguments;
    if (change.method == "AddToolSettings" || change.method == "RemoveToolSettings") {
      if (a.size() < 2) continue;
      Tool* tool = FindTool(c, a[0]);
      if (tool == nullptr) continue;
      if (change.method == "AddToolSettings") AddOptions(tool->add, a[1]);
      else RemoveOptions(tool->add, a[1]);
    } else if (change.method == "AddCustomBuildStep") {
      if (a.size() < 3) continue;
      const std::string outDir = c.debug ? "Debug" : "Release";
      const std::string targetPath = ".\\" + outDir + "\\" + p.name + "." + TargetExtension(p.kind);
      c.buildSteps.push_back(CustomBuild({"TargetPath=" + targetPath, "TargetName=" + p.name,
                                          "InputPath=" + targetPath, "SOURCE=\"$(InputPath)\""},
                                         a[0], a[1], a[2]));
    } else if (change.method == "AddCustomBuildStepToFile") {
      if (a.size() < 4) continue;
      ProjectFile* file = findFile(a[0]);
      if (file == nullptr) continue;
      file->lines[index].push_back(CustomBuild({"InputPath=" + file->source}, a[1], a[2], a[3]));
    } else if (change.method == "AddFileSettings" || change.method == "RemoveFileSettings") {
      if (a.size() < 2) continue;
      ProjectFile* file = findFile(a[0]);
      if (file == nullptr) continue;
      file->lines[index].push_back((change.method == "AddFileSettings" ? "# ADD CPP " : "# SUBTRACT CPP ") +
                                   Join(Options(a[1])) + kEol);
    }
  }

  std::string text;
  auto line = [&](const std::string& l) { text += l + kEol; };
  const std::string& name = p.name;
  line("# Microsoft Developer Studio Project File - Name=\"" + name + "\" - Package Owner=<4>");
  line("# Microsoft Developer Studio Generated Build File, Format Version 6.00");
  line("# ** DO NOT EDIT **");
  line("");
  line(std::string("# TARGTYPE ") + TargetType(p.kind));
  line("");
  line("CFG=" + configurations.back().name);
  line("!MESSAGE This is not a valid makefile. To build this project using NMAKE,");
  line("!MESSAGE use the Export Makefile command and run");
  line("!MESSAGE ");
  line("!MESSAGE NMAKE /f \"" + name + ".mak\".");
  line("!MESSAGE ");
  line("!MESSAGE You can specify a configuration when running NMAKE");
  line("!MESSAGE by defining the macro CFG on the command line. For example:");
  line("!MESSAGE ");
  line("!MESSAGE NMAKE /f \"" + name + ".mak\" CFG=\"" + configurations.back().name + "\"");
  line("!MESSAGE ");
  line("!MESSAGE Possible choices for configuration are:");
  line("!MESSAGE ");
  const std::string kindName = std::string(TargetType(p.kind)).substr(0, std::string(TargetType(p.kind)).rfind(' '));
  for (const Configuration& c : configurations) line("!MESSAGE \"" + c.name + "\" (based on " + kindName + ")");
  line("!MESSAGE ");
  line("");
  line("# Begin Project");
  line("# PROP AllowPerConfigDependencies 0");
  line("# PROP Scc_ProjName \"\"");
  line("# PROP Scc_LocalPath \"\"");
  line("CPP=cl.exe");
  for (const Tool& t : configurations.front().tools)
    if (t.key == "MTL") line("MTL=midl.exe");
  line("RSC=rc.exe");
  line("");
  for (size_t i = 0; i < configurations.size(); ++i) {
    const Configuration& c = configurations[i];
    line((i == 0 ? "!IF  \"$(CFG)\" == \"" : "!ELSEIF  \"$(CFG)\" == \"") + c.name + "\"");
    line("");
    const std::string dir = c.debug ? "Debug" : "Release";
    for (const char* base : {"BASE ", ""}) {
      line(std::string("# PROP ") + base + "Use_MFC " + std::to_string(c.useMfc));
      line(std::string("# PROP ") + base + "Use_Debug_Libraries " + (c.debug ? "1" : "0"));
      line(std::string("# PROP ") + base + "Output_Dir \"" + dir + "\"");
      line(std::string("# PROP ") + base + "Intermediate_Dir \"" + dir + "\"");
      line(std::string("# PROP ") + base + "Target_Dir \"\"");
    }
    for (const Tool& t : c.tools) {
      if (!t.assign.empty()) line(t.assign);
      line("# ADD BASE " + t.key + " " + Join(t.base));
      line("# ADD " + t.key + " " + Join(t.add));
    }
    for (const std::string& step : c.buildSteps) text += step;
    line("");
  }
  line("!ENDIF ");
  line("");
  line("# Begin Target");
  line("");
  for (const Configuration& c : configurations) line("# Name \"" + c.name + "\"");

  auto writeFile = [&](const ProjectFile& f) {
    line("# Begin Source File");
    line("");
    line("SOURCE=" + f.source);
    if (p.kind == ProjectKind::kMfcDll && SameText(f.source, ".\\StdAfx.cpp")) line("# ADD CPP /Yc\"stdafx.h\"");
    if (!f.lines.empty()) {
      line("");
      for (size_t i = 0; i < configurations.size(); ++i) {
        line((i == 0 ? "!IF  \"$(CFG)\" == \"" : "!ELSEIF  \"$(CFG)\" == \"") + configurations[i].name + "\"");
        line("");
        const auto it = f.lines.find(i);
        if (it != f.lines.end())
          for (const std::string& l : it->second) text += l;
        line("");
      }
      line("!ENDIF ");
      line("");
    }
    line("# End Source File");
  };
  static const char* const kGroupNames[3][2] = {
      {"Source Files", "cpp;c;cxx;rc;def;r;odl;idl;hpj;bat"},
      {"Header Files", "h;hpp;hxx;hm;inl"},
      {"Resource Files", "ico;cur;bmp;dlg;rc2;rct;bin;rgs;gif;jpg;jpeg;jpe"},
  };
  std::vector<const ProjectFile*> sorted;
  for (const ProjectFile& f : files) sorted.push_back(&f);
  std::stable_sort(sorted.begin(), sorted.end(), [](const ProjectFile* a, const ProjectFile* b) {
    return lstrcmpi(a->source.c_str(), b->source.c_str()) < 0;
  });
  for (int g = 0; g < 3; ++g) {
    line(std::string("# Begin Group \"") + kGroupNames[g][0] + "\"");
    line("");
    line(std::string("# PROP Default_Filter \"") + kGroupNames[g][1] + "\"");
    for (const ProjectFile* f : sorted)
      if (f->group == g) writeFile(*f);
    line("# End Group");
  }
  for (const ProjectFile* f : sorted)
    if (f->group == 3) writeFile(*f);
  line("# End Target");
  line("# End Project");
  return text;
}

std::string WorkspaceFileText(const std::string& name) {
  std::string text;
  auto line = [&](const std::string& l) { text += l + kEol; };
  line("Microsoft Developer Studio Workspace File, Format Version 6.00");
  line("# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!");
  line("");
  line("###############################################################################");
  line("");
  line("Project: \"" + name + "\"=.\\" + name + ".dsp - Package Owner=<4>");
  line("");
  line("Package=<5>");
  line("{{{");
  line("}}}");
  line("");
  line("Package=<4>");
  line("{{{");
  line("}}}");
  line("");
  line("###############################################################################");
  line("");
  line("Global:");
  line("");
  line("Package=<5>");
  line("{{{");
  line("}}}");
  line("");
  line("Package=<3>");
  line("{{{");
  line("}}}");
  line("");
  line("###############################################################################");
  line("");
  return text;
}

}  // namespace msdev
