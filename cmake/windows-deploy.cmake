# Run at install time (cmake/windows.cmake sets it up): puts the Qt plugins
# the program loads into their folders beside the executable, and with them
# every DLL that the executable and those plugins load, found in the Qt and
# mingw folders. A DLL found in neither is the system's own and stays out.
# Everything copied is stripped: Debian's mingw runtime comes with its symbols.
#
# In: SCRIVULETS_EXECUTABLE, SCRIVULETS_PLUGINS (pairs of folder and file),
# SCRIVULETS_DLL_DIRS, SCRIVULETS_OBJDUMP, SCRIVULETS_STRIP.
# file(GET_RUNTIME_DEPENDENCIES) is not used: it looks the DLL names up in
# lower case, which finds no Qt6Core.dll on a Linux file system.

cmake_policy(VERSION 3.21)

set(destination "${CMAKE_INSTALL_PREFIX}")
set(copied)

set(pending ${SCRIVULETS_EXECUTABLE})
set(plugins ${SCRIVULETS_PLUGINS})
while(plugins)
  list(POP_FRONT plugins folder plugin)
  file(INSTALL "${plugin}" DESTINATION "${destination}/${folder}")
  get_filename_component(name "${plugin}" NAME)
  list(APPEND copied "${folder}/${name}")
  list(APPEND pending "${plugin}")
endwhile()

set(seen)
while(pending)
  list(POP_FRONT pending binary)
  execute_process(COMMAND "${SCRIVULETS_OBJDUMP}" -p "${binary}" OUTPUT_VARIABLE dump
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot read what ${binary} loads")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    if(dll IN_LIST seen)
      continue()
    endif()
    list(APPEND seen "${dll}")
    foreach(dir IN LISTS SCRIVULETS_DLL_DIRS)
      if(EXISTS "${dir}/${dll}")
        file(INSTALL "${dir}/${dll}" DESTINATION "${destination}")
        list(APPEND copied "${dll}")
        list(APPEND pending "${dir}/${dll}")
        break()
      endif()
    endforeach()
  endforeach()
endwhile()

foreach(file IN LISTS copied)
  execute_process(COMMAND "${SCRIVULETS_STRIP}" --strip-unneeded
                          "$ENV{DESTDIR}${destination}/${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot strip ${file}")
  endif()
endforeach()
