# Compiler and linker settings shared by every target of both trees.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VANTRY_64BIT ON)
else()
  set(VANTRY_64BIT OFF)
endif()

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX)
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wno-unknown-pragmas;-include;${CMAKE_SOURCE_DIR}/compat/mingw_compat.h>")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

if(VANTRY_64BIT)
  # SEH unwinding crosses module boundaries without a shared runtime.
  add_link_options(-static-libgcc -static-libstdc++ -static)
else()
  # Dwarf-2 unwinding needs one shared libgcc for exceptions that cross the framework DLL,
  # so the MinGW runtime DLLs travel beside the 32-bit binaries.
  foreach(dll libgcc_s_dw2-1.dll libstdc++-6.dll)
    file(COPY /usr/lib/gcc/i686-w64-mingw32/12-posix/${dll} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endforeach()
  file(COPY /usr/i686-w64-mingw32/lib/libwinpthread-1.dll DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endif()

# A Windows GUI program with a wide entry point (wWinMain).
function(vantry_gui_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(${target} PRIVATE -municode)
endfunction()
