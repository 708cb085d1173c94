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
# libwmf (Debian libwmf-dev), for the Windows Metafile pictures of Access
# libraries. It ships libwmf-config rather than a pkg-config file; its headers
# include FreeType's. Imported like dxflib, so its headers are system headers.
find_path(LIBWMF_INCLUDE_DIR NAMES libwmf/api.h)
find_library(LIBWMF_LIBRARY NAMES wmf)
find_library(LIBWMFLITE_LIBRARY NAMES wmflite)
find_package(Freetype QUIET)
if(LIBWMF_INCLUDE_DIR AND LIBWMF_LIBRARY AND LIBWMFLITE_LIBRARY AND Freetype_FOUND
   AND NOT TARGET libwmf::libwmf)
  add_library(libwmf::libwmf UNKNOWN IMPORTED)
  set_target_properties(libwmf::libwmf PROPERTIES
    IMPORTED_LOCATION ${LIBWMF_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${LIBWMF_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES "${LIBWMFLITE_LIBRARY};Freetype::Freetype")
endif()
if(QZDBS_BUILD_QT)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Svg Test LinguistTools)
endif()
