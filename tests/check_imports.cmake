cmake_minimum_required(VERSION 3.25)
# Fails when the exe imports a DLL outside this list. Each is a system DLL on Windows' KnownDLLs
# list, so the loader takes it from the system directory and never from the exe's own folder.
#   KERNEL32, USER32, GDI32: the API itself.
#   SHELL32: ShellExecuteW, to open the vendor's page.
#   ADVAPI32: token queries (is the process elevated).
#   msvcrt: the C run-time that MinGW-w64's static libraries call into.
set(allowed kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll msvcrt.dll)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no import table found in ${EXE}")
endif()
foreach(line IN LISTS names)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${EXE} imports ${dll}, which is not an allowed system DLL")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
