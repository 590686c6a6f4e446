# Runs every golden request through the Linux quantivo-batch and through the
# Windows one under wine, and requires the same answers, byte for byte.
#   cmake -DLINUX_BATCH=... -DWINDOWS_BATCH=...exe -DWINE=.../wine64
#         -DGOLDEN_DIR=... -DWORK_DIR=... -P CompararWindows.cmake
# The request is taken from each case as it is written (its number texts
# untouched); a request without "hoje" gets a fixed one so that neither run
# depends on the day it runs.
foreach(v LINUX_BATCH WINDOWS_BATCH WINE GOLDEN_DIR WORK_DIR)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "${v} is required")
  endif()
endforeach()

file(GLOB casos ${GOLDEN_DIR}/*.jsonl)
list(SORT casos)
file(MAKE_DIRECTORY ${WORK_DIR})
set(pedidos ${WORK_DIR}/pedidos.jsonl)
file(WRITE ${pedidos} "")
set(n 0)
foreach(arq ${casos})
  file(STRINGS ${arq} linhas ENCODING UTF-8)
  foreach(linha IN LISTS linhas)
    if(linha STREQUAL "" OR linha MATCHES "^#")
      continue()
    endif()
    if(NOT linha MATCHES "\"pedido\"[ ]*:[ ]*({.*})[ ]*,[ ]*\"resposta\"[ ]*:")
      message(FATAL_ERROR "${arq}: no request in: ${linha}")
    endif()
    set(pedido "${CMAKE_MATCH_1}")
    # The text cut out must be the whole request, not a piece of it.
    string(JSON inteiro GET "${linha}" pedido)
    string(JSON igual EQUAL "${pedido}" "${inteiro}")
    if(NOT igual)
      message(FATAL_ERROR "${arq}: request not cut out cleanly: ${pedido}")
    endif()
    string(JSON hoje ERROR_VARIABLE sem_hoje GET "${pedido}" hoje)
    if(sem_hoje)
      string(REGEX REPLACE "^{" "{\"hoje\": \"09/12/2026\", " pedido "${pedido}")
    endif()
    file(APPEND ${pedidos} "${pedido}\n")
    math(EXPR n "${n} + 1")
  endforeach()
endforeach()
if(n EQUAL 0)
  message(FATAL_ERROR "no golden cases in ${GOLDEN_DIR}")
endif()

execute_process(COMMAND ${LINUX_BATCH} INPUT_FILE ${pedidos}
  OUTPUT_FILE ${WORK_DIR}/linux.jsonl RESULT_VARIABLE rl)
string(TIMESTAMP t0 "%s")
execute_process(COMMAND ${WINE} ${WINDOWS_BATCH} INPUT_FILE ${pedidos}
  OUTPUT_FILE ${WORK_DIR}/windows.jsonl ERROR_VARIABLE erro_wine RESULT_VARIABLE rw)
string(TIMESTAMP t1 "%s")
math(EXPR dt "${t1} - ${t0}")
if(NOT rl EQUAL 0 OR NOT rw EQUAL 0)
  message(FATAL_ERROR "exit codes: linux ${rl}, windows ${rw}\n${erro_wine}")
endif()

file(STRINGS ${WORK_DIR}/linux.jsonl l ENCODING UTF-8)
file(STRINGS ${WORK_DIR}/windows.jsonl w ENCODING UTF-8)
list(LENGTH l nl)
list(LENGTH w nw)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/linux.jsonl ${WORK_DIR}/windows.jsonl
  RESULT_VARIABLE diferente)
if(diferente)
  execute_process(COMMAND diff ${WORK_DIR}/linux.jsonl ${WORK_DIR}/windows.jsonl OUTPUT_VARIABLE d)
  message(FATAL_ERROR "Windows answers differ (${nl} Linux lines, ${nw} Windows lines):\n${d}")
endif()
if(NOT nl EQUAL n)
  message(FATAL_ERROR "${n} requests gave ${nl} answers")
endif()
message(STATUS "${n} golden requests: same answers on Windows (wine run ${dt} s)")
