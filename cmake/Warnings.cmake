# Every target of the project builds clean with these, on all three builds.
add_compile_options(
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
