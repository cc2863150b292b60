#!/usr/bin/env python3
"""Writes sample/Legacy: a product whose catalogue holds the successors of the 1.0 class library's
ten components and one more, and projects made for the 1.0 library.

The files are checked in; run this again (python3 sample/tools/make_legacy_sample.py) only after
changing the tables below. Every text file is written with CR LF line ends.

  Legacy/Sablewing/Components   eleven component description files, in the byte form the
                                description writer saves
  Legacy/Projects/LegacyApp     a 1.0 MFC application (links mfcs42.lib and mfcs42d.lib)
  Legacy/Projects/LegacyDll     a 1.0 MFC DLL (links them too)
  Legacy/Projects/LegacySuite   a workspace of both and of a static library of its own

A 1.0 project links "TqInterface.lib" (Release) or "TqInterfaceD.lib" (Debug), lists the 64 headers
of the 1.0 library in its project tree below "Sablewing"/"Include", and its StdAfx.h includes the
1.0 library's all-in-one header before the insertion marker.
"""

import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LEGACY = os.path.join(ROOT, "Legacy")

NAMESPACE = "urn:sablewing:component-description"

# name, file, category, namespace, depends on, MFC required, includes-header lines
COMPONENTS = [
    ("Common", "TqCommon", "Core Components", "TqCommon", [], True, ["TqCommon.h"]),
    ("Utility", "TqUtility", "Core Components", "TqCommon", ["Common"], True, ["TqUtility.h"]),
    ("UI Common", "TqUICommon", "User Interface", "TqUI", ["Common"], True, ["TqUICommon.h"]),
    ("User Interface", "TqUserInterface", "User Interface", "TqUI", ["UI Common"], True, ["TqUserInterface.h"]),
    ("3D Graph", "Tq3DGraph", "User Interface", "TqUI", ["User Interface"], True, ["Tq3DGraph.h"]),
    ("Base Analysis", "TqBaseAnalysis", "Analysis", "TqAnalysis", ["Common"], False, ["TqBaseAnalysis.h"]),
    ("Advanced Analysis", "TqAdvancedAnalysis", "Analysis", "TqAnalysis", ["Base Analysis"], False,
     ["TqAdvancedAnalysis.h"]),
    ("4882", "Tq4882", "Hardware APIs", "TqHardware", ["Common"], False, ["Tq4882.h"]),
    ("VISA", "TqVisa", "Hardware APIs", "TqHardware", ["Common"], False, ["TqVisa.h"]),
    # The 1.0 library's network component brings nothing to the includes header.
    ("Linkwell", "TqLinkwell", "Networking", "", ["Common"], False, []),
    # Not a 1.0 component: a conversion leaves it alone.
    ("Data Socket", "TqDataSocket", "Networking", "TqNet", ["Linkwell"], False, ["TqDataSocket.h"]),
]

VERSION1_HEADERS = """Tq4882.h TqAll.h TqAxes.h TqAxes3d.h TqAxis.h TqAxis3d.h TqBinding.h TqBindings.h TqButton.h
TqColor.h TqColorVector.h TqCommon.h TqComplex.h TqComplexMatrix.h TqComplexVector.h TqContour.h
TqContours.h TqControlMetrics.h TqCursor.h TqCursors.h TqLinkwell.h TqLinkwellServer.h TqDataTypes.h
TqException.h TqFile.h TqFont.h TqGraph.h TqGraph3d.h TqImage.h TqIviAttribute.h TqIviInstrument.h
TqIviStdObjects.h TqKnob.h TqLabels.h TqLabels3d.h TqLight.h TqLights.h TqMath.h TqMatrix.h
TqNumedit.h TqPicture.h TqPlot.h TqPlot3d.h TqPlots.h TqPlots3d.h TqPointer.h TqPointers.h
TqScalarMatrix.h TqScalarVector.h TqSlide.h TqSound.h TqString.h TqSystem.h TqTicks.h TqTicks3d.h
TqTime.h TqTimer.h TqUtility.h TqValuepair.h TqValuepairs.h TqVariant.h TqVector.h TqVisa.h
TqVxiPnpInstrument.h""".split()
assert len(VERSION1_HEADERS) == 64


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.replace("\n", "\r\n").encode("ascii"))


