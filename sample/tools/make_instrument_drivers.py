#!/usr/bin/env python3
"""Writes the instrument drivers of the sample installation.

The files are checked in; run this again (python3 sample/tools/make_instrument_drivers.py) only
after changing the table below. Three places hold drivers:

  VXIPNP/WinNT       the VXIplug&play framework: include\\, lib\\Msc\\ and one folder per driver
                     with its function panel file (and a C source for some)
  Sablewing/instr    the product's own drivers
  Wyc/instr          the Wyc installation's drivers, with the IVI class panels in instr\\iviclass

and, for the Wyc plug-in, the rest of the Wyc installation (the libraries of extlib\\, the library
panels of toolslib\\, the run time's header in include\\) and the function panel and library of the
sample Wyc project in Projects/WycMeter.

A function panel file is binary, numbers big-endian: the magic 0x73FE01BA at 0, the format
version (4 or 5) at 4, the offset of the name table at 36, and the one-line description at 84
(version 4) or 104 (version 5), ended by a NUL or a line end. The name table holds a count, then
per entry a length and that many bytes: a function name, three more characters and a NUL.
"""

import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

FP_MAGIC = 0x73FE01BA
NAME_TABLE_OFFSET = 256


def function_panel(version, description, functions):
    """The bytes of a panel file. `description` is written as given (bytes), so that a test can
    see a line end or a text longer than the 40 bytes the reader keeps."""
    data = bytearray(NAME_TABLE_OFFSET)
    struct.pack_into(">II", data, 0, FP_MAGIC, version)
    struct.pack_into(">I", data, 36, NAME_TABLE_OFFSET)
    at = 104 if version == 5 else 84
    data[at:at + len(description)] = description
    table = struct.pack(">I", len(functions))
    for name in functions:
        text = name.encode("ascii") + b"_fp\0"
        table += struct.pack(">I", len(text)) + text
    return bytes(data) + table


def header(name, functions, note):
    guard = name.upper().replace(".", "_") + "_H"
    lines = ["/* %s.h - %s (sample installation). */" % (name, note),
             "#ifndef %s" % guard, "#define %s" % guard, "",
             "#ifdef __cplusplus", 'extern "C" {', "#endif", ""]
    lines += ["long __stdcall %s(unsigned long session);" % f for f in functions]
    lines += ["", "#ifdef __cplusplus", "}", "#endif", "", "#endif"]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def source(name, functions):
    lines = ["/* %s.c - driver source (sample installation). */" % name, '#include "%s.h"' % name, ""]
    for f in functions:
        lines += ["long __stdcall %s(unsigned long session)" % f, "{", "    return session ? 0 : -1;", "}", ""]
    return ("\r\n".join(lines)).encode("ascii")


# An empty archive: what the linker needs to see to take a file for a library.
LIBRARY = b"!<arch>\n"


