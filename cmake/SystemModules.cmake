# Helpers that declare the three kinds of target this tree builds.
#
#   add_platform_module(<name> SOURCES ... [LIBS ...])
#       A stand-in of one Windows module: a shared library (lib<name>.so) loaded once per process,
#       so its state (registry, windows, code page, ...) is process-wide as on Windows. Its public
#       surface is what platform/include declares with STANDIN_API.
#
#   add_subsystem_library(<name> SOURCES ... [LIBS ...])
#       One subsystem of the system's own code: a static library, position independent, built with
#       SYSTEM_CODE defined (so the sandbox header refuses to compile there) and hidden visibility.
#
#   add_system_module(<target> OUTPUT <file name> [PROGRAM] SOURCES ... [SUBSYSTEMS ...]
#                     [EXPORTS <file>] [RESOURCES <file.rc>] [TYPELIB <description>] [LIBS ...])
#       One deliverable under its Windows file name. The shared code is compiled into each module;
#       only the names listed in the exports file (one per line, '#' comments) plus DllMain are
#       exported, through a generated linker version script. A line "Name @N" also exports Name
#       as ordinal N: the linker defines the symbol standin_ordinal_N at Name's address, which
#       GetProcAddress(module, MAKEINTRESOURCE(N)) finds.
#       TYPELIB: the module's type library description (platform/oleaut32/typelib_description.h),
#       checked by the build's `typelib` tool, which writes <description name>.tlb into the
#       target's build folder; the resource script names it ("1 TYPELIB "<name>.tlb"") and finds
#       it there. A malformed description stops the build with its file and line.
#
#   add_module_resources(<target> <file.rc> [INCLUDES <dir>...] [DEPENDS <file>...])
#       Compiles a resource script with llvm-rc (clang preprocessing it; include folders: the
#       script's own, then platform/include, then the source root, from which a shared fragment
#       such as controls/Controls.rc names its files), turns the .res into a table with platform/rc
#       and links it into <target>. The script, the headers it includes and the files it names are
#       tracked. INCLUDES are further folders where named files are found (before the source
#       root), DEPENDS files made by the build that the script names.
#
#   add_folder_tests(<name> SOURCES ... [LIBS ...] [RESOURCES <file.rc>])
#       The one GoogleTest program of a folder, registered with CTest test by test.
#
#   add_exports_test(<module target> <exports file>)
#       A CTest test "exports.<target>" that loads the built module with LoadLibrary, finds every
#       name of the exports file with GetProcAddress (and each ordinal, at the same address), and
#       fails when the module's dynamic symbol table exports any other name (DllMain aside). The
#       module's DllMain runs as in any load.

include(GoogleTest)

set(SABLEWING_PLATFORM_INCLUDE ${CMAKE_SOURCE_DIR}/platform/include)
set(SABLEWING_SANDBOX_INCLUDE ${CMAKE_SOURCE_DIR}/platform/sandbox/include)

function(add_platform_module name)
  cmake_parse_arguments(PM "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT PM_SOURCES)
    # A module whose sources are not written yet contributes only its headers.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${SABLEWING_PLATFORM_INCLUDE})
    target_link_libraries(${name} INTERFACE ${PM_LIBS})
    return()
  endif()
  add_library(${name} SHARED ${PM_SOURCES})
  target_include_directories(${name} PUBLIC ${SABLEWING_PLATFORM_INCLUDE}
                                     PRIVATE ${SABLEWING_SANDBOX_INCLUDE} ${CMAKE_SOURCE_DIR}/platform)
  target_compile_definitions(${name} PRIVATE STANDIN_BUILD)
  target_compile_options(${name} PRIVATE -fvisibility=hidden)
  if(PM_LIBS)
    target_link_libraries(${name} PUBLIC ${PM_LIBS})
  endif()
  set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

function(add_subsystem_library name)
  cmake_parse_arguments(SL "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${SL_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
                                            ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE SYSTEM_CODE)
  target_compile_options(${name} PRIVATE -fvisibility=hidden)
  if(SL_LIBS)
    target_link_libraries(${name} PUBLIC ${SL_LIBS})
  endif()
endfunction()

# The resource compiler and its preprocessor (Debian packages llvm-14 and clang-14).
find_program(SABLEWING_LLVM_RC NAMES llvm-rc-14 llvm-rc)
if(NOT SABLEWING_LLVM_RC)
  message(FATAL_ERROR "llvm-rc was not found: install the Debian package llvm-14 (scripts/install-deps.sh)")
endif()
find_program(SABLEWING_CLANG NAMES clang-14 clang)
if(NOT SABLEWING_CLANG)
  message(FATAL_ERROR "clang, the resource scripts' preprocessor, was not found: install the Debian package "
                      "clang-14 (scripts/install-deps.sh)")
endif()

function(add_module_resources target rcfile)
  cmake_parse_arguments(MR "" "" "INCLUDES;DEPENDS" ${ARGN})
  set(extra_includes)
  foreach(dir IN LISTS MR_INCLUDES)
    list(APPEND extra_includes -I ${dir})
  endforeach()
  get_filename_component(rc_abs ${rcfile} ABSOLUTE)
  get_filename_component(rc_name ${rcfile} NAME_WE)
  get_filename_component(rc_dir ${rc_abs} DIRECTORY)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}_rc.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND rc --clang ${SABLEWING_CLANG} --llvm-rc ${SABLEWING_LLVM_RC} -I ${SABLEWING_PLATFORM_INCLUDE}
            ${extra_includes} -I ${CMAKE_SOURCE_DIR} -o ${out} --depfile ${out}.d ${rc_abs}
    DEPENDS rc ${rc_abs} ${MR_DEPENDS}
    DEPFILE ${out}.d
    COMMENT "Compiling resources ${rcfile}")
  target_sources(${target} PRIVATE ${out})
