# cmake -DIN=layout -DOUT=file -DDATA="name=path;name=path" -P EmbedLayout.cmake
# Copies a layout text, replacing each "{@name}" by the bytes of the named file as a
# hexadecimal binary value, 64 digits a line.
file(READ "${IN}" text)
foreach(pair IN LISTS DATA)
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 name)
  list(GET parts 1 path)
  file(READ "${path}" hex HEX)
  string(TOUPPER "${hex}" hex)
  string(REGEX REPLACE "(................................................................)" "\\1\n      " hex "${hex}")
  string(REPLACE "{@${name}}" "{\n      ${hex}}" text "${text}")
endforeach()
file(WRITE "${OUT}" "${text}")