def write(relative, data):
    path = os.path.join(ROOT, *relative.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def functions_of(name):
    return [name + "_init", name + "_close", name + "_reset"]


# Each driver: where its header, library, source and panel file go, and its panel's version and
# description. None leaves a file out.
VXI = "VXIPNP/WinNT"
PRODUCT = "Sablewing/instr"
WYC = "Wyc/instr"
DRIVERS = [
    # A framework driver with an import library and a C source: the library wins.
    dict(name="tqdmm34", header=VXI + "/include", library="tqdmm34.lib", source=VXI + "/tqdmm34",
         panel=VXI + "/tqdmm34", version=5, description=b"Tq34 Digital Multimeter\0"),
    # Only the _32 library, and a description longer than the 40 bytes that are kept.
    dict(name="tqfgen20", header=VXI + "/include", library="tqfgen20_32.lib", source=None,
         panel=VXI + "/tqfgen20", version=4,
         description=b"Tq20 Arbitrary Function Generator, 20 MHz, two channels\0"),
    # No library: compiled from its C source in the framework's driver folder; the description
    # ends with a line end, and more text follows it.
    dict(name="tqswitch", header=VXI + "/include", library=None, source=VXI + "/tqswitch",
         panel=VXI + "/tqswitch", version=4, description=b"Tq Switch Matrix\r\nRevision 2\0"),
    # A C++ wrapper header beside the driver's own.
    dict(name="tqpower", header=VXI + "/include", library="tqpower.lib", source=None,
         panel=VXI + "/tqpower", version=5, description=b"Tq Programmable DC Power Supply\0",
         wrapper=True),
    # A driver called "scope", which the depot never offers.
    dict(name="scope", header=VXI + "/include", library="scope.lib", source=None,
         panel=VXI + "/scope", version=4, description=b"Generic Oscilloscope\0"),
    # A panel file but neither library nor source: not a driver.
    dict(name="tqnolib", header=VXI + "/include", library=None, source=None,
         panel=VXI + "/tqnolib", version=4, description=b"Header Without Library\0"),
    # The product's drivers: one compiled from its source, one linked through a framework
    # library, and a second header of the framework's multimeter.
    dict(name="hgcounter", header=PRODUCT, library=None, source=PRODUCT, panel=PRODUCT, version=4,
         description=b"Hg Universal Counter\0"),
    dict(name="hgrelay", header=PRODUCT, library="hgrelay.lib", source=None, panel=PRODUCT, version=5,
         description=b"Hg Relay Multiplexer\0"),
    dict(name="tqdmm34", header=PRODUCT, library=None, source=None, panel=None, version=None,
         description=None),
    # The Wyc installation's drivers: one with its panel beside it, one whose panel is among the
    # IVI class panels, and one without a source.
    dict(name="wycosc", header=WYC, library=None, source=WYC, panel=WYC, version=5,
         description=b"Wyc Demo Oscilloscope\0"),
    dict(name="tqacpwr", header=WYC, library=None, source=WYC, panel=WYC + "/iviclass", version=4,
         description=b"Tq AC Power Source (IVI)\0"),
    dict(name="wycnote", header=WYC, library=None, source=None, panel=WYC, version=4,
         description=b"Notes Panel\0"),
]

# The framework's own headers, which are never drivers, and its support libraries.
EXCLUDED_HEADERS = ["ivi", "ividmm", "ivifgen", "ivipower", "iviscope", "iviswtch", "ividcpwr", "visa",
                    "visatype", "vpptype"]
SUPPORT_LIBRARIES = ["ivi.lib", "Instrsup.lib", "visa32.lib"]
# Panels of the IVI class drivers.
CLASS_PANELS = [("ivi", b"IVI Engine\0"), ("ividmm", b"IVI Digital Multimeter Class\0"), ("iviscope", b"IVI Oscilloscope Class\0")]


# The Wyc installation's external-compiler libraries: the run time, the instrument support and one
# more; the library panels of its toolslib folder, each with its header; the run time's header.
WYC_EXTLIB = ["wycrt.lib", "instrsup.lib", "wycanalysis.lib"]
WYC_LIBRARY_PANELS = [("Wyc/toolslib/toolbox", "toolbox", b"Programmer's Toolbox\0"),
                      ("Wyc/toolslib/reportgen", "report", b"Report Generation\0")]
# The sample Wyc project's own function panel (with its C source and header) and library.
PROJECT = "Projects/WycMeter"


def main():
    for d in DRIVERS:
        name = d["name"]
        functions = functions_of(name)
        write("%s/%s.h" % (d["header"], name), header(name, functions, "instrument driver"))
        if d.get("wrapper"):
            write("%s/%s_Sablewing_cpp.h" % (d["header"], name),
                  header(name + "_Sablewing_cpp", ["%s_cpp_attach" % name], "C++ wrapper of the driver"))
        if d["library"]:
            write("%s/lib/Msc/%s" % (VXI, d["library"]), LIBRARY)
        if d["source"]:
            write("%s/%s.c" % (d["source"], name), source(name, functions))
        if d["panel"]:
            write("%s/%s.fp" % (d["panel"], name), function_panel(d["version"], d["description"], functions))
    for name in EXCLUDED_HEADERS:
        write("%s/include/%s.h" % (VXI, name), header(name, [name + "_version"], "framework header"))
    for library in SUPPORT_LIBRARIES:
        write("%s/lib/Msc/%s" % (VXI, library), LIBRARY)
    for name, description in CLASS_PANELS:
        write("%s/iviclass/%s.fp" % (WYC, name), function_panel(5, description, functions_of(name)))
    for library in WYC_EXTLIB:
        write("Wyc/extlib/%s" % library, LIBRARY)
    for folder, name, description in WYC_LIBRARY_PANELS:
        write("%s/%s.fp" % (folder, name), function_panel(5, description, functions_of(name)))
        write("%s/%s.h" % (folder, name), header(name, functions_of(name), "library of the Wyc installation"))
    write("Wyc/include/wycrt.h", header("wycrt", ["RunUserInterface", "QuitUserInterface"], "the Wyc run time"))
    write("%s/metercal.fp" % PROJECT, function_panel(4, b"Meter Calibration\0", functions_of("metercal")))
    write("%s/metercal.c" % PROJECT, source("metercal", functions_of("metercal")))
    write("%s/metercal.h" % PROJECT, header("metercal", functions_of("metercal"), "the meter's calibration panel"))
    write("%s/meterlib.lib" % PROJECT, LIBRARY)


if __name__ == "__main__":
    main()
