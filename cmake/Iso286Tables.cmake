# Compiles the ISO 286 tables into the core library. The CSV files under
# src/platform/iso286/data stay the one place the numbers live; their texts are
# copied verbatim into a generated source and parsed once, on first use.
set(QZDBS_ISO286_DATA ${CMAKE_SOURCE_DIR}/src/platform/iso286/data)
foreach(table it_grades shaft_fundamental_deviations hole_fundamental_deviations)
  set(csv ${QZDBS_ISO286_DATA}/${table}.csv)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${csv})
  file(READ ${csv} ISO286_${table})
  # The text goes into a raw string literal closed by )csv".
  string(FIND "${ISO286_${table}}" ")csv\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${csv} contains the text )csv\" and cannot be compiled in")
  endif()
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/src/platform/iso286/Iso286Data.cpp.in
  ${CMAKE_BINARY_DIR}/generated/platform/iso286/Iso286Data.cpp @ONLY)
target_sources(qzdbs_objects PRIVATE ${CMAKE_BINARY_DIR}/generated/platform/iso286/Iso286Data.cpp)
