# Script mode: turns a file into the body of a C++ byte array initialiser.
#   cmake -DINPUT=<file> -DOUTPUT=<file.inc> [-DCRLF=ON] -P EmbedBytes.cmake
# The output is the bytes as "0x..," rows, to be #included between the
# braces of an array of unsigned bytes. With CRLF, the input is text whose
# every line ends in LF, and each LF is written as CR LF; a CR in the
# input, or a last line without LF, is an error, since either would leave
# a line end the program does not expect.
if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "EmbedBytes.cmake: INPUT and OUTPUT are required")
endif()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "EmbedBytes.cmake: ${INPUT} is empty")
endif()
string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")

if(CRLF)
  if(bytes MATCHES "0x0d,")
    message(FATAL_ERROR "EmbedBytes.cmake: ${INPUT} contains a CR; keep its lines LF-only")
  endif()
  if(NOT bytes MATCHES "0x0a,$")
    message(FATAL_ERROR "EmbedBytes.cmake: the last line of ${INPUT} has no line end")
  endif()
  string(REPLACE "0x0a," "0x0d,0x0a," bytes "${bytes}")
endif()

# Sixteen bytes a row keeps the lines of the generated file short.
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "${bytes}\n")
