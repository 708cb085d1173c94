# Outside libraries, all from Debian packages (scripts/install-deps.sh).
find_package(PkgConfig REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(Threads REQUIRED)
find_package(GTest REQUIRED)
find_package(nlohmann_json 3 REQUIRED)
find_package(CLI11 QUIET)
pkg_check_modules(MDB REQUIRED IMPORTED_TARGET libmdb)
# dxflib (Debian libdxflib-dev): headers in /usr/include/dxflib, libdxflib.so.
# An imported target, so its headers count as system headers and their
# warnings do not stop a -Werror build.
find_library(DXFLIB_LIBRARY NAMES dxflib)
find_path(DXFLIB_INCLUDE_DIR NAMES dl_dxf.h PATH_SUFFIXES dxflib)
if(DXFLIB_LIBRARY AND DXFLIB_INCLUDE_DIR AND NOT TARGET dxflib::dxflib)
  add_library(dxflib::dxflib UNKNOWN IMPORTED)
  set_target_properties(dxflib::dxflib PROPERTIES
    IMPORTED_LOCATION ${DXFLIB_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${DXFLIB_INCLUDE_DIR})
endif()
if(QZDBS_BUILD_QT)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Svg Test)
endif()
