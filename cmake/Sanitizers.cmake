# AddressSanitizer and UndefinedBehaviorSanitizer for the test build.
# Any sanitizer report aborts the process, so a report always fails its test.
set(LUMETTA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${LUMETTA_SANITIZER_FLAGS} -g -O1)
add_link_options(${LUMETTA_SANITIZER_FLAGS})
