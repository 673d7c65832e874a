# The setup program of the Tellurane.exe just built, made by installer/make-setup.sh as the release is, so
# the installer's end-to-end tests always run the current program's setup. Needs makensis (scripts/install-deps.sh).

find_program(TELLURANE_MAKENSIS makensis)

# Gives TARGET the setup: built before it, its path in TELLURANE_SETUP_EXE and its version in
# TELLURANE_SETUP_VERSION. Without makensis neither is defined and the tests say why they skip.
function(tellurane_give_setup_to target)
  if(NOT TELLURANE_MAKENSIS)
    message(STATUS "makensis not found: the installer tests will skip")
    return()
  endif()
  set(setup ${PROJECT_BINARY_DIR}/setup/Tellurane-${TELLURANE_VERSION_TEXT}-setup.exe)
  file(GLOB skins CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/skins/*.cjs)
  file(GLOB languages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/installer/lang/*.nsh)
  add_custom_command(OUTPUT ${setup}
    COMMAND ${PROJECT_SOURCE_DIR}/installer/make-setup.sh $<TARGET_FILE:Tellurane>
            ${PROJECT_BINARY_DIR}/generated/tellurane_version.h ${setup}
    DEPENDS Tellurane ${skins} ${languages}
            ${PROJECT_SOURCE_DIR}/installer/tellurane.nsi ${PROJECT_SOURCE_DIR}/installer/make-setup.sh
            ${PROJECT_SOURCE_DIR}/installer/payload.sh ${PROJECT_SOURCE_DIR}/installer/shipped-skins.txt
            ${PROJECT_SOURCE_DIR}/resources/tellurane.ico
            ${PROJECT_SOURCE_DIR}/docs/user-guide.txt ${PROJECT_SOURCE_DIR}/docs/skins.md
    COMMENT "Building the setup program ${setup}"
    VERBATIM)
  add_custom_target(tellurane_setup DEPENDS ${setup})
  add_dependencies(${target} tellurane_setup)
  target_link_libraries(${target} PRIVATE ole32 uuid)  # the shortcuts are read through IShellLinkW
  target_compile_definitions(${target} PRIVATE "TELLURANE_SETUP_EXE=L\"Z:${setup}\""
                             "TELLURANE_SETUP_VERSION=L\"${TELLURANE_VERSION_TEXT}\"")
endfunction()
