# SPDX-License-Identifier: MIT
# cmake -DINPUT=FILE -DOUTPUT=HEADER -DNAME=IDENTIFIER -P EmbedFile.cmake
#
# Writes a C++ header that holds FILE's bytes as
#   inline constexpr unsigned char IDENTIFIER[] = {...};
# in namespace tktime32, so the code can both ship the bytes and check them
# at compile time.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes to a line (CMake's regular expressions have no {n}).
string(REPEAT "0x..," 16 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name ${INPUT} NAME)
file(WRITE ${OUTPUT}.tmp
    "// Generated from ${input_name} by EmbedFile.cmake; do not edit.\n"
    "#pragma once\n\n"
    "namespace tktime32 {\n\n"
    "inline constexpr unsigned char ${NAME}[${size}] = {\n    ${bytes}\n};\n\n"
    "} // namespace tktime32\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
