# What the Windows build adds: the executable's icon, manifest and version
# information, the tests run under Wine when cross-built, and the two
# downloads made from one install tree: the portable zip (`cpack -G ZIP`), one
# folder that can go anywhere, and the installer (`cpack -G NSIS`, from
# cmake/NSIS.template.in). Both hold the program with the DLLs and plugins it
# loads, a read-me and the licences they carry. scripts/build-windows drives
# it. Included once the executable target exists and before the tests.

set(SCRIVULETS_VENDOR "Equipe Corvale")

# The icon, rendered from the program's SVG at the sizes the shell asks for.
find_program(SCRIVULETS_RSVG rsvg-convert REQUIRED)
find_program(SCRIVULETS_ICOTOOL icotool REQUIRED)
set(icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/app_icon.svg)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/windows-icon)
set(SCRIVULETS_ICO ${icon_dir}/corvale-scrivulets.ico)
set(icon_commands)
set(icon_pngs)
foreach(size 16 20 24 32 40 48 64 128)
  list(APPEND icon_commands COMMAND ${SCRIVULETS_RSVG} -w ${size} -h ${size}
       -o ${icon_dir}/${size}.png ${icon_svg})
  list(APPEND icon_pngs ${icon_dir}/${size}.png)
endforeach()
# The largest one stays PNG inside the icon, as Windows stores it.
add_custom_command(
  OUTPUT ${SCRIVULETS_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  ${icon_commands}
  COMMAND ${SCRIVULETS_RSVG} -w 256 -h 256 -o ${icon_dir}/256.png ${icon_svg}
  COMMAND ${SCRIVULETS_ICOTOOL} -c -o ${SCRIVULETS_ICO} ${icon_pngs} --raw=${icon_dir}/256.png
  DEPENDS ${icon_svg}
  COMMENT "Rendering the program's icon for Windows"
  VERBATIM)

# The version information's copyright is LICENSE's.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
string(REGEX MATCH "Copyright \\(c\\) [^\n]+" SCRIVULETS_COPYRIGHT "${license_text}")
set(SCRIVULETS_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.manifest)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/corvale-scrivulets.manifest.in
               ${SCRIVULETS_MANIFEST} @ONLY)
enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/corvale-scrivulets.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.rc PROPERTIES
                            OBJECT_DEPENDS "${SCRIVULETS_ICO};${SCRIVULETS_MANIFEST}")
target_sources(corvale-scrivulets PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.rc)

