# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -DNAMESPACE=<ns> -P embed_file.cmake
# Writes a C++ source defining the file's bytes as `const std::uint8_t SYMBOL[]` and `SYMBOL` + "Size".
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n#include <cstdint>\n\n"
  "namespace ${NAMESPACE} {\n\nextern const std::uint8_t ${SYMBOL}[${size}] = {\n  ${bytes}\n};\n"
  "extern const std::size_t ${SYMBOL}Size = ${size};\n\n}  // namespace ${NAMESPACE}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
