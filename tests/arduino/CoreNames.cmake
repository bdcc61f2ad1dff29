# The list of names Arduino.h brings into a sketch (src/core/checks/arduino-core-names.txt)
# against Debian's toolchain as installed: the script runs the preprocessor, the
# compiler and avr-nm for the Uno and the Mega in a scratch folder and names every
# name the list lacks.
add_test(NAME arduino_core_names
         COMMAND python3 ${PROJECT_SOURCE_DIR}/scripts/arduino-core-names.py
                 --work ${CMAKE_CURRENT_BINARY_DIR}/arduino-core-names
                 --check ${PROJECT_SOURCE_DIR}/src/core/checks/arduino-core-names.txt)
set_tests_properties(arduino_core_names PROPERTIES TIMEOUT 60)
