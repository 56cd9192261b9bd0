# Makes the 64-bit release package from the build and unpacks it into an empty directory, as a
# user would, for the package test.
#   cmake -DBUILD_DIR=... -DUNPACK_DIR=... -DZIP_NAME=glaze-VERSION-win64.zip -P UnpackPackage.cmake
file(REMOVE_RECURSE ${UNPACK_DIR})
execute_process(
    COMMAND ${CMAKE_CPACK_COMMAND} --config CPackConfig.cmake
            -D CPACK_PACKAGE_DIRECTORY=${UNPACK_DIR}/made
    WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE made OUTPUT_QUIET)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "cpack failed (${made})")
endif()
file(GLOB zips ${UNPACK_DIR}/made/*.zip)
if(NOT zips STREQUAL "${UNPACK_DIR}/made/${ZIP_NAME}")
    message(FATAL_ERROR "expected exactly ${ZIP_NAME}, found: ${zips}")
endif()
file(MAKE_DIRECTORY ${UNPACK_DIR}/unpacked)
file(ARCHIVE_EXTRACT INPUT ${UNPACK_DIR}/made/${ZIP_NAME} DESTINATION ${UNPACK_DIR}/unpacked)
