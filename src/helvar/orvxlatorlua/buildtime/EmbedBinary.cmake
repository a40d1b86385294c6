# Script mode: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P EmbedBinary.cmake
# Writes a header holding the file's bytes as an array (bytecode holds NULs, so no literal).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
set(content "#pragma once\n// Generated from ${name} at build time.\nnamespace orvgenerated {\n")
string(APPEND content "inline constexpr unsigned char ${SYMBOL}[${size}] = {\n    ${bytes}\n};\n}\n")
# Replaced only on change, so that dependants are not rebuilt needlessly.
file(WRITE "${OUTPUT}.part" "${content}")
file(COPY_FILE "${OUTPUT}.part" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.part")
