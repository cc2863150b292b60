// Project and workspace files as the IDE writes them, generated for the benchmarks: a regular MFC
// DLL project, Release and Debug, with its source files in groups, and a workspace of projects.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace bench {

inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline std::string GeneratedConfiguration(const char* name, bool debug) {
  const std::string define = debug ? "/D \"_DEBUG\"" : "/D \"NDEBUG\"";
  const std::string runtime = debug ? "/MDd /W3 /Gm /GX /ZI /Od" : "/MD /W3 /GX /O2";
  return Lines({"# PROP BASE Use_MFC 6", "# PROP Use_MFC 6", std::string("# PROP Output_Dir \"") + name + "\"",
                "# ADD BASE CPP /nologo " + runtime + " /D \"WIN32\" " + define + " /Yu\"stdafx.h\" /FD /c",
                "# ADD CPP /nologo " + runtime + " /D \"WIN32\" " + define +
                    " /D \"_WINDOWS\" /D \"_WINDLL\" /D \"_AFXDLL\" /D \"_USRDLL\" /Yu\"stdafx.h\" /FD /c",
                "LINK32=link.exe", "# ADD BASE LINK32 /nologo /subsystem:windows /dll /machine:I386",
                std::string("# ADD LINK32 /nologo /subsystem:windows /dll ") + (debug ? "/debug " : "") +
                    "/machine:I386",
                ""});
}

// The project `name` with `files` source files spread over `groups` groups.
inline std::string GeneratedProject(const std::string& name, int files, int groups) {
  std::string text = Lines({"# Microsoft Developer Studio Project File - Name=\"" + name + "\" - Package Owner=<4>",
                            "# Microsoft Developer Studio Generated Build File, Format Version 6.00",
                            "# ** DO NOT EDIT **", "", "# TARGTYPE \"Win32 (x86) Dynamic-Link Library\" 0x0102", "",
                            "CFG=" + name + " - Win32 Debug", "!MESSAGE Possible choices for configuration are:",
                            "!MESSAGE ",
                            "!MESSAGE \"" + name + " - Win32 Release\" (based on \"Win32 (x86) Dynamic-Link Library\")",
                            "!MESSAGE \"" + name + " - Win32 Debug\" (based on \"Win32 (x86) Dynamic-Link Library\")",
                            "!MESSAGE ", "", "# Begin Project", "CPP=cl.exe", "RSC=rc.exe", "",
                            "!IF  \"$(CFG)\" == \"" + name + " - Win32 Release\"", ""});
  text += GeneratedConfiguration("Release", false);
  text += Lines({"!ELSEIF  \"$(CFG)\" == \"" + name + " - Win32 Debug\"", ""});
  text += GeneratedConfiguration("Debug", true);
  text += Lines({"!ENDIF ", "", "# Begin Target", "", "# Name \"" + name + " - Win32 Release\"",
                 "# Name \"" + name + " - Win32 Debug\""});
  for (int g = 0; g < groups; ++g) {
    text += Lines({"# Begin Group \"Group " + std::to_string(g) + "\"", "",
                   "# PROP Default_Filter \"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat\""});
    for (int f = g; f < files; f += groups)
      text += Lines({"# Begin Source File", "", "SOURCE=.\\source\\Module" + std::to_string(f) + ".cpp",
                     "# End Source File"});
    text += Lines({"# End Group"});
  }
  return text + Lines({"# End Target", "# End Project"});
}

// A workspace of the projects, each given by its name and its path from the workspace's folder.
inline std::string GeneratedWorkspace(const std::vector<std::pair<std::string, std::string>>& projects) {
  const std::string rule = "###############################################################################";
  std::string text = Lines({"Microsoft Developer Studio Workspace File, Format Version 6.00",
                            "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!", "", rule, ""});
  for (const auto& [name, path] : projects)
    text += Lines({"Project: \"" + name + "\"=" + path + " - Package Owner=<4>", "", "Package=<5>", "{{{", "}}}", "",
                   "Package=<4>", "{{{", "}}}", "", rule, ""});
  return text + Lines({"Global:", "", "Package=<5>", "{{{", "}}}", "", "Package=<3>", "{{{", "}}}", "", rule, ""});
}

}  // namespace bench
