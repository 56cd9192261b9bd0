# Every target of the project builds clean with these, on all three builds.
if(MSVC)
    # Visual C++ builds glaze.exe for contributors with Visual Studio: the sources are UTF-8 and
    # the compiler holds them to the standard. Its warnings are not yet errors: no build of this
    # project has yet been run with it.
    add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:/W3;/permissive-;/utf-8>")
    return()
endif()
add_compile_options(
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
