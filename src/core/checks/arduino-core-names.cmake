# Turns arduino-core-names.txt (a name a line, then the boards that have it: "uno",
# "mega") into the table of ArduinoCoreNames.
#
# usage: cmake -DINPUT=<list.txt> -DOUTPUT=<table.cpp> -P arduino-core-names.cmake
file(STRINGS ${INPUT} lines)
set(entries "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)(( (uno|mega))+)$")
    message(FATAL_ERROR "${INPUT}: not a name followed by its boards: '${line}'")
  endif()
  set(name ${CMAKE_MATCH_1})
  # Each MATCHES below sets CMAKE_MATCH_<n> again.
  set(names_boards "${CMAKE_MATCH_2} ")
  set(boards 0)
  if(names_boards MATCHES " uno ")
    math(EXPR boards "${boards} | 1")
  endif()
  if(names_boards MATCHES " mega ")
    math(EXPR boards "${boards} | 2")
  endif()
  string(APPEND entries "    {\"${name}\", ${boards}},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${INPUT} holds no names")
endif()
file(WRITE ${OUTPUT}
  "// Generated from ${INPUT} by arduino-core-names.cmake.\n"
  "#include \"checks/ArduinoCoreNames.h\"\n\n"
  "const ArduinoCoreNames::Entry ArduinoCoreNames::kEntries[] = {\n${entries}};\n"
  "const int ArduinoCoreNames::kEntryCount = ${count};\n")