def element(name, text):
    return "<%s>%s</%s>" % (name, text, name)


def items(container, item, values):
    if not values:
        return "<%s/>" % container
    return "<%s>%s</%s>" % (container, "".join(element(item, v) for v in values), container)


def description(name, stem, category, namespace, depends, mfc, includes):
    inc = '/I "$(SABLEWING_CPP_DIR)\\include"'
    parts = [
        element("Hidden", "0"), element("SelectedByDefault", "1" if name == "Common" else "0"),
        element("MFCRequired", "1" if mfc else "0"), element("ComponentName", name),
        element("ComponentDescription", "%s classes of the class library" % name),
        element("Category", category), element("XMLFormatVersion", "1.0"), element("Namespace", namespace),
        items("ComponentHeaders", "ComponentHeader", ["$(SABLEWING_CPP_DIR)\\include\\%s.h" % stem]),
        items("CompilerReleaseSettings", "CompilerReleaseSetting", [inc]),
        items("CompilerDebugSettings", "CompilerDebugSetting", [inc]),
        items("RemoveCompilerReleaseSettings", "RemoveCompilerReleaseSetting", []),
        items("RemoveCompilerDebugSettings", "RemoveCompilerDebugSetting", []),
        items("LinkerReleaseSettings", "LinkerReleaseSetting", [stem + ".lib"]),
        items("LinkerDebugSettings", "LinkerDebugSetting", [stem + "d.lib"]),
        items("RemoveLinkerReleaseSettings", "RemoveLinkerReleaseSetting", []),
        items("RemoveLinkerDebugSettings", "RemoveLinkerDebugSetting", []),
        items("IncludesFileHeaderIncludes", "IncludesFileHeaderInclude", includes),
        items("DSWControlPalletGuids", "DSWControlPalletGuid", []),
        items("ComponentDependancies", "ComponentDependancies", depends),
        "<Sections/>", "<Sources/>",
    ]
    return '<?xml version="1.0"?>\n<Component xmlns="%s">%s</Component>\n' % (NAMESPACE, "".join(parts))


def dsp_header(name, targtype, code):
    kind = "Win32 (x86) %s" % targtype
    return f"""# Microsoft Developer Studio Project File - Name="{name}" - Package Owner=<4>
# Microsoft Developer Studio Generated Build File, Format Version 6.00
# ** DO NOT EDIT **

# TARGTYPE "{kind}" {code}

CFG={name} - Win32 Debug
!MESSAGE This is not a valid makefile. To build this project using NMAKE,
!MESSAGE use the Export Makefile command and run
!MESSAGE 
!MESSAGE NMAKE /f "{name}.mak".
!MESSAGE 
!MESSAGE You can specify a configuration when running NMAKE
!MESSAGE by defining the macro CFG on the command line. For example:
!MESSAGE 
!MESSAGE NMAKE /f "{name}.mak" CFG="{name} - Win32 Debug"
!MESSAGE 
!MESSAGE Possible choices for configuration are:
!MESSAGE 
!MESSAGE "{name} - Win32 Release" (based on "{kind}")
!MESSAGE "{name} - Win32 Debug" (based on "{kind}")
!MESSAGE 

# Begin Project
# PROP AllowPerConfigDependencies 0
# PROP Scc_ProjName ""
# PROP Scc_LocalPath ""
CPP=cl.exe
"""


