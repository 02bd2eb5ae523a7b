# What `cmake --install` puts on a system besides the executable, and the
# Debian package built from the same install tree with `cpack -G DEB`.
include(GNUInstallDirs)

set(SCRIVULETS_APPSTREAM_ID "example.scrivulets.CorvaleScrivulets")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/../resources/corvale-scrivulets.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../resources/icons/app_icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME corvale-scrivulets.svg)
# Software centres look the file up by the component id it carries.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../resources/corvale-scrivulets.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${SCRIVULETS_APPSTREAM_ID}.metainfo.xml)

# The dynamic linker resolves every symbol at start and then makes the
# relocation tables read-only (full RELRO), as Debian's hardening asks.
if(UNIX AND NOT APPLE)
  target_link_options(corvale-scrivulets PRIVATE "LINKER:-z,relro" "LINKER:-z,now")
endif()

set(CPACK_PACKAGE_NAME "corvale-scrivulets")
set(CPACK_PACKAGE_VENDOR "Equipe Corvale")
set(CPACK_PACKAGE_CONTACT "Equipe Corvale <equipe@scrivulets.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://scrivulets.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps short texts always at hand")
set(CPACK_PACKAGE_DESCRIPTION
    "A narrow borderless strip that keeps short texts such as tips, reminders and\n\
messages at hand, each saved under a title as a plain-text file.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "corvale-scrivulets")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

# The Debian revision of the package built from this version. The latest
# entry of the Debian changelog must name both, so that the package never
# says a different version from the program's --version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(SCRIVULETS_DEBIAN_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources/debian)
set(SCRIVULETS_LICENSE_FILE ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${SCRIVULETS_DEBIAN_DIR}/changelog ${SCRIVULETS_LICENSE_FILE})
file(STRINGS ${SCRIVULETS_DEBIAN_DIR}/changelog changelog_lines)
list(GET changelog_lines 0 changelog_latest)
set(package_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
string(FIND "${changelog_latest}" "${CPACK_PACKAGE_NAME} (${package_version}) " at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "resources/debian/changelog: its latest entry is \"${changelog_latest}\", "
                      "but the package is ${package_version}: add an entry for it")
endif()
# The man page carries the date of that entry, as YYYY-MM-DD.
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^ -- .*, ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
      set(month "0${month}")
    endif()
    set(SCRIVULETS_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()

# debian/copyright in the machine-readable format, with the terms of LICENSE.
file(READ ${SCRIVULETS_LICENSE_FILE} license_text)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${license_text}")
set(SCRIVULETS_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n" "" terms "${license_text}")
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " SCRIVULETS_LICENSE_TERMS " ${terms}")
configure_file(${SCRIVULETS_DEBIAN_DIR}/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/debian/copyright
               @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The man page and the Debian changelog go compressed, as Debian wants them:
# gzip -9, with no name or time stamp in the header so that every build
# gives the same bytes.
if(NOT WIN32)
  find_program(GZIP_PROGRAM gzip REQUIRED)
  set(man_page ${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.1)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/../resources/corvale-scrivulets.1.in ${man_page} @ONLY)
  set(debian_changelog ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian)
  add_custom_command(OUTPUT ${man_page}.gz
                     COMMAND ${GZIP_PROGRAM} -9nkf ${man_page}
                     DEPENDS ${man_page} VERBATIM)
  add_custom_command(OUTPUT ${debian_changelog}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${SCRIVULETS_DEBIAN_DIR}/changelog
                             ${debian_changelog}
                     COMMAND ${GZIP_PROGRAM} -9nf ${debian_changelog}
                     DEPENDS ${SCRIVULETS_DEBIAN_DIR}/changelog VERBATIM)
  add_custom_target(scrivulets_docs ALL DEPENDS ${man_page}.gz ${debian_changelog}.gz)
  install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # The Debian changelog and lintian's overrides belong to the package alone,
  # not to every install: CPack runs this script into its staging tree
  # (DESTDIR) only.
  set(prefix ${CPACK_PACKAGING_INSTALL_PREFIX})
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/debian/install-debian-files.cmake
       "file(INSTALL \"${debian_changelog}.gz\"\n"
       "     DESTINATION \"${prefix}/${CMAKE_INSTALL_DOCDIR}\")\n"
       "file(INSTALL \"${SCRIVULETS_DEBIAN_DIR}/lintian-overrides\"\n"
       "     DESTINATION \"${prefix}/share/lintian/overrides\" RENAME ${CPACK_PACKAGE_NAME})\n")
  set(CPACK_INSTALL_SCRIPTS ${CMAKE_CURRENT_BINARY_DIR}/debian/install-debian-files.cmake)

  # A stripped install (the package's) also drops the compiler's notes, as
  # dh_strip does; plain `strip` keeps them.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/corvale-scrivulets\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps finds the Qt libraries the executable links. The plugins Qt
# loads at run time come with two of them on Debian: the xcb platform with
# libqt6gui6, the SVG icon engine with libqt6svg6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts in Portuguese (context menus, standard dialogs).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")

set(CPACK_GENERATOR "DEB")
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-.*/")
include(CPack)
