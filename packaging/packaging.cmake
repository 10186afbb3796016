# Installation and the Debian package. Included from the top-level
# CMakeLists.txt after the programs' targets exist.
#
# The programs and the message files they read beside themselves go into
# <prefix>/lib/tarvo, so that "the program's directory" keeps meaning the
# place of its files; <prefix>/bin holds links to the programs. The user's
# files live elsewhere, since an installed program's directory is not the
# user's to write (platform/userdirectories.h).
set(TARVO_PROGRAM_DIR lib/tarvo)

# The windowed program, when it is part of the build, and the tool.
set(tarvo_installed_programs tvotool)
if(TARGET tarvo)
  list(APPEND tarvo_installed_programs tarvo)
endif()
install(TARGETS ${tarvo_installed_programs} RUNTIME DESTINATION ${TARVO_PROGRAM_DIR})
foreach(program IN LISTS tarvo_installed_programs)
  set(link ${CMAKE_CURRENT_BINARY_DIR}/bin-links/${program})
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/bin-links)
  file(CREATE_LINK ../${TARVO_PROGRAM_DIR}/${program} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION bin)
endforeach()

get_target_property(tarvo_message_files messagefiles MESSAGE_FILES)
install(FILES ${tarvo_message_files} DESTINATION ${TARVO_PROGRAM_DIR})

# The desktop entry and the AppStream metadata share the application's id,
# so that software centres find the program the metadata describes.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TARVO_APP_ID}.desktop DESTINATION share/applications)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${TARVO_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TARVO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${TARVO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tarvo-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tarvo.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tarvo.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/completion/tvotool DESTINATION share/bash-completion/completions)

# The licence in the machine-readable form of Debian's copyright files: the
# text of LICENSE after its title and copyright lines, each line indented by
# one space, an empty line written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE tarvo_license)
string(REGEX REPLACE "^[^\n]*\n\n[^\n]*\n\n" "" tarvo_license "${tarvo_license}")
string(STRIP "${tarvo_license}" tarvo_license)
string(REPLACE "\n\n" "\n.\n" tarvo_license "${tarvo_license}")
string(REPLACE "\n" "\n " TARVO_LICENSE_BODY " ${tarvo_license}")
set(CPACK_PACKAGE_CONTACT "Tarvo maintainers <tarvo@example.org>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/copyright DESTINATION share/doc/tarvo)

# Manual pages and the package's changelog go in compressed with gzip -9n:
# at most compression and without the file's name and time, so that a
# rebuild gives the same bytes.
function(tarvo_install_compressed source destination)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND sh -c [[gzip -9nc "$1" > "$2"]] sh ${source} ${compressed}
    DEPENDS ${source} VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TARVO_COMPRESSED_FILES ${compressed})
  install(FILES ${compressed} DESTINATION ${destination})
endfunction()

# The pages' headers name the version and its date.
foreach(program IN LISTS tarvo_installed_programs)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${program}.1 ${CMAKE_CURRENT_BINARY_DIR}/packaging/${program}.1 @ONLY)
  tarvo_install_compressed(${CMAKE_CURRENT_BINARY_DIR}/packaging/${program}.1 share/man/man1)
endforeach()
# A package whose version has no Debian revision is native: its changelog is
# changelog.gz.
tarvo_install_compressed(${CMAKE_CURRENT_LIST_DIR}/debian/changelog share/doc/tarvo)
get_property(tarvo_compressed_files GLOBAL PROPERTY TARVO_COMPRESSED_FILES)
add_custom_target(compressed_docs ALL DEPENDS ${tarvo_compressed_files})

# make package: a Debian package installing into /usr. The shared libraries
# the programs link are found by dpkg-shlibdeps; what they load at run time is
# declared by hand: Qt's window-system plugins, and xdg-open, which opens
# the documents and addresses that commands name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop hotkey launcher")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvo starts programs, documents and scripts with system-wide key\ncombinations, or brings their windows back. Hotkeys are edited in a\nwindow, kept in hotkey files and reachable from a tray icon; the\ninterface is in English and German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
