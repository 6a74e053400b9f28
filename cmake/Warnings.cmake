# Warnings on for every target of the project; clean builds are expected.
add_compile_options(-Wall -Wextra)
