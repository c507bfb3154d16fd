# Dependencies installed and fetched by tools/setup; nothing of them is kept in the repository.
if(NOT VANTRY_DEPS_DIR)
  set(VANTRY_DEPS_DIR ${CMAKE_SOURCE_DIR}/build/deps)
endif()

# SQLite 3: the official amalgamation, compiled as it comes.
set(SQLITE_DIR ${VANTRY_DEPS_DIR}/sqlite-autoconf-3440200)
if(NOT EXISTS ${SQLITE_DIR}/sqlite3.c)
  message(FATAL_ERROR "SQLite amalgamation missing in ${SQLITE_DIR}: run tools/setup")
endif()
add_library(sqlite3 STATIC ${SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${SQLITE_DIR})
target_compile_definitions(sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(sqlite3 PRIVATE -w)

# The 7-Zip console archiver the backup runs: the build of the program's width, as 7zr.exe in the
# program's folder.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SEVENZIP_EXE ${VANTRY_DEPS_DIR}/7zip/x64/7za.exe)
else()
  set(SEVENZIP_EXE ${VANTRY_DEPS_DIR}/7zip/ia32/7za.exe)
endif()
if(NOT EXISTS ${SEVENZIP_EXE})
  message(FATAL_ERROR "7-Zip console archiver missing at ${SEVENZIP_EXE}: run tools/setup")
endif()
# A build step, so a copy that went missing comes back with the next build.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/7zr.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${SEVENZIP_EXE} ${CMAKE_BINARY_DIR}/bin/7zr.exe
  DEPENDS ${SEVENZIP_EXE})
add_custom_target(console_archiver ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/7zr.exe)

# Boost.Spirit classic: headers only, through a folder that holds nothing but the boost link.
add_library(boost_headers INTERFACE)
target_include_directories(boost_headers SYSTEM INTERFACE ${VANTRY_DEPS_DIR}/boost-include)

# zlib for the PDF writer's Flate streams (Debian's mingw-w64 build).
find_library(ZLIB_MINGW NAMES libz.a z REQUIRED)
add_library(zlib_static INTERFACE)
target_link_libraries(zlib_static INTERFACE ${ZLIB_MINGW})

# libjpeg-turbo and libpng, cross-built by tools/setup from Debian's source packages for each target.
if(VANTRY_64BIT)
  set(IMAGE_LIBS_DIR ${VANTRY_DEPS_DIR}/x86_64)
else()
  set(IMAGE_LIBS_DIR ${VANTRY_DEPS_DIR}/i686)
endif()
foreach(lib jpeg png16)
  if(NOT EXISTS ${IMAGE_LIBS_DIR}/lib/lib${lib}.a)
    message(FATAL_ERROR "lib${lib}.a missing in ${IMAGE_LIBS_DIR}/lib: run tools/setup")
  endif()
endforeach()
add_library(jpeg_static STATIC IMPORTED)
set_target_properties(jpeg_static PROPERTIES IMPORTED_LOCATION ${IMAGE_LIBS_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${IMAGE_LIBS_DIR}/include)
add_library(png_static STATIC IMPORTED)
set_target_properties(png_static PROPERTIES IMPORTED_LOCATION ${IMAGE_LIBS_DIR}/lib/libpng16.a
  INTERFACE_INCLUDE_DIRECTORIES ${IMAGE_LIBS_DIR}/include INTERFACE_LINK_LIBRARIES zlib_static)

if(VANTRY_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