# Qt's own texts in Portuguese (the text box's menu, standard dialogs): Windows
# has no package to bring them, so the program carries the translation the
# building machine has (Debian's qt6-translations-l10n).
find_file(SCRIVULETS_QTBASE_PT_BR qtbase_pt_BR.qm
          PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
qt_add_resources(scrivulets_ui "qt-translation" PREFIX "/i18n" BASE /usr/share/qt6/translations
                 FILES ${SCRIVULETS_QTBASE_PT_BR})

# The mingw runtime DLLs every program of the build loads, wherever this
# compiler keeps them.
set(SCRIVULETS_MINGW_DLL_DIRS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${dll_path}" AND EXISTS "${dll_path}")
    get_filename_component(dll_dir "${dll_path}" DIRECTORY)
    get_filename_component(dll_dir "${dll_dir}" REALPATH)
    list(APPEND SCRIVULETS_MINGW_DLL_DIRS ${dll_dir})
  endif()
endforeach()
list(REMOVE_DUPLICATES SCRIVULETS_MINGW_DLL_DIRS)
set(SCRIVULETS_QT_DLL_DIR ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})

# Tests of a cross build run under Wine, which finds the DLLs through WINEPATH.
if(CMAKE_CROSSCOMPILING)
  set(SCRIVULETS_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
  list(JOIN SCRIVULETS_MINGW_DLL_DIRS ";" mingw_dirs)
  set(SCRIVULETS_WINEPATH "${SCRIVULETS_QT_DLL_DIR};${mingw_dirs}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# The portable folder: the executable at its top, the program's data beside
# it at run time.
set(CMAKE_INSTALL_BINDIR .)
# The plugins Qt loads from beside the executable, and the DLLs they and the
# executable need.
set(plugins
    platforms $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    styles $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
    # The window and tray icons are SVG: without it the tray icon is missing.
    iconengines $<TARGET_FILE:Qt6::QSvgIconPlugin>)
install(CODE "
  set(SCRIVULETS_EXECUTABLE \"$<TARGET_FILE:corvale-scrivulets>\")
  set(SCRIVULETS_PLUGINS \"${plugins}\")
  set(SCRIVULETS_DLL_DIRS \"${SCRIVULETS_QT_DLL_DIR};${SCRIVULETS_MINGW_DLL_DIRS}\")
  set(SCRIVULETS_OBJDUMP \"${CMAKE_OBJDUMP}\")
  set(SCRIVULETS_STRIP \"${CMAKE_STRIP}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/windows-deploy.cmake\")
")

# The read-me and the licences, beside the executable and in licencas\: in
# UTF-8 with the byte-order mark by which every Notepad knows it, with
# Windows' line ends. Each is made of its parts, read in order.
set(texts ${CMAKE_CURRENT_BINARY_DIR}/windows-texts)
function(scrivulets_windows_text name)
  string(ASCII 239 187 191 text)
  foreach(part IN LISTS ARGN)
    file(READ ${part} part_text)
    string(APPEND text "${part_text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${part})
  endforeach()
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${texts}/${name} "${text}")
endfunction()
set(windows_resources ${PROJECT_SOURCE_DIR}/resources/windows)
# Debian's mingw GCC gives its version as 12.0.0, whatever its release.
string(REGEX MATCH "^[0-9]+" SCRIVULETS_GCC_MAJOR "${CMAKE_CXX_COMPILER_VERSION}")
foreach(part LEIA-ME.txt licencas/qt.txt licencas/gcc-runtime.txt)
  configure_file(${windows_resources}/${part}.in ${texts}/parts/${part} @ONLY)
endforeach()
# Debian's own copies of the GNU licences.
find_file(SCRIVULETS_LGPL3 LGPL-3 PATHS /usr/share/common-licenses NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_file(SCRIVULETS_GPL3 GPL-3 PATHS /usr/share/common-licenses NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
scrivulets_windows_text(LEIA-ME.txt ${texts}/parts/LEIA-ME.txt)
scrivulets_windows_text(licencas/corvale-scrivulets.txt ${PROJECT_SOURCE_DIR}/LICENSE)
scrivulets_windows_text(licencas/qt-lgpl-3.0.txt ${texts}/parts/licencas/qt.txt ${SCRIVULETS_LGPL3})
scrivulets_windows_text(licencas/qt-terceiros.txt ${windows_resources}/licencas/qt-terceiros.txt)
scrivulets_windows_text(licencas/gpl-3.0.txt ${SCRIVULETS_GPL3})
scrivulets_windows_text(licencas/gcc-runtime.txt ${texts}/parts/licencas/gcc-runtime.txt)
scrivulets_windows_text(licencas/winpthreads.txt ${windows_resources}/licencas/winpthreads.txt)
install(FILES ${texts}/LEIA-ME.txt DESTINATION .)
install(FILES ${texts}/licencas/corvale-scrivulets.txt ${texts}/licencas/qt-lgpl-3.0.txt
              ${texts}/licencas/qt-terceiros.txt ${texts}/licencas/gpl-3.0.txt
              ${texts}/licencas/gcc-runtime.txt ${texts}/licencas/winpthreads.txt
        DESTINATION licencas)

set(CPACK_PACKAGE_NAME "corvale-scrivulets")
set(CPACK_PACKAGE_VENDOR "${SCRIVULETS_VENDOR}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "corvale-scrivulets-${PROJECT_VERSION}-win64")
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)
# The installer: CPack's own template asks for administrator rights and writes
# for all users; this one installs for the user alone.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Corvale Scrivulets")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Corvale Scrivulets")
set(CPACK_NSIS_PACKAGE_NAME "Corvale Scrivulets")
set(CPACK_NSIS_DISPLAY_NAME "Corvale Scrivulets")
set(CPACK_NSIS_INSTALLED_ICON_NAME "corvale-scrivulets.exe")
set(CPACK_NSIS_UNINSTALL_NAME "Desinstalar")
set(CPACK_NSIS_MUI_ICON ${SCRIVULETS_ICO})
set(CPACK_NSIS_MUI_UNIICON ${SCRIVULETS_ICO})
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
include(CPack)
