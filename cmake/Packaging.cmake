# The release package: a zip that is the whole program, unpacked anywhere and started from
# there. glaze.exe, the bundled skins as SKIN\ beside it, the user guide and the license.
# `cpack` in a Windows build directory writes glaze-VERSION-win64.zip or -win32.zip to
# packages/; scripts/package.sh builds both.

install(TARGETS glaze RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/skins/ DESTINATION SKIN)
# Plain text files open with a double-click on Windows.
install(FILES ${PROJECT_SOURCE_DIR}/README.zh-CN.md DESTINATION . RENAME README.zh-CN.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(GLAZE_PACKAGE_PLATFORM win64)
else()
    set(GLAZE_PACKAGE_PLATFORM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME glaze)
set(CPACK_PACKAGE_VENDOR "glaze 开发组")
set(CPACK_PACKAGE_FILE_NAME glaze-${PROJECT_VERSION}-${GLAZE_PACKAGE_PLATFORM})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
# The 64-bit build keeps debug information for the tests; users get the program without it.
set(CPACK_STRIP_FILES ON)
# Packaging needs glaze.exe only, not the tests of a 64-bit build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
