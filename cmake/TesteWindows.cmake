# The Windows test: cross-builds quantivo-batch with mingw-w64 into
# WORK_DIR/build, then compares its answers under wine with the Linux ones
# (CompararWindows.cmake). Run by CTest (label "lento") when both are found.
foreach(v SOURCE_DIR LINUX_BATCH WINE GOLDEN_DIR WORK_DIR)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "${v} is required")
  endif()
endforeach()
set(b ${WORK_DIR}/build)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${b} -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DQUANTIVO_GUI=OFF -DQUANTIVO_TESTS=OFF -DQUANTIVO_BENCH=OFF
  OUTPUT_QUIET RESULT_VARIABLE r)
if(r)
  message(FATAL_ERROR "cross configure failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${b} -j2 --target quantivo-batch RESULT_VARIABLE r)
if(r)
  message(FATAL_ERROR "cross build failed")
endif()
# A prefix of our own, kept in the build tree: wine's first start (creating it)
# takes about ten seconds, later runs reuse it.
if(NOT DEFINED ENV{WINEPREFIX})
  set(ENV{WINEPREFIX} ${WORK_DIR}/wineprefix)
endif()
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
set(WINDOWS_BATCH ${b}/tools/quantivo-batch.exe)
include(${CMAKE_CURRENT_LIST_DIR}/CompararWindows.cmake)
get_filename_component(wine_dir ${WINE} DIRECTORY)
find_program(WINESERVER NAMES wineserver64 wineserver HINTS ${wine_dir})
if(WINESERVER)
  execute_process(COMMAND ${WINESERVER} -w)
endif()
