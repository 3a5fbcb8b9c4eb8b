# The qesh_deleteIndex_dbf package: the imported target
# qesh_deleteIndex_dbf::qesh_deleteIndex_dbf, which brings the DLL, its import
# library and the header's folder (and oleaut32, for SysFreeString).
#
#   find_package(qesh_deleteIndex_dbf CONFIG REQUIRED)
#   target_link_libraries(host PRIVATE qesh_deleteIndex_dbf::qesh_deleteIndex_dbf)
#
# Visual C++ and compilers of its ABI link lib/qesh_deleteIndex_dbf.lib, MinGW
# links lib/libqesh_deleteIndex_dbf.dll.a.
get_filename_component(_qesh_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(NOT TARGET qesh_deleteIndex_dbf::qesh_deleteIndex_dbf)
  if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC" OR CMAKE_CXX_SIMULATE_ID STREQUAL "MSVC")
    set(_qesh_import_library "${_qesh_prefix}/lib/qesh_deleteIndex_dbf.lib")
  else()
    set(_qesh_import_library "${_qesh_prefix}/lib/libqesh_deleteIndex_dbf.dll.a")
  endif()
  add_library(qesh_deleteIndex_dbf::qesh_deleteIndex_dbf SHARED IMPORTED)
  set_target_properties(qesh_deleteIndex_dbf::qesh_deleteIndex_dbf PROPERTIES
    IMPORTED_LOCATION "${_qesh_prefix}/bin/qesh_deleteIndex_dbf.dll"
    IMPORTED_IMPLIB "${_qesh_import_library}"
    INTERFACE_INCLUDE_DIRECTORIES "${_qesh_prefix}/include"
    INTERFACE_LINK_LIBRARIES oleaut32)
  unset(_qesh_import_library)
endif()
unset(_qesh_prefix)
