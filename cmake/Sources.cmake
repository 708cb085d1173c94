# Libraries of the project. Sources are picked up by folder, so adding a file
# to a folder adds it to the right library without touching this file.

function(qzdbs_glob out)
  set(files)
  foreach(dir ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The engine core: no Qt. The dialog logic under src/ui (but not src/ui/qt) is
# plain C++ and belongs here too, so the command line can drive it.
qzdbs_glob(QZDBS_CORE_SOURCES src/base src/host src/platform src/state src/db src/compute src/output src/engine src/ui)
list(FILTER QZDBS_CORE_SOURCES EXCLUDE REGEX "/src/ui/qt/")

add_library(qzdbs_objects OBJECT ${QZDBS_CORE_SOURCES})
target_include_directories(qzdbs_objects PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(qzdbs_objects PUBLIC SQLite::SQLite3 nlohmann_json::nlohmann_json Threads::Threads)
if(TARGET PkgConfig::MDB)
  target_link_libraries(qzdbs_objects PUBLIC PkgConfig::MDB)
endif()
foreach(extra ${QZDBS_CORE_EXTRA})
  include(${extra})
endforeach()

add_library(qzdbs_static STATIC $<TARGET_OBJECTS:qzdbs_objects>)
target_link_libraries(qzdbs_static PUBLIC qzdbs_objects)
set_target_properties(qzdbs_static PROPERTIES OUTPUT_NAME qzdbs)

add_library(qzdbs SHARED $<TARGET_OBJECTS:qzdbs_objects>)
target_link_libraries(qzdbs PUBLIC qzdbs_objects)
set_target_properties(qzdbs PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 0)

# The drawing server: the in-memory document, its transforms and exporters.
qzdbs_glob(QZDBS_SERVER_SOURCES src/server)
if(QZDBS_SERVER_SOURCES AND QZDBS_BUILD_QT)
  if(NOT TARGET dxflib::dxflib)
    message(FATAL_ERROR "dxflib not found: install libdxflib-dev (scripts/install-deps.sh)")
  endif()
  add_library(qzdbs_server STATIC ${QZDBS_SERVER_SOURCES})
  target_link_libraries(qzdbs_server PUBLIC qzdbs_static Qt6::Gui Qt6::Svg dxflib::dxflib)
endif()

# The dialogs' widgets.
qzdbs_glob(QZDBS_UI_QT_SOURCES src/ui/qt)
if(QZDBS_UI_QT_SOURCES AND QZDBS_BUILD_QT)
  add_library(qzdbs_ui_qt STATIC ${QZDBS_UI_QT_SOURCES})
  set_target_properties(qzdbs_ui_qt PROPERTIES AUTOMOC ON)
  target_link_libraries(qzdbs_ui_qt PUBLIC qzdbs_static qzdbs_server Qt6::Widgets Qt6::Svg)
  if(NOT TARGET libwmf::libwmf)
    message(FATAL_ERROR "libwmf not found: install libwmf-dev (scripts/install-deps.sh)")
  endif()
  target_link_libraries(qzdbs_ui_qt PRIVATE libwmf::libwmf)
  # The studio's translations, compiled by lrelease and carried as resources
  # (":/i18n/qzdbs-studio_<locale>.qm"), so the tests find them too.
  # lupdate is run by hand (scripts/update-translations.sh), not by the build.
  qt_add_lrelease(qzdbs_ui_qt
    TS_FILES translations/qzdbs-studio_en.ts translations/qzdbs-studio_zh_CN.ts
    QM_FILES_OUTPUT_VARIABLE QZDBS_STUDIO_QM_FILES)
  qt_add_resources(qzdbs_ui_qt studio_translations PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${QZDBS_STUDIO_QM_FILES})
endif()