def configuration(name, which, first, mfc, defines, link, lib=False):
    debug = which == "Debug"
    cpp_flags = "/MTd /W3 /Gm /GX /ZI /Od" if debug else "/MT /W3 /GX /O2"
    marker = '/D "_DEBUG"' if debug else '/D "NDEBUG"'
    text = '\n!%s  "$(CFG)" == "%s - Win32 %s"\n\n' % ("IF" if first else "ELSEIF", name, which)
    text += "# PROP Use_MFC %d\n# PROP Use_Debug_Libraries %d\n" % (mfc, 1 if debug else 0)
    text += '# PROP Output_Dir "%s"\n# PROP Intermediate_Dir "%s"\n# PROP Target_Dir ""\n' % (which, which)
    text += '# ADD CPP /nologo %s /D "WIN32" %s %s /I "$(SABLEWING_CPP_PATH)\\Include" /Yu"stdafx.h" /FD%s /c\n' % (
        cpp_flags, marker, defines, " /GZ" if debug else "")
    if lib:
        text += "LIB32=link.exe -lib\n# ADD LIB32 /nologo\n"
    else:
        text += "LINK32=link.exe\n# ADD LINK32 %s\n" % link(debug)
    return text


def source_file(path, extra=""):
    return "# Begin Source File\n\nSOURCE=%s\n%s# End Source File\n" % (path, extra)


def group(name, filter_, body):
    return '# Begin Group "%s"\n\n# PROP Default_Filter "%s"\n%s# End Group\n' % (name, filter_, body)


def version1_headers():
    body = "".join(source_file('"$(SABLEWING_CPP_PATH)\\Include\\%s"' % h) for h in VERSION1_HEADERS)
    return group("Sablewing", "", group("Include", "*.h", body))


def dsp(name, targtype, code, mfc, defines, link, sources, headers, lib=False):
    text = dsp_header(name, targtype, code)
    if not lib:
        text += "MTL=midl.exe\nRSC=rc.exe\n"
    text += configuration(name, "Release", True, mfc, defines, link, lib)
    text += configuration(name, "Debug", False, mfc, defines, link, lib)
    text += "\n!ENDIF \n\n# Begin Target\n\n"
    text += '# Name "%s - Win32 Release"\n# Name "%s - Win32 Debug"\n' % (name, name)
    text += group("Source Files", "cpp;c;cxx;rc;def;r;odl;idl;hpj;bat",
                  "".join(source_file(s, '# ADD CPP /Yc"stdafx.h"\n' if s.endswith("StdAfx.cpp") else "")
                          for s in sources))
    text += group("Header Files", "h;hpp;hxx;hm;inl", "".join(source_file(h) for h in headers))
    if not lib:
        text += version1_headers()
    text += "# End Target\n# End Project\n"
    return text


def dsw(projects):
    text = "Microsoft Developer Studio Workspace File, Format Version 6.00\n"
    text += "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!\n\n"
    rule = "###############################################################################\n\n"
    text += rule
    for name, path in projects:
        text += 'Project: "%s"=%s - Package Owner=<4>\n\nPackage=<5>\n{{{\n}}}\n\nPackage=<4>\n{{{\n}}}\n\n' % (
            name, path)
        text += rule
    text += "Global:\n\nPackage=<5>\n{{{\n}}}\n\nPackage=<3>\n{{{\n}}}\n\n" + rule
    return text


def stdafx(guard, version1):
    text = """// stdafx.h : include file for standard system include files,
//  or project specific include files that are used frequently, but
//      are changed infrequently
//

#if !defined(%s)
#define %s

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

#define VC_EXTRALEAN		// Exclude rarely-used stuff from Windows headers

#include <afxwin.h>         // MFC core and standard components
#include <afxext.h>         // MFC extensions

""" % (guard, guard)
    if version1:
        text += '#include "TqAll.h"\nusing namespace TQ;\n\n'
    text += """//{{AFX_INSERT_LOCATION}}
// Microsoft Visual C++ will insert additional declarations immediately before the previous line.

#endif // !defined(%s)
""" % guard
    return text


def app_link(debug):
    if debug:
        return "TqInterfaceD.lib mfcs42d.lib /nologo /subsystem:windows /debug /machine:I386 /pdbtype:sept"
    return "TqInterface.lib mfcs42.lib /nologo /subsystem:windows /machine:I386"


def dll_link(debug):
    if debug:
        return "TqInterfaceD.lib mfcs42d.lib /nologo /subsystem:windows /dll /debug /machine:I386 /pdbtype:sept"
    return "TqInterface.lib mfcs42.lib /nologo /subsystem:windows /dll /machine:I386"


