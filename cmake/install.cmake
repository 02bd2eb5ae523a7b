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

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps finds the Qt libraries the executable links. The plugins Qt
# loads at run time come with two of them on Debian: the xcb platform with
# libqt6gui6, the SVG icon engine with libqt6svg6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_GENERATOR "DEB")
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-.*/")
include(CPack)
