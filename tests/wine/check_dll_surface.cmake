# Run as: cmake -DOBJDUMP=... -DDLL=... -P check_dll_surface.cmake
cmake_minimum_required(VERSION 3.25)
# The plug-in exports exactly the two server entry points and imports system DLLs only.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${DLL}")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[^\n]*\n)*)" table "${dump}")
string(REGEX MATCHALL "\\] [A-Za-z_][A-Za-z0-9_@]*" entries "${CMAKE_MATCH_1}")
list(TRANSFORM entries REPLACE "\\] " "")
list(SORT entries)
if(NOT entries STREQUAL "DllCanUnloadNow;DllGetClassObject")
    message(FATAL_ERROR "exports are '${entries}', expected DllCanUnloadNow;DllGetClassObject")
endif()

set(system_dlls ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL
    OLE32.DLL OLEAUT32.DLL SHELL32.DLL USER32.DLL UXTHEME.DLL WINSPOOL.DRV)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(line IN LISTS imports)
    string(REPLACE "DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    string(TOUPPER "${name}" upper)
    if(NOT upper IN_LIST system_dlls AND NOT upper MATCHES "^API-MS-WIN-CRT-")
        message(FATAL_ERROR "imports a DLL that is not part of the system: ${name}")
    endif()
endforeach()
message(STATUS "exports: ${entries}; imports: ${imports}")
