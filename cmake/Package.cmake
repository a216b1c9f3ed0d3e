# Installs the client library as the CMake package jxrclient (target
# jxr::client, with the drop lists it needs as jxr::wire) and sets up cpack:
# one ZIP archive of the installed tree per build.
include(CMakePackageConfigHelpers)

set_target_properties(wire PROPERTIES EXPORT_NAME wire OUTPUT_NAME jxrwire)
install(TARGETS jxrclient wire EXPORT jxrclientTargets ARCHIVE DESTINATION lib)
install(EXPORT jxrclientTargets NAMESPACE jxr:: DESTINATION lib/cmake/jxrclient)

file(WRITE ${CMAKE_BINARY_DIR}/jxrclientConfig.cmake.in [[
@PACKAGE_INIT@
include("${CMAKE_CURRENT_LIST_DIR}/jxrclientTargets.cmake")
check_required_components(jxrclient)
]])
configure_package_config_file(${CMAKE_BINARY_DIR}/jxrclientConfig.cmake.in
    ${CMAKE_BINARY_DIR}/jxrclientConfig.cmake INSTALL_DESTINATION lib/cmake/jxrclient)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/jxrclientConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/jxrclientConfig.cmake
              ${CMAKE_BINARY_DIR}/jxrclientConfigVersion.cmake
        DESTINATION lib/cmake/jxrclient)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VENDOR "The jxrwin32 authors")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
else()
    set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
