# The fuzzing configuration: clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer. Everything is instrumented for coverage; only
# the fuzz targets link libFuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "LUMETTA_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
add_link_options(-fsanitize=address,undefined)