endfunction()

function(add_system_module target)
  cmake_parse_arguments(SM "PROGRAM" "OUTPUT;EXPORTS;RESOURCES;TYPELIB" "SOURCES;SUBSYSTEMS;LIBS" ${ARGN})
  if(SM_PROGRAM)
    add_executable(${target} ${SM_SOURCES})
  else()
    add_library(${target} MODULE ${SM_SOURCES})
    set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX "")
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${SM_OUTPUT}
                        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/modules
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/modules)
  target_compile_definitions(${target} PRIVATE SYSTEM_CODE)
  # GCC makes some template statics "unique" symbols, which the loader binds across modules and
  # which keep a module from unloading; clang never makes them and knows no such switch.
  target_compile_options(${target} PRIVATE -fvisibility=hidden -fvisibility-inlines-hidden
                                           $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic)
  target_link_libraries(${target} PRIVATE ${SM_SUBSYSTEMS} ${SM_LIBS})
  if(SM_EXPORTS AND NOT SM_PROGRAM)
    get_filename_component(exp_abs ${SM_EXPORTS} ABSOLUTE)
    set(vs ${CMAKE_CURRENT_BINARY_DIR}/${target}.version)
    file(STRINGS ${exp_abs} exp_lines)
    set(globals "DllMain;")
    foreach(line IN LISTS exp_lines)
      string(REGEX REPLACE "#.*$" "" line "${line}")
      string(STRIP "${line}" line)
      if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)[ \t]+@([1-9][0-9]*)$")
        # The ordinal's symbol lies at the named export's address.
        string(APPEND globals " ${CMAKE_MATCH_1}; standin_ordinal_${CMAKE_MATCH_2};")
        target_link_options(${target} PRIVATE
                            "LINKER:--defsym=standin_ordinal_${CMAKE_MATCH_2}=${CMAKE_MATCH_1}")
      elseif(line MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
        string(APPEND globals " ${line};")
      elseif(line)
        message(FATAL_ERROR "${SM_EXPORTS}: not an export (\"Name\" or \"Name @ordinal\"): ${line}")
      endif()
    endforeach()
    file(WRITE ${vs} "{\n  global: ${globals}\n  local: *;\n};\n")
    target_link_options(${target} PRIVATE -Wl,--version-script=${vs})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${vs} ${exp_abs})
  endif()
  set(resource_options)
  if(SM_TYPELIB)
    get_filename_component(tld_abs ${SM_TYPELIB} ABSOLUTE)
    get_filename_component(tld_name ${SM_TYPELIB} NAME_WE)
    set(tlb_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_typelib)
    set(tlb ${tlb_dir}/${tld_name}.tlb)
    add_custom_command(OUTPUT ${tlb}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${tlb_dir}
      COMMAND typelib ${tld_abs} ${tlb}
      DEPENDS typelib ${tld_abs}
      COMMENT "Checking the type library ${SM_TYPELIB}")
    set(resource_options INCLUDES ${tlb_dir} DEPENDS ${tlb})
    if(NOT SM_RESOURCES)
      message(FATAL_ERROR "${target}: TYPELIB needs a resource script that names ${tld_name}.tlb")
    endif()
  endif()
  if(SM_RESOURCES)
    add_module_resources(${target} ${SM_RESOURCES} ${resource_options})
  endif()
endfunction()

function(add_folder_tests name)
  cmake_parse_arguments(FT "" "RESOURCES" "SOURCES;LIBS" ${ARGN})
  if(NOT FT_SOURCES)
    return()
  endif()
  add_executable(${name} ${FT_SOURCES})
  target_include_directories(${name} PRIVATE ${SABLEWING_SANDBOX_INCLUDE})
  target_link_libraries(${name} PRIVATE ${FT_LIBS} sandbox_gtest GTest::gtest GTest::gmock)
  if(FT_RESOURCES)
    add_module_resources(${name} ${FT_RESOURCES})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                       PROPERTIES ENVIRONMENT "SABLEWING_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

function(add_exports_test target exports)
  get_filename_component(exp_abs ${exports} ABSOLUTE)
  add_test(NAME exports.${target} COMMAND exports_check $<TARGET_FILE:${target}> ${exp_abs})
endfunction()