def cpp(name, body):
    return '// %s\n//\n\n#include "stdafx.h"\n\n%s' % (name, body)


def main():
    for name, stem, category, namespace, depends, mfc, includes in COMPONENTS:
        write(os.path.join(LEGACY, "Sablewing", "Components", stem + ".xml"),
              description(name, stem, category, namespace, depends, mfc, includes))

    projects = os.path.join(LEGACY, "Projects")
    # The application: static MFC, its guard as the IDE's AppWizard makes it.
    app = os.path.join(projects, "LegacyApp")
    write(os.path.join(app, "LegacyApp.dsp"),
          dsp("LegacyApp", "Application", "0x0101", 5, '/D "_WINDOWS" /D "_MBCS"', app_link,
              [".\\LegacyApp.cpp", ".\\StdAfx.cpp"], [".\\StdAfx.h"]))
    write(os.path.join(app, "LegacyApp.dsw"), dsw([("LegacyApp", ".\\LegacyApp.dsp")]))
    write(os.path.join(app, "StdAfx.h"), stdafx("AFX_STDAFX_H__4D1E7A20_2C3B_4F5A_8E61_7B9C0D1E2F30__INCLUDED_", True))
    write(os.path.join(app, "StdAfx.cpp"), cpp("stdafx.cpp : source file that includes just the standard includes", ""))
    write(os.path.join(app, "LegacyApp.cpp"),
          cpp("LegacyApp.cpp : an application made for the 1.0 class library",
              "int Acquire()\n{\n    return 0;\n}\n"))

    dll = os.path.join(projects, "LegacyDll")
    write(os.path.join(dll, "LegacyDll.dsp"),
          dsp("LegacyDll", "Dynamic-Link Library", "0x0102", 5, '/D "_WINDOWS" /D "_WINDLL" /D "_USRDLL"', dll_link,
              [".\\LegacyDll.cpp", ".\\StdAfx.cpp"], [".\\StdAfx.h"]))
    write(os.path.join(dll, "LegacyDll.dsw"), dsw([("LegacyDll", ".\\LegacyDll.dsp")]))
    write(os.path.join(dll, "StdAfx.h"), stdafx("AFX_STDAFX_H__5E2F8B31_3D4C_405B_9F72_8CAD1E2F3041__INCLUDED_", True))
    write(os.path.join(dll, "StdAfx.cpp"), cpp("stdafx.cpp : source file that includes just the standard includes", ""))
    write(os.path.join(dll, "LegacyDll.cpp"),
          cpp("LegacyDll.cpp : a DLL made for the 1.0 class library",
              "extern \"C\" int __stdcall Measure()\n{\n    return 0;\n}\n"))

    # The suite: its own static library (which the project reader refuses: it links nothing) and
    # the two projects above, in the order the IDE writes them, by name.
    suite = os.path.join(projects, "LegacySuite")
    write(os.path.join(suite, "LegacySuite.dsw"),
          dsw([("Helpers", ".\\Helpers\\Helpers.dsp"), ("LegacyApp", "..\\LegacyApp\\LegacyApp.dsp"),
               ("LegacyDll", "..\\LegacyDll\\LegacyDll.dsp")]))
    helpers = os.path.join(suite, "Helpers")
    write(os.path.join(helpers, "Helpers.dsp"),
          dsp("Helpers", "Static Library", "0x0104", 0, '/D "_MBCS" /D "_LIB"', None,
              [".\\Helpers.cpp", ".\\StdAfx.cpp"], [".\\StdAfx.h"], lib=True))
    write(os.path.join(helpers, "StdAfx.h"), stdafx("AFX_STDAFX_H__6F3A9C42_4E5D_416C_A083_9DBE2F304152__INCLUDED_", False))
    write(os.path.join(helpers, "StdAfx.cpp"), cpp("stdafx.cpp : source file that includes just the standard includes", ""))
    write(os.path.join(helpers, "Helpers.cpp"), cpp("Helpers.cpp : helpers the suite's projects share",
                                                    "int Scale(int value)\n{\n    return value * 2;\n}\n"))


if __name__ == "__main__":
    main()
