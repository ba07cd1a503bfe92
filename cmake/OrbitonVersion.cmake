# The program's version has one source: project(Orbiton VERSION ...) in the
# top CMakeLists.txt. It is written into a generated header that the window
# (title and information box) and orbiton-batch --version include, and CPack
# takes it for the package. The header also carries the application's
# desktop id, the name of its desktop entry and AppStream file.
set(ORBITON_APP_ID de.orbiton.orbiton)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/orbiton_version.h @ONLY)

add_library(orbiton_version INTERFACE)
target_include_directories(orbiton_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
